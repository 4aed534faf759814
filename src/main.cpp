#include "app/forms/QtNotifier.h"
#include "app/forms/StartUp.h"
#include "platform/InstanceLock.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("krv-writer"));
    QApplication::setApplicationDisplayName(QStringLiteral("Writer"));
    QtNotifier notifier;
    return RunWriter(app, InstanceLock::DefaultPath(), notifier);
}
