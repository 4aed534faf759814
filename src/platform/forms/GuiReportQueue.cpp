#include "platform/forms/GuiReportQueue.h"

#include <QMetaObject>
#include <QObject>

GuiReportQueue::GuiReportQueue(QObject* context)
    : ReportQueue([this, context] {
          QMetaObject::invokeMethod(context, [this] { Drain(); }, Qt::QueuedConnection);
      })
{
}
