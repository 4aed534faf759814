// "Serial No.": where the serial number goes, how long it is, its range,
// step and mode. The fields are texts until OK: leaving a field tidies its
// text, OK checks them all and only then takes them into the workspace,
// switches serial mode on and places the current number; Abort leaves the
// workspace as it was. "Disable Serial Mode" switches serial mode off and
// "QTP File" writes a QTP file of the numbers. The dialog is filled from the
// workspace each time it opens (a serial set read from the writer first).
#pragma once

#include "serialno/SerialSettings.h"

#include <QDialog>

struct Workspace;
class Notifier;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class TSerialNoSetupForm : public QDialog {
    Q_OBJECT
public:
    TSerialNoSetupForm(Workspace& ws, Notifier& notifier, QWidget* parent = nullptr);
    ~TSerialNoSetupForm() override;

    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr;
    QLineEdit *StartAddress = nullptr, *NoOfByte = nullptr, *StartValue = nullptr, *EndValue = nullptr,
              *Increment = nullptr, *NoOfPart = nullptr;
    QGroupBox *RadioGroup1 = nullptr, *RadioGroup2 = nullptr, *RadioGroup3 = nullptr;
    QPushButton *BtnDisable = nullptr, *BtnQtpFile = nullptr, *BtnOK = nullptr, *BtnAbort = nullptr;
    QTimer* Timer1 = nullptr;

    // The selected item of a radio group (RadioGroup1..3), and selecting one
    // as the user would.
    int ItemIndex(const QGroupBox* group) const;
    void SetItemIndex(QGroupBox* group, int index);

    // The fields as they stand.
    SerialDialogTexts Texts() const;

public slots:
    void Timer1Timer();
    void RadioGroup1Click();
    void BtnOKClick();
    void BtnDisableClick();
    void BtnQtpFileClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* MakeRadioGroup(const QString& name, const QString& title, const QStringList& items);
    QButtonGroup* Buttons(const QGroupBox* group) const;
    void ShowTexts(const SerialDialogTexts& texts);
    void SetValueLength(int length);
    void FieldExit(QLineEdit* field);
    bool FilterKey(QLineEdit* field, const QString& text);
    // What the field's key filter makes of one character (null: refused).
    QChar KeyRule(const QLineEdit* field, QChar key) const;
    void ShowFailure(const SerialCheckFailure& failure);

    Workspace& Ws;
    Notifier& Notify;
};

// The one dialog while it is open.
extern TSerialNoSetupForm* SerialNoSetupForm;

class MainContext;

// "Serial No. Mode" (a double-click on "Serial No. :" too) and the end of
// "Read Serial Num Set": the dialog, then the main window drawn from what it
// left. After "Serial No. Mode" the open program-memory and EEPROM windows
// are rebuilt, so that a placed number shows.
void RunSerialNoSetup(MainContext& form, bool rebuildWindows);
