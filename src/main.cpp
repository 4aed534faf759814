// Start-up: one copy per user, the splash picture while the main window is
// built, the long-lived windows in their order, then the event loop.
#include "app/forms/LogoForm.h"
#include "app/forms/MainForm.h"
#include "app/forms/QtNotifier.h"
#include "iap/forms/IAPForm.h"
#include "infosheet/forms/LogoForm1.h"
#include "infosheet/forms/LogoForm2.h"
#include "link/forms/AutoWriterSetupForm.h"
#include "platform/InstanceLock.h"

#include <QApplication>
#include <QScreen>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("krv-writer"));
    QApplication::setApplicationDisplayName(QStringLiteral("Writer"));

    const InstanceLock lock(InstanceLock::DefaultPath());
    if (!lock.Acquired()) {
        QtNotifier().Message("Process is running!");
        return 0;
    }

    // The splash is painted before the main window is built; it frees itself
    // when the main window's creation closes it.
    auto* splash = new TLogoForm;
    splash->show();
    splash->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    auto mainForm = std::make_unique<TMainForm>();
    const auto logo2 = std::make_unique<TLogoForm2>();
    const auto logo1 = std::make_unique<TLogoForm1>();
    const auto autoWriterSetup = std::make_unique<TAutoWriterSetupForm>();
    const auto iap = std::make_unique<TIAPForm>();

    // Without a window manager a maximise request does nothing; the window
    // then still covers the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainForm->setGeometry(screen->availableGeometry());
    mainForm->showMaximized();
    app.exec();
    return 0;
}
