#include "editors/forms/EngineeringPanelForm.h"

#include "app/forms/MainForm.h"
#include "editors/EngineeringPanel.h"
#include "platform/forms/KeyFilter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace engineering_forms {
namespace {

void Toggle(QPushButton* button, bool& flag)
{
    flag = !flag;
    button->setText(flag ? QStringLiteral("Disable") : QStringLiteral("Enable"));
}

// Each correction changes the text again, which runs the keeper again.
void KeepWidth(QLineEdit* edit, const WidthRule& rule)
{
    const QString kept = QString::fromStdString(KeptWidthText(rule, edit->text().toStdString()));
    if (kept != edit->text()) edit->setText(kept);
}

}  // namespace

void BindEngineeringPanel(TMainForm& form)
{
    TMainForm* f = &form;
    // Each edit and the mode list are found by the caption in front of them.
    form.StaticText12->setBuddy(form.PulseWidth);
    form.StaticText14->setBuddy(form.EraseWidth);
    for (QLabel* label : form.Panel2->findChildren<QLabel*>())
        if (label->text() == QLatin1String("Bit6-5 of MODE:")) label->setBuddy(form.Mode65);
    QObject::connect(form.QtpSim, &QPushButton::clicked, &form, [f] { QtpSimClick(*f); });
    QObject::connect(form.FlashPgmTest, &QPushButton::clicked, &form, [f] { FlashPgmTestClick(*f); });
    QObject::connect(form.btShowTime, &QPushButton::clicked, &form, [f] { btShowTimeClick(*f); });
    // Digits only: a sign or a letter cannot be typed into a width.
    for (QLineEdit* edit : {form.PulseWidth, form.EraseWidth}) KeyFilterValidator::Install(edit, DecimalDigitKey);
    QObject::connect(form.PulseWidth, &QLineEdit::textChanged, &form, [f] { PulseWidthChange(*f); });
    QObject::connect(form.EraseWidth, &QLineEdit::textChanged, &form, [f] { EraseWidthChange(*f); });
}

void QtpSimClick(TMainForm& form)
{
    Workspace& ws = form.GetWorkspace();
    if (!ws.SerialModeOn) return;
    Toggle(form.QtpSim, ws.QtpSimulate);
}

void FlashPgmTestClick(TMainForm& form) { Toggle(form.FlashPgmTest, form.GetWorkspace().FlashPgmTestOn); }

void btShowTimeClick(TMainForm& form) { Toggle(form.btShowTime, form.GetWorkspace().ShowProgramTime); }

void PulseWidthChange(TMainForm& form) { KeepWidth(form.PulseWidth, kPulseWidthRule); }

void EraseWidthChange(TMainForm& form) { KeepWidth(form.EraseWidth, kEraseWidthRule); }

}  // namespace engineering_forms
