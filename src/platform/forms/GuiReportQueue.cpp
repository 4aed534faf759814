#include "platform/forms/GuiReportQueue.h"

GuiReportQueue::GuiReportQueue()
    : ReportQueue([this] { QMetaObject::invokeMethod(this, "DrainReports", Qt::QueuedConnection); })
{
}
