// The disassembly window: a child window of the main window that shows the
// listing of program memory as it stood when the window was made. It is a
// snapshot, built afresh on every "Disassemble" and never refreshed; the
// text it shows is the text "Save Disassmble" writes.
#pragma once

#include <QWidget>

#include <string>

class QPlainTextEdit;
class MainContext;

class TDisassembleForm : public QWidget {
    Q_OBJECT
public:
    // Builds the listing from the form's workspace (FormCreate).
    explicit TDisassembleForm(MainContext& mainForm, QWidget* parent = nullptr);
    ~TDisassembleForm() override;

    const std::string& Listing() const { return ListingText; }

    QPlainTextEdit* Memo1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MainContext* MainWindow;
    std::string ListingText;
};

// The one disassembly window, null while there is none.
extern TDisassembleForm* DisassembleForm;

namespace disasm_forms {

// View > "Disassemble": destroys an open window, builds a new one from the
// current program memory and enables "Save Disassmble".
void Disassemble1Click(MainContext& form);
// File > "Save Disassmble": asks for a ".dis" name and saves the listing.
void FileSaveAsItemClick(MainContext& form);
// Destroys the window if there is one (flag and menu item are the caller's).
void DestroyWindow();

}  // namespace disasm_forms
