// The configuration dialog (menu "Configuration"): six check boxes mirrored
// into the workspace flags that the engine, the files and the command header
// read. It has only "Exit"; the flags are written however it is closed.
#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;
struct Workspace;

class TfmConfig : public QDialog {
    Q_OBJECT
public:
    explicit TfmConfig(Workspace& ws, QWidget* parent = nullptr);
    ~TfmConfig() override;

    // One per flag, in the order of the dialog.
    std::array<QCheckBox*, 6> CheckBoxes{};
    QPushButton* btExit = nullptr;

    // The check box named `name` (e.g. "cbKeepOption"), null when none.
    QCheckBox* CheckBox(const char* name) const;

    void done(int result) override;   // FormClose

private:
    void FormCreate();
    Workspace& Ws;
};

// The open configuration dialog, null while there is none.
extern TfmConfig* fmConfig;
