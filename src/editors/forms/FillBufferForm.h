// The "Fill Buffer" dialog: start address, end address and data in
// hexadecimal, checked against the limits its caller put into the workspace.
// On OK with values that pass, FillStart, FillEnd and FillValue receive them
// and the dialog ends accepted; a failed check shows its message and keeps
// the dialog open for correction; Cancel changes nothing.
#pragma once

#include <QDialog>

struct Workspace;
class Notifier;
class QLineEdit;
class QPushButton;

class TFillBufferForm : public QDialog {
    Q_OBJECT
public:
    TFillBufferForm(Workspace& ws, Notifier& notifier, QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

public slots:
    void BitBtn1Click();

private:
    Workspace& Ws;
    Notifier& Notify;
};
