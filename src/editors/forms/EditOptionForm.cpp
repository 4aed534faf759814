#include "editors/forms/EditOptionForm.h"
#include "platform/forms/Latin1.h"

#include "workspace/OptionModel.h"
#include "workspace/Workspace.h"
#include "workspace/forms/MainContext.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

TEditOption* EditOption = nullptr;

namespace {


constexpr const char* kLegend[] = {
    "PRD=Power Range Detect.",
    "         Don't enable PRD if the operating voltage",
    "         is under 4.5V.",
    "OST=Oscillator Start-up Time.",
    "         Don't choice 150us if the oscillator type is",
    "         LF, XT or HF.",
    "PUT=Power Up Time.",
    "WDT=Watchdog Timer.",
    "PED=Power Edge Detect.",
    "         Low level around 1.8V.",
    "         Middle level around 2.1V. (recommend value)",
    "         High level around 3.8V.",
    "        (Please refer to the spec for the actual voltage)",
};

}  // namespace

TEditOption::TEditOption(Workspace& ws, Notifier* notifier, QWidget* parent)
    : QDialog(parent), Ws(ws), Notify(notifier)
{
    EditOption = this;
    setObjectName(QStringLiteral("EditOption"));
    setWindowTitle(QStringLiteral("Edit OPTION"));
    auto* layout = new QHBoxLayout(this);
    auto* rows = new QGridLayout;
    for (std::size_t i = 0; i < kOptionEditorItems; ++i) {
        const int n = static_cast<int>(i) + 1;
        auto* label = new QLabel(n == 6 ? QStringLiteral("Security:") : QStringLiteral("Option %1:").arg(n), this);
        label->setObjectName(QStringLiteral("stOption%1").arg(n));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Every list takes only its own choices: a typed text would name
        // no choice and set every bit of the item.
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("cbOption%1").arg(n));
        list->setEditable(false);
        list->setMinimumContentsLength(14);
        label->setBuddy(list);
        rows->addWidget(label, static_cast<int>(i), 0);
        rows->addWidget(list, static_cast<int>(i), 1);
        stOption[i] = label;
        cbOption[i] = list;
        connect(list, &QComboBox::currentIndexChanged, this, [this, i](int index) { OptionChange(i, index); });
    }
    layout->addLayout(rows);

    auto* right = new QVBoxLayout;
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(Panel1);
    Memo1 = new QPlainTextEdit(Panel1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QStringList legend;
    for (const char* line : kLegend) legend << QString::fromLatin1(line);
    Memo1->setPlainText(legend.join(QLatin1Char('\n')));
    // The legend is read whole: the memo is as wide as its longest line.
    int widest = 0;
    for (const QString& line : legend) widest = std::max(widest, Memo1->fontMetrics().horizontalAdvance(line));
    Memo1->setMinimumWidth(widest + 2 * (Memo1->frameWidth() + int(Memo1->document()->documentMargin())) + 4);
    panelLayout->addWidget(Memo1);
    right->addWidget(Panel1, 1);
    auto* buttons = new QHBoxLayout;
    bbOk = new QPushButton(QStringLiteral("OK"), this);
    bbOk->setObjectName(QStringLiteral("bbOk"));
    bbOk->setDefault(true);
    bbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    buttons->addStretch(1);
    buttons->addWidget(bbOk);
    buttons->addWidget(bbCancel);
    right->addLayout(buttons);
    layout->addLayout(right, 1);
    connect(bbOk, &QPushButton::clicked, this, &TEditOption::bbOkClick);
    connect(bbCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(670, 539);
}

TEditOption::~TEditOption()
{
    if (EditOption == this) EditOption = nullptr;
}

void TEditOption::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // Centred on the desktop, not on the main window.
    if (const QScreen* desktop = screen()) move(desktop->availableGeometry().center() - rect().center());
    FormShow();
}

void TEditOption::FormShow()
{
    OptionValue = ComposeOptionValue(Ws);
    Items = LoadOptionEditorItems(Ws, OptionValue, Notify);
    for (std::size_t i = 0; i < kOptionEditorItems; ++i) {
        const OptionEditorItem& item = Items[i];
        QComboBox* list = cbOption[i];
        const QSignalBlocker block(list);
        if (!item.Present) {
            stOption[i]->setEnabled(false);
            stOption[i]->hide();
            list->setEnabled(false);
            continue;
        }
        stOption[i]->setEnabled(true);
        stOption[i]->show();
        stOption[i]->setText(Latin1(item.Title));
        list->setEnabled(true);
        list->clear();
        for (const OptionChoice& choice : item.Choices) list->addItem(Latin1(choice.Text));
        // No choice names the value (a blank item, a combination no choice
        // names): the list shows no selection and the value stays.
        list->setCurrentIndex(item.Selected);
    }
}

void TEditOption::OptionChange(std::size_t item, int index)
{
    OptionValue = ChooseOption(OptionValue, Items[item], index);
}

void TEditOption::bbOkClick()
{
    StoreOptionValue(Ws, OptionValue);
    accept();
}

void RunOptionEditor(MainContext& form)
{
    Workspace& ws = form.GetWorkspace();
    {
        TEditOption dialog(ws, &form.GetNotifier(), form.Window());
        dialog.exec();
    }
    if (ws.OptionChanged) {
        UpdateOption(ws, &form.GetNotifier());
        ws.OptionChanged = false;
    }
    form.ShowStatus();
}
