// "Enter new value": the word editor of the program-memory and EEPROM grids.
// The caller puts the cell's text into Data and the largest value it takes
// into Limit; OK hands back Value only for an entry within the limit, a
// larger one is refused with a message and the dialog stays open, and
// Cancel hands back nothing.
#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <optional>

class Notifier;
class QLabel;
class QLineEdit;
class QPushButton;

class TEditSingleData : public QDialog {
    Q_OBJECT
public:
    TEditSingleData(Notifier& notifier, uint32_t limit, QWidget* parent = nullptr);

    QString Data;         // the text of the cell being edited
    int32_t Value = 0;    // the accepted value, valid after OK

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

public slots:
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Notifier& Notify;
    uint32_t Limit;
};

// Runs the editor modally on a cell's text; the value on OK, nothing on
// Cancel, Esc or the close box.
std::optional<uint32_t> RunWordEditor(Notifier& notifier, const QString& cellText, uint32_t limit, QWidget* parent);
