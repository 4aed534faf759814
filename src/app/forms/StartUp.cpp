#include "app/forms/StartUp.h"

#include "app/forms/LogoForm.h"
#include "app/forms/MainForm.h"
#include "iap/forms/IAPForm.h"
#include "infosheet/forms/LogoForms.h"
#include "link/forms/AutoWriterSetupForm.h"
#include "platform/InstanceLock.h"
#include "platform/Notifier.h"

#include <QApplication>
#include <QScreen>

#include <memory>

int RunWriter(QApplication& app, const std::string& lockPath, Notifier& notifier)
{
    const InstanceLock lock(lockPath);
    if (!lock.Acquired()) {
        notifier.Message("Process is running!");
        return 0;
    }

    // The splash is painted before the main window is built; it frees itself
    // when the main window's creation closes it.
    auto* splash = new TLogoForm;
    splash->show();
    splash->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    const auto mainForm = std::make_unique<TMainForm>(&notifier);
    const auto logo2 = std::make_unique<TLogoForm2>();
    const auto logo1 = std::make_unique<TLogoForm1>();
    const auto autoWriterSetup = std::make_unique<TAutoWriterSetupForm>(mainForm->GetWorkspace());
    const auto iap = std::make_unique<TIAPForm>(mainForm->GetWorkspace(), notifier);

    // Without a window manager a maximise request does nothing; the window
    // then still covers the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainForm->setGeometry(screen->availableGeometry());
    mainForm->showMaximized();
    app.exec();
    return 0;
}
