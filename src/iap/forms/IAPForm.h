// Writer firmware update window. It exists from start-up to exit; no command of the main window opens it.
#pragma once

#include <QWidget>

struct Workspace;
class Notifier;

class TIAPForm : public QWidget {
    Q_OBJECT
public:
    explicit TIAPForm(QWidget* parent = nullptr);
    ~TIAPForm() override;
};

extern TIAPForm* IAPForm;

// Shows the firmware-update window (made on first use when start-up made none).
void ShowFirmwareUpdate(Workspace& ws, Notifier& notifier, QWidget* owner);
