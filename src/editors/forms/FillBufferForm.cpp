#include "editors/forms/FillBufferForm.h"
#include "editors/forms/DialogButtons.h"

#include "workspace/Checksum.h"
#include "workspace/Workspace.h"
#include "editors/FillRange.h"
#include "platform/Notifier.h"
#include "platform/forms/KeyFilter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFillBufferForm::TFillBufferForm(Workspace& ws, Notifier& notifier, QWidget* parent)
    : QDialog(parent), Ws(ws), Notify(notifier)
{
    setObjectName(QStringLiteral("FillBufferForm"));
    setWindowTitle(QStringLiteral("Fill Buffer"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto* grid = new QGridLayout(this);
    // Only hexadecimal digits and backspace reach the edits.
    auto makeEdit = [&](const QString& name, int row, const QString& caption, const QString& text) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(name);
        edit->setMaxLength(4);
        KeyFilterValidator::Install(edit, HexDigitKey);
        grid->addWidget(new QLabel(caption, this), row, 0);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    Edit1 = makeEdit(QStringLiteral("Edit1"), 0, QStringLiteral("Start address :"), QStringLiteral("0"));
    Edit2 = makeEdit(QStringLiteral("Edit2"), 1, QStringLiteral("End address :"),
                     QString::number(Ws.FillMaxAddress, 16).toUpper());
    Edit3 = makeEdit(QStringLiteral("Edit3"), 2, QStringLiteral("Data :"),
                     QString::number(Ws.FillMaxValue, 16).toUpper());
    grid->addLayout(OkCancelRow(this, BitBtn1, BitBtn2), 3, 0, 1, 2);
    connect(BitBtn1, &QPushButton::clicked, this, &TFillBufferForm::BitBtn1Click);
    setFixedSize(260, 155);
}

void TFillBufferForm::BitBtn1Click()
{
    FillRequest request;
    request.Start = int32_t(HexToInt(Ws, Edit1->text().toStdString()));
    request.End = int32_t(HexToInt(Ws, Edit2->text().toStdString()));
    request.Value = int32_t(HexToInt(Ws, Edit3->text().toStdString()));
    const std::string error = CheckFillRequest(Ws, request);
    if (!error.empty()) {
        Notify.Message(error, "Error", MessageIcon::Error);
        return;
    }
    // The workspace takes the values only once they passed, so a rejected
    // entry never reaches a caller that looks at them.
    Ws.FillStart = request.Start;
    Ws.FillEnd = request.End;
    Ws.FillValue = request.Value;
    accept();
}
