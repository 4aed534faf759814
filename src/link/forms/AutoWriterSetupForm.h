// "Auto Writer Setup": the number of runs and the pause of the automatic
// repetition; "Set" stores them and arms it. The engineering panel opens it.
#pragma once

#include <QDialog>

struct Workspace;
class QLineEdit;
class QPushButton;

class TAutoWriterSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TAutoWriterSetupForm(Workspace& ws, QWidget* parent = nullptr);
    ~TAutoWriterSetupForm() override;

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

public slots:
    void Edit1Exit();
    void Edit2Exit();
    void Button1Click();

private:
    Workspace& Ws();
    Workspace& ws_;
};

extern TAutoWriterSetupForm* AutoWriterSetupForm;

// Shows a fresh setup dialog modally over owner and destroys it afterwards.
void RunAutoWriterSetup(Workspace& ws, QWidget* owner);
