// "EEPROM data": the workspace's EEPROM bytes as a grid of two-digit
// hexadecimal numbers, sixteen a row, each opened for editing by a
// double-click through the word editor.
#pragma once

#include <QWidget>

class HexGridModel;
class QTableView;
class TMainForm;

class TEEDataForm : public QWidget {
    Q_OBJECT
public:
    explicit TEEDataForm(TMainForm& main, QWidget* parent = nullptr);
    ~TEEDataForm() override;

    void FormCreate();
    void StringGrid1DblClick();

    HexGridModel* Model() const { return GridModel; }
    QTableView* StringGrid1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TMainForm& Main;
    HexGridModel* GridModel = nullptr;
};

// The open EEPROM window, or null.
extern TEEDataForm* EEDataForm;
