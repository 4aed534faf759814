// The program's start: one copy per user, the splash picture while the main
// window is built, the long-lived windows in their order, then the event
// loop until the main window closes.
#pragma once

#include <string>

class Notifier;
class QApplication;

// Runs the program with the single-instance lock on `lockPath`; a copy that
// finds the lock taken tells the user through `notifier` and returns at once,
// before any window exists. Returns 0 in every case.
int RunWriter(QApplication& app, const std::string& lockPath, Notifier& notifier);
