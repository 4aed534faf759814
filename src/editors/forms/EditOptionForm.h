// "Edit OPTION": one row per option item of the selected device, its title
// and a list of its choices from the option model. The dialog edits a
// private copy of option words 0 and 1; OK writes it back (and sets
// OptionChanged for the caller to redraw the summary), Cancel writes nothing.
#pragma once

#include "editors/OptionEditor.h"

#include <QDialog>

#include <array>

struct Workspace;
class Notifier;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

class TEditOption : public QDialog {
    Q_OBJECT
public:
    TEditOption(Workspace& ws, Notifier* notifier, QWidget* parent = nullptr);
    ~TEditOption() override;

    // Items 1..13 at [0..12]; stOption[5] reads "Security:".
    std::array<QLabel*, kOptionEditorItems> stOption{};
    std::array<QComboBox*, kOptionEditorItems> cbOption{};
    QFrame* Panel1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* bbOk = nullptr;
    QPushButton* bbCancel = nullptr;

    uint32_t OptionValue = 0;   // the value being edited

public slots:
    void bbOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void OptionChange(std::size_t item, int index);

    Workspace& Ws;
    Notifier* Notify;
    OptionEditorItems Items;
};

// The one dialog while it is open.
extern TEditOption* EditOption;

class MainContext;

// "OPTION" (F4, a double-click on the option summary): the dialog, then,
// when OK wrote the words, the summary and checksums redrawn from them (the
// words forced to the device's mask and fixed bits on the way).
void RunOptionEditor(MainContext& form);
