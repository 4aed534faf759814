// "Customer Information sheet": the dialog that gathers the customer's data
// beside the main window's device, options and checksums, and saves the
// sheet as text, prints it on the default printer or saves it as a JPEG
// picture. The sheet's rules are in the core (InfoSheet); this form only
// reads its controls into InfoSheetData and hands it on.
#pragma once

#include "infosheet/InfoSheet.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;
class MainContext;

class TInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TInfoForm(MainContext& main, QWidget* parent = nullptr);

    // The sheet as the controls hold it now, with today's date.
    InfoSheetData SheetData() const;

    QLineEdit* edCustomerName = nullptr;
    QLineEdit* edCustomerProject = nullptr;
    QLabel* stDataFileName = nullptr;
    QLabel* stDeviceName = nullptr;
    // Items 1..13 at [0..12] as in the main window; [5] is stSecurity / lbSecurity.
    std::array<QLabel*, 13> stOption{};
    std::array<QLabel*, 13> lbOption{};
    QLabel* stOptionValue = nullptr;
    QLabel* stChecksum = nullptr;
    QLabel* stChecksumWithOpt = nullptr;
    QLineEdit* edFrequency = nullptr;
    QLineEdit* edVoltageLow = nullptr;
    QLineEdit* edVoltageHi = nullptr;
    QLineEdit* edCurrent = nullptr;
    QLineEdit* edSleepCurrent = nullptr;
    QGroupBox* rgSerialMode = nullptr;
    QRadioButton* SerialDisable = nullptr;
    QRadioButton* SerialEnable = nullptr;
    QLabel* StaticText7 = nullptr;
    QLineEdit* edSerialNoStartAddr = nullptr;
    QLabel* StaticText10 = nullptr;
    QLineEdit* edPartNo = nullptr;
    QLineEdit* edCodeNo = nullptr;
    QCheckBox* cbPrintToFile = nullptr;
    QPushButton* bbPrint = nullptr;
    QPushButton* bbSave = nullptr;
    QPushButton* bbExit = nullptr;

    // Set only when a sheet really reached the printer or a file.
    bool Printed = false;
    bool Saved = false;

public slots:
    void bbPrintClick();
    void bbSaveClick();
    void bbExitClick();
    void rgSerialModeClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    bool RequiredFieldsFilled();
    bool PrintProjectInfo();
    bool PrintOnDefaultPrinter(const InfoSheetData& data);
    bool SavePicture(const InfoSheetData& data);
    bool SaveProjectInfo();

    MainContext& Main;
};

// Where the printer path prints: the system's default printer, or null when
// there is none. Tests put a PDF printer here; an empty source restores the
// default printer.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;
void SetPrinterSource(PrinterSource source);

// The main window's "Generate customer's information sheet": the opening
// checks, then the dialog, modal.
void OpenInfoSheet(MainContext& main);
