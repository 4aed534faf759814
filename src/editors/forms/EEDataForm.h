// "EEPROM data": the workspace's EEPROM bytes as a grid of two-digit
// hexadecimal numbers, sixteen a row, each opened for editing by a
// double-click through the word editor.
#pragma once

#include "editors/forms/HexGrid.h"

class TEEDataForm : public HexGridWindow {
    Q_OBJECT
public:
    explicit TEEDataForm(MainContext& main, QWidget* parent = nullptr);
    ~TEEDataForm() override;

    void StringGrid1DblClick();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// The open EEPROM window, or null.
extern TEEDataForm* EEDataForm;
