#include "disasm/forms/DisForm.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "disasm/Disassembler.h"
#include "files/forms/FileForms.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TDisassembleForm* DisassembleForm = nullptr;

namespace {

QString DisplayPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

TDisassembleForm::TDisassembleForm(MainContext& mainForm, QWidget* parent) : QWidget(parent), MainWindow(&mainForm)
{
    setObjectName(QStringLiteral("DisassembleForm"));
    const Workspace& ws = mainForm.GetWorkspace();
    setWindowTitle(ws.ProgramFileName.empty() ? QString::fromLatin1(listing_dialog::kWindowCaption)
                                              : DisplayPath(ws.ProgramFileName));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);

    ListingText = BuildListing(ws);
    // The memo shows lines; CR LF is the file's line end, not the memo's.
    QString shown = QString::fromLatin1(ListingText.data(), qsizetype(ListingText.size()));
    shown.remove(QLatin1Char('\r'));
    if (shown.endsWith(QLatin1Char('\n'))) shown.chop(1);
    Memo1->setPlainText(shown);
}

TDisassembleForm::~TDisassembleForm()
{
    if (DisassembleForm == this) DisassembleForm = nullptr;
}

void TDisassembleForm::closeEvent(QCloseEvent* event)
{
    // FormClose: the user closed the window; the framework frees it.
    MainWindow->GetWorkspace().DisasmWindowOpen = false;
    MainWindow->EnableAction(QStringLiteral("FileSaveAsItem"), false);
    QWidget::closeEvent(event);
}

namespace disasm_forms {

void DestroyWindow()
{
    if (!DisassembleForm) return;
    QWidget* window = DisassembleForm;
    DisassembleForm = nullptr;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        delete sub;
    else
        delete window;
}

void Disassemble1Click(MainContext& form)
{
    // A snapshot: an open window is never brought to the front, it is made anew.
    DestroyWindow();
    auto* window = new TDisassembleForm(form);
    DisassembleForm = window;
    form.AddChildWindow(window, [](QMdiSubWindow& frame) { frame.resize(545, 480); });
    form.GetWorkspace().DisasmWindowOpen = true;
    form.EnableAction(QStringLiteral("FileSaveAsItem"), true);
}

void FileSaveAsItemClick(MainContext& form)
{
    if (!DisassembleForm) return;
    file_forms::FileDialogRequest request;
    request.Save = true;
    request.Title = QString::fromLatin1(listing_dialog::kTitle);
    request.Filter = file_forms::QtFilter(listing_dialog::kFilter);
    request.FilterIndex = 1;
    request.DefaultSuffix = QString::fromLatin1(listing_dialog::kDefaultSuffix);
    request.FileName = DisplayPath(ProposedListingName(form.GetWorkspace().ProgramFileName));
    const file_forms::FileDialogChoice choice = file_forms::RunFileDialog(form.Window(), request);
    if (choice.Path.isEmpty()) return;
    SaveListing(DisassembleForm->Listing(), QFile::encodeName(choice.Path).toStdString(), choice.FilterIndex,
                form.GetNotifier());
}

}  // namespace disasm_forms
