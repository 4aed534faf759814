// The GUI side of the worker contract (platform/Worker.h): a report queue
// drained on the GUI thread. Make it on the GUI thread as a member of the
// form that shows the reports, and stop the worker before it goes; reports
// still waiting then are dropped with it.
//
// The wake-up is a queued call of a slot without arguments: Qt makes and
// frees the event inside its own library, so nothing the worker wrote
// travels outside the queue's mutex, and ThreadSanitizer sees every
// hand-over the reports make.
#pragma once

#include "platform/Worker.h"

#include <QObject>

class GuiReportQueue : public QObject, public ReportQueue {
    Q_OBJECT
public:
    GuiReportQueue();

private slots:
    void DrainReports() { Drain(); }
};
