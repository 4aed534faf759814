// The status panel at the main window's left (Panel1): the device selector
// and the groups that show the workspace's status texts (serial number,
// options, ID, pass count, checksums), with the engineering panel below.
// It draws a StatusPanel and remembers what it drew.
#pragma once

#include "workspace/Workspace.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;

class TStatusPanel : public QWidget {
    Q_OBJECT
public:
    // engineering: the engineering panel, placed under the groups.
    TStatusPanel(QWidget* engineering, QWidget* parent = nullptr);

    // Draws every text; an option item without a caption keeps the one shown.
    void Show(const StatusPanel& status);
    // The texts as drawn now.
    const StatusPanel& Shown() const { return shown_; }

    QLabel* Label2 = nullptr;
    QComboBox* ComboBox2 = nullptr;     // device selector
    QGroupBox* GroupBox1 = nullptr;     // "Serial No. :"
    QLabel* Label12 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* StaticText10 = nullptr;
    QLabel* stSerialNo = nullptr;
    QGroupBox* GroupBox2 = nullptr;     // "Options :"
    // Items 1..13 at [0..12]; [5] is stSecurity / lbSecurity.
    std::array<QLabel*, 13> stOption{};
    std::array<QLabel*, 13> lbOption{};
    QLabel* stProtectOn = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* stOptionValue = nullptr;
    QGroupBox* GroupBox3 = nullptr;     // "ID :"
    QLabel* Label18 = nullptr;
    QGroupBox* GroupBox4 = nullptr;     // "Pass Count :"
    QLabel* Label13 = nullptr;
    QGroupBox* GroupBox7 = nullptr;     // "Checksum :"
    QLabel* StaticText9 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* StaticText8 = nullptr;
    QLabel* OptChecksum = nullptr;
    QLabel* StaticText21 = nullptr;
    QLabel* ProtectSum = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label17 = nullptr;

private:
    StatusPanel shown_;
};
