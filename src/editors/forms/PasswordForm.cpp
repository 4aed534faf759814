#include "editors/forms/PasswordForm.h"

#include "workspace/forms/MainContext.h"
#include "workspace/Workspace.h"
#include "workspace/BufferCommands.h"
#include "editors/EngineeringPanel.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TPasswordForm* PasswordForm = nullptr;

TPasswordForm::TPasswordForm(Workspace& ws, QWidget* parent) : QDialog(parent), Ws(ws)
{
    setObjectName(QStringLiteral("PasswordForm"));
    setWindowTitle(QStringLiteral("Password"));
    setFixedSize(263, 181);
    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral("Password :"), this);
    label->setObjectName(QStringLiteral("Label1"));
    MaskEdit1 = new QLineEdit(this);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    // Eight optional letters or digits; unfilled positions are blanks and
    // belong to the text.
    MaskEdit1->setInputMask(QStringLiteral("nnnnnnnn; "));
    label->setBuddy(MaskEdit1);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    grid->addWidget(label, 0, 0);
    grid->addWidget(MaskEdit1, 0, 1);
    grid->addWidget(btnOK, 1, 0, 1, 2, Qt::AlignHCenter);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);   // btnOKClick
    PasswordForm = this;
}

TPasswordForm::~TPasswordForm()
{
    if (PasswordForm == this) PasswordForm = nullptr;
}

void TPasswordForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    MaskEdit1->clear();
    MaskEdit1->setFocus();
}

void TPasswordForm::done(int result)
{
    // The full masked text, blanks included, so "QEN1987" typed leaves the
    // eighth position blank as the code has it.
    Ws.PasswordText = PasswordFromEdit(MaskEdit1->displayText().toStdString());
    QDialog::done(result);
}

namespace engineering_forms {

void AccessCheck(MainContext& form)
{
    QAction* forceWrite = form.Action(QStringLiteral("ForceWrite"));
    QAction* option2 = form.Action(QStringLiteral("tbOption2"));
    if (forceWrite->isVisible() || option2->isVisible() || form.EngineeringPanelShown()) {
        forceWrite->setVisible(false);
        option2->setVisible(false);
        form.ShowEngineeringPanel(false);
        return;
    }
    AccessLevel level = AccessLevel::None;
    {
        TPasswordForm dialog(form.GetWorkspace(), form.Window());
        dialog.exec();
        level = AccessLevelOf(form.GetWorkspace().PasswordText);
    }
    if (level == AccessLevel::None) return;
    forceWrite->setVisible(true);
    option2->setVisible(true);
    if (level == AccessLevel::Panel) form.ShowEngineeringPanel(true);
}

}  // namespace engineering_forms
