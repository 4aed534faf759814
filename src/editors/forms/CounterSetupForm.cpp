#include "editors/forms/CounterSetupForm.h"
#include "editors/forms/DialogButtons.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "editors/EditorCells.h"
#include "platform/forms/KeyFilter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TCounterSetupForm::TCounterSetupForm(MainContext& main, QWidget* parent) : QDialog(parent), Main(main)
{
    setObjectName(QStringLiteral("CounterSetupForm"));
    setWindowTitle(QStringLiteral("Counter Setup"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    auto* grid = new QGridLayout(this);
    Label1 = new QLabel(QStringLiteral("Start Value :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(QString::fromLatin1(Main.GetWorkspace().Status.PassCountText.c_str()), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(int(kPassCountDigits));
    // Typed, pasted and dropped text alike: decimal digits only.
    KeyFilterValidator::Install(Edit1, DecimalDigitKey);
    Label1->setBuddy(Edit1);
    Label2 = new QLabel(QStringLiteral("( Only available in Auto program mode!! )"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Label2, 1, 0, 1, 2);
    grid->addLayout(OkCancelRow(this, BitBtn1, BitBtn2), 2, 0, 1, 2);
    // Only a count the engine can advance is taken: OK waits for digits.
    auto enableOk = [this] { BitBtn1->setEnabled(ParsePassCount(Edit1->text().toStdString()).has_value()); };
    connect(Edit1, &QLineEdit::textChanged, this, enableOk);
    enableOk();
    connect(BitBtn1, &QPushButton::clicked, this, &TCounterSetupForm::BitBtn1Click);
    setFixedSize(std::max(258, sizeHint().width()), std::max(127, sizeHint().height()));
}

void TCounterSetupForm::BitBtn1Click()
{
    if (!SetPassCount(Main.GetWorkspace(), Edit1->text().toStdString())) return;
    Main.ShowStatus();
    accept();
}
