#include "app/forms/StatusPanelForm.h"

#include "platform/forms/Latin1.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel* MakeValue(const QString& name, const QString& text, QWidget* parent)
{
    QLabel* label = MakeLabel(name, text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("QLabel:disabled { color: palette(mid); }"));
    return label;
}

}  // namespace

TStatusPanel::TStatusPanel(QWidget* engineering, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(8);

    auto* deviceRow = new QHBoxLayout;
    Label2 = MakeLabel(QStringLiteral("Label2"), QStringLiteral("Device:"), this);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setMinimumContentsLength(10);
    deviceRow->addWidget(Label2);
    deviceRow->addWidget(ComboBox2, 1);
    column->addLayout(deviceRow);

    auto makeGroup = [this, column](const QString& name, const QString& title) {
        auto* box = new QGroupBox(title, this);
        box->setObjectName(name);
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(3);
        grid->setColumnStretch(1, 1);
        column->addWidget(box);
        return std::pair{box, grid};
    };
    // Rows of a caption and its value.
    auto addRows = [](QGridLayout* grid, std::initializer_list<std::pair<QLabel*, QLabel*>> rows) {
        int row = 0;
        for (const auto& [caption, value] : rows) {
            grid->addWidget(caption, row, 0);
            grid->addWidget(value, row++, 1);
        }
    };

    auto [g1, grid1] = makeGroup(QStringLiteral("GroupBox1"), QStringLiteral("Serial No. :"));
    GroupBox1 = g1;
    Label12 = MakeLabel(QStringLiteral("Label12"), QStringLiteral("Serial No. Mode :"), g1);
    Label1 = MakeValue(QStringLiteral("Label1"), Latin1(shown_.SerialModeText), g1);
    StaticText1 = MakeLabel(QStringLiteral("StaticText1"), QStringLiteral("QTP file :"), g1);
    Label19 = MakeValue(QStringLiteral("Label19"), Latin1(shown_.QtpText), g1);
    StaticText10 = MakeLabel(QStringLiteral("StaticText10"), QStringLiteral("No. (HEX):"), g1);
    stSerialNo = MakeValue(QStringLiteral("stSerialNo"), Latin1(shown_.SerialText), g1);
    addRows(grid1, {{Label12, Label1}, {StaticText1, Label19}, {StaticText10, stSerialNo}});

    auto [g2, grid2] = makeGroup(QStringLiteral("GroupBox2"), QStringLiteral("Options :"));
    GroupBox2 = g2;
    for (int i = 0; i < 13; ++i) {
        const bool security = (i == 5);
        const OptionItemView& item = shown_.OptionItems[i];
        stOption[i] = MakeLabel(security ? QStringLiteral("stSecurity") : QStringLiteral("stOption%1").arg(i + 1),
                                Latin1(item.Caption), g2);
        lbOption[i] = MakeValue(security ? QStringLiteral("lbSecurity") : QStringLiteral("lbOption%1").arg(i + 1),
                                Latin1(item.Value), g2);
        grid2->addWidget(stOption[i], i, 0);
        grid2->addWidget(lbOption[i], i, 1);
    }
    stProtectOn = MakeLabel(QStringLiteral("stProtectOn"), QStringLiteral("Security always enable"), g2);
    stProtectOn->hide();
    grid2->addWidget(stProtectOn, 13, 0, 1, 2);
    StaticText3 = MakeLabel(QStringLiteral("StaticText3"), QStringLiteral("Option value :"), g2);
    stOptionValue = MakeValue(QStringLiteral("stOptionValue"), Latin1(shown_.OptionValueText), g2);
    grid2->addWidget(StaticText3, 14, 0);
    grid2->addWidget(stOptionValue, 14, 1);

    auto [g3, grid3] = makeGroup(QStringLiteral("GroupBox3"), QStringLiteral("ID :"));
    GroupBox3 = g3;
    Label18 = MakeValue(QStringLiteral("Label18"), Latin1(shown_.IdText), g3);
    // Hexadecimal bytes line up in a fixed font; bold like the other values.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setBold(true);
    Label18->setFont(fixed);
    grid3->addWidget(Label18, 0, 0, 1, 2);

    auto [g4, grid4] = makeGroup(QStringLiteral("GroupBox4"), QStringLiteral("Pass Count :"));
    GroupBox4 = g4;
    Label13 = MakeValue(QStringLiteral("Label13"), Latin1(shown_.PassCountText), g4);
    grid4->addWidget(Label13, 0, 0, 1, 2);

    auto [g7, grid7] = makeGroup(QStringLiteral("GroupBox7"), QStringLiteral("Checksum :"));
    GroupBox7 = g7;
    StaticText9 = MakeLabel(QStringLiteral("StaticText9"), QStringLiteral("Memory:"), g7);
    Label11 = MakeValue(QStringLiteral("Label11"), Latin1(shown_.ProgramChecksum), g7);
    Label11->setToolTip(QStringLiteral("Checksum for data"));
    StaticText8 = MakeLabel(QStringLiteral("StaticText8"), Latin1(shown_.TotalChecksumCaption), g7);
    OptChecksum = MakeValue(QStringLiteral("OptChecksum"), Latin1(shown_.TotalChecksum), g7);
    OptChecksum->setToolTip(QStringLiteral("Checksum include OPTION"));
    StaticText21 = MakeLabel(QStringLiteral("StaticText21"), QStringLiteral("After Protect:"), g7);
    ProtectSum = MakeValue(QStringLiteral("ProtectSum"), Latin1(shown_.ProtectChecksum), g7);
    ProtectSum->setToolTip(QStringLiteral("Checksum for protected IC"));
    Label14 = MakeLabel(QStringLiteral("Label14"), QStringLiteral("Checksum in IC:"), g7);
    Label17 = MakeValue(QStringLiteral("Label17"), Latin1(shown_.IcChecksumText), g7);
    Label17->setToolTip(QStringLiteral("Checksum on IC"));
    addRows(grid7, {{StaticText9, Label11}, {StaticText8, OptChecksum}, {StaticText21, ProtectSum},
                    {Label14, Label17}});

    engineering->setParent(this);
    column->addWidget(engineering);
    column->addStretch(1);
}

void TStatusPanel::Show(const StatusPanel& s)
{
    const StatusPanel before = shown_;
    shown_ = s;
    for (std::size_t i = 0; i < 13; ++i) {
        OptionItemView& item = shown_.OptionItems[i];
        // An item the device lacks keeps its layout caption, hidden.
        if (item.Caption.empty()) item.Caption = before.OptionItems[i].Caption;
        stOption[i]->setText(Latin1(item.Caption));
        stOption[i]->setVisible(item.CaptionVisible);
        stOption[i]->setEnabled(item.CaptionEnabled);
        lbOption[i]->setText(Latin1(item.Value));
        lbOption[i]->setVisible(item.ValueVisible);
        lbOption[i]->setEnabled(item.ValueEnabled);
    }
    stOptionValue->setText(Latin1(s.OptionValueText));
    Label18->setText(PrintableLatin1(s.IdText));
    Label17->setText(Latin1(s.IcChecksumText));
    Label11->setText(Latin1(s.ProgramChecksum));
    ProtectSum->setText(Latin1(s.ProtectChecksum));
    OptChecksum->setText(Latin1(s.TotalChecksum));
    StaticText8->setText(Latin1(s.TotalChecksumCaption));
    Label13->setText(Latin1(s.PassCountText));
    Label1->setText(Latin1(s.SerialModeText));
    stSerialNo->setText(Latin1(s.SerialText));
    Label19->setText(Latin1(s.QtpText));
}
