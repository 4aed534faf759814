// The engineering panel of the main window (Panel2), hidden until the access
// code opens it: three on/off switches whose captions name the next click's
// action ("Enable" while off, "Disable" while on), the two pulse-width edits
// with their range keepers, the MODE bits and the buttons of the repetition
// setup and the firmware update (the main window connects those two).
#pragma once

#include "workspace/EngineeringValues.h"

#include <QFrame>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct Workspace;

class TEngineeringPanel : public QFrame {
    Q_OBJECT
public:
    TEngineeringPanel(Workspace& ws, QWidget* parent = nullptr);

    // The values a run's command headers take, read when the run starts.
    EngineeringValues Values() const;

    QPushButton* QtpSim = nullptr;
    QPushButton* FlashPgmTest = nullptr;
    QPushButton* btShowTime = nullptr;
    QLabel* StaticText12 = nullptr;
    QLabel* StaticText13 = nullptr;
    QLabel* StaticText14 = nullptr;
    QLabel* StaticText15 = nullptr;
    QLineEdit* PulseWidth = nullptr;
    QLineEdit* EraseWidth = nullptr;
    QComboBox* Mode65 = nullptr;
    QPushButton* AutoWriterSetup = nullptr;
    QPushButton* FirmwareUpdate = nullptr;

public slots:
    void QtpSimClick();         // QtpSimulate, only while serial mode is on
    void FlashPgmTestClick();   // FlashPgmTestOn
    void btShowTimeClick();     // ShowProgramTime
    void PulseWidthChange();    // kept in 1..127
    void EraseWidthChange();    // kept in 1..255

private:
    Workspace& Ws;
};
