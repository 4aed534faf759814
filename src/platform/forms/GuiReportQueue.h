// The GUI side of the worker contract (platform/Worker.h): a report queue
// that a queued call to its context object drains on the GUI thread. Keep
// it a member of that object and stop the worker before it goes; reports
// still waiting when the object is destroyed are dropped with it.
#pragma once

#include "platform/Worker.h"

class QObject;

class GuiReportQueue : public ReportQueue {
public:
    explicit GuiReportQueue(QObject* context);
};
