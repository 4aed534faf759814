#include "editors/forms/EditSingleData.h"

#include "editors/EditorCells.h"
#include "platform/Notifier.h"
#include "platform/forms/KeyFilter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TEditSingleData::TEditSingleData(Notifier& notifier, uint32_t limit, QWidget* parent)
    : QDialog(parent), Notify(notifier), Limit(limit)
{
    setObjectName(QStringLiteral("EditSingleData"));
    setWindowTitle(QStringLiteral("Enter new value"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto* column = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Enter new value :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(4);
    // Typed, pasted and dropped text alike: hexadecimal digits only.
    KeyFilterValidator::Install(Edit1, HexDigitKey);
    QFont large = Edit1->font();
    large.setPixelSize(24);
    Edit1->setFont(large);
    Label1->setBuddy(Edit1);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    OKBtn->setAutoDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(Edit1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    row->addLayout(buttons);
    column->addWidget(Label1);
    column->addLayout(row);
    connect(OKBtn, &QPushButton::clicked, this, &TEditSingleData::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(std::max(233, sizeHint().width()), std::max(107, sizeHint().height()));
}

void TEditSingleData::showEvent(QShowEvent* event)
{
    Edit1->setText(Data);
    Edit1->selectAll();
    QDialog::showEvent(event);
}

void TEditSingleData::OKBtnClick()
{
    const WordEntry entry = CheckWordEntry(Edit1->text().toStdString(), Limit);
    Edit1->setText(QString::fromStdString(entry.Text));
    if (entry.Status != WordEntryStatus::Accepted) {
        // Only a value above the limit can pass the validator; either way the
        // old text comes back and the dialog stays.
        if (entry.Status == WordEntryStatus::TooLarge) Notify.Message(kValueTooLargeMessage, "Error", MessageIcon::Error);
        Edit1->setText(Data);
        return;
    }
    Value = static_cast<int32_t>(entry.Value);
    accept();
}

std::optional<uint32_t> RunWordEditor(Notifier& notifier, const QString& cellText, uint32_t limit, QWidget* parent)
{
    TEditSingleData dialog(notifier, limit, parent);
    dialog.Data = cellText;
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return static_cast<uint32_t>(dialog.Value);
}
