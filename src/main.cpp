#include "app/forms/QtNotifier.h"
#include "app/forms/StartUp.h"
#include "platform/InstanceLock.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("krv-writer"));
    // Ties the windows to the installed menu entry (task bar icon and name).
    QApplication::setDesktopFileName(QStringLiteral("krv-writer"));
    // No display name: the system would append it to every window title,
    // and the main window's title is exactly "Writer V" and the version.
    QtNotifier notifier;
    return RunWriter(app, InstanceLock::DefaultPath(), notifier);
}
