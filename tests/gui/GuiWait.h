// Waiting for a state of the GUI, with the event loop running meanwhile.
#pragma once

#include <QElapsedTimer>
#include <QTest>

#include <functional>

inline bool WaitUntil(const std::function<bool()>& condition, int ms = 15000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}
