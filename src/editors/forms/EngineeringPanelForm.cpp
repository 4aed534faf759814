#include "editors/forms/EngineeringPanelForm.h"

#include "editors/EngineeringPanel.h"
#include "platform/forms/KeyFilter.h"
#include "workspace/Workspace.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

template <class W>
W* Named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

}  // namespace

TEngineeringPanel::TEngineeringPanel(Workspace& ws, QWidget* parent) : QFrame(parent), Ws(ws)
{
    setObjectName(QStringLiteral("Panel2"));
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    QtpSim = Named(new QPushButton(QStringLiteral("Enable"), this), QStringLiteral("QtpSim"));
    FlashPgmTest = Named(new QPushButton(QStringLiteral("Enable"), this), QStringLiteral("FlashPgmTest"));
    btShowTime = Named(new QPushButton(QStringLiteral("Enable"), this), QStringLiteral("btShowTime"));
    grid->addWidget(new QLabel(QStringLiteral("QTP Sim :"), this), 0, 0);
    grid->addWidget(QtpSim, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Flash Pgm test :"), this), 1, 0);
    grid->addWidget(FlashPgmTest, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Show program time:"), this), 2, 0);
    grid->addWidget(btShowTime, 2, 1, 1, 2);
    StaticText12 = Named(new QLabel(QStringLiteral("Write pulse width:"), this), QStringLiteral("StaticText12"));
    StaticText13 = Named(new QLabel(QStringLiteral("x 0.2ms"), this), QStringLiteral("StaticText13"));
    StaticText14 = Named(new QLabel(QStringLiteral("Erase pulse width:"), this), QStringLiteral("StaticText14"));
    StaticText15 = Named(new QLabel(QStringLiteral("x 0.1ms"), this), QStringLiteral("StaticText15"));
    PulseWidth = Named(new QLineEdit(QString::fromLatin1(kPulseWidthRule.Initial), this),
                       QString::fromLatin1(kPulseWidthRule.Edit));
    EraseWidth = Named(new QLineEdit(QString::fromLatin1(kEraseWidthRule.Initial), this),
                       QString::fromLatin1(kEraseWidthRule.Edit));
    PulseWidth->setMaximumWidth(50);
    EraseWidth->setMaximumWidth(50);
    grid->addWidget(StaticText12, 3, 0);
    grid->addWidget(PulseWidth, 3, 1);
    grid->addWidget(StaticText13, 3, 2);
    grid->addWidget(StaticText14, 4, 0);
    grid->addWidget(EraseWidth, 4, 1);
    grid->addWidget(StaticText15, 4, 2);
    auto* modeCaption = new QLabel(QStringLiteral("Bit6-5 of MODE:"), this);
    grid->addWidget(modeCaption, 5, 0);
    Mode65 = Named(new QComboBox(this), QStringLiteral("Mode65"));
    Mode65->addItems({QStringLiteral("00"), QStringLiteral("01"), QStringLiteral("10"), QStringLiteral("11")});
    grid->addWidget(Mode65, 5, 1, 1, 2);
    // The repetition setup and the firmware update have no menu command:
    // only the engineering panel opens them.
    AutoWriterSetup = new QPushButton(QStringLiteral("Auto Writer Setup"), this);
    FirmwareUpdate = new QPushButton(QStringLiteral("FW Update"), this);
    grid->addWidget(AutoWriterSetup, 6, 0);
    grid->addWidget(FirmwareUpdate, 6, 1, 1, 2);

    // Each edit and the mode list are found by the caption in front of them.
    StaticText12->setBuddy(PulseWidth);
    StaticText14->setBuddy(EraseWidth);
    modeCaption->setBuddy(Mode65);
    connect(QtpSim, &QPushButton::clicked, this, &TEngineeringPanel::QtpSimClick);
    connect(FlashPgmTest, &QPushButton::clicked, this, &TEngineeringPanel::FlashPgmTestClick);
    connect(btShowTime, &QPushButton::clicked, this, &TEngineeringPanel::btShowTimeClick);
    // Digits only: a sign or a letter cannot be typed into a width.
    for (QLineEdit* edit : {PulseWidth, EraseWidth}) KeyFilterValidator::Install(edit, DecimalDigitKey);
    connect(PulseWidth, &QLineEdit::textChanged, this, &TEngineeringPanel::PulseWidthChange);
    connect(EraseWidth, &QLineEdit::textChanged, this, &TEngineeringPanel::EraseWidthChange);
    hide();
}

EngineeringValues TEngineeringPanel::Values() const
{
    EngineeringValues v;
    v.PanelVisible = isVisible();
    v.EraseWidth = EraseWidth->text().toStdString();
    v.PulseWidth = PulseWidth->text().toStdString();
    v.Mode65 = std::max(0, Mode65->currentIndex());
    return v;
}

void TEngineeringPanel::QtpSimClick()
{
    if (!Ws.SerialModeOn) return;
    Toggle(QtpSim, Ws.QtpSimulate);
}

void TEngineeringPanel::FlashPgmTestClick() { Toggle(FlashPgmTest, Ws.FlashPgmTestOn); }

void TEngineeringPanel::btShowTimeClick() { Toggle(btShowTime, Ws.ShowProgramTime); }

void TEngineeringPanel::PulseWidthChange() { KeepWidth(PulseWidth, kPulseWidthRule); }

void TEngineeringPanel::EraseWidthChange() { KeepWidth(EraseWidth, kEraseWidthRule); }
