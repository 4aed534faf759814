// The password dialog behind a double-click on the main window's
// "Serial Port :" label, and the access check that shows the hidden tool
// buttons and the engineering panel for the right code.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class MainContext;
struct Workspace;

class TPasswordForm : public QDialog {
    Q_OBJECT
public:
    explicit TPasswordForm(Workspace& ws, QWidget* parent = nullptr);
    ~TPasswordForm() override;

    QLineEdit* MaskEdit1 = nullptr;   // eight optional letters or digits, blanks where unfilled
    QPushButton* btnOK = nullptr;

    // FormClose: PasswordText := the edit's eight characters upper-cased,
    // however the dialog ends (OK, the close box, Escape).
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;   // FormShow: the edit cleared to blanks

private:
    Workspace& Ws;
};

// The open password dialog, null while there is none.
extern TPasswordForm* PasswordForm;

namespace engineering_forms {

// Label3DblClick: while "Write data without check", "Change to Option 2" or
// the engineering panel shows, hides all three; otherwise asks for the
// password and shows what its code opens (a wrong code: nothing, silently).
void AccessCheck(MainContext& form);

}  // namespace engineering_forms
