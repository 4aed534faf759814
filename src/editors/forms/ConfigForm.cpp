#include "editors/forms/ConfigForm.h"

#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmConfig* fmConfig = nullptr;

namespace {

struct ConfigFlag {
    const char* Name;
    const char* Caption;
    bool Workspace::*Flag;
};

// LowPowerVerify is kept for the configuration only; no step reads it.
constexpr ConfigFlag kConfigFlags[] = {
    {"cbKeepOption", "Keep Options while new program data are loaded", &Workspace::KeepOption},
    {"cbWriteEEinAuto", "Program EEPROM in Auto program mode", &Workspace::WriteEEinAuto},
    {"cbBypassIcCheck", "Bypass IC check", &Workspace::BypassIcCheck},
    {"cbSaveEEData", "Save program data will also save EEPROM data", &Workspace::SaveEEData},
    {"cbWithHandler", "Auto program with handler", &Workspace::WithHandler},
    {"cbLPVerify", "Low Power Verify Rom", &Workspace::LowPowerVerify},
};

}  // namespace

TfmConfig::TfmConfig(Workspace& ws, QWidget* parent) : QDialog(parent), Ws(ws)
{
    setObjectName(QStringLiteral("fmConfig"));
    setWindowTitle(QString());
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Configuration"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setAlignment(Qt::AlignHCenter);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);
    layout->addWidget(heading);
    for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
        CheckBoxes[i] = new QCheckBox(QString::fromLatin1(kConfigFlags[i].Caption), this);
        CheckBoxes[i]->setObjectName(QString::fromLatin1(kConfigFlags[i].Name));
        layout->addWidget(CheckBoxes[i]);
    }
    btExit = new QPushButton(QStringLiteral("Exit"), this);
    btExit->setObjectName(QStringLiteral("btExit"));
    layout->addWidget(btExit, 0, Qt::AlignHCenter);
    connect(btExit, &QPushButton::clicked, this, &QDialog::accept);   // btExitClick
    FormCreate();
    fmConfig = this;
}

TfmConfig::~TfmConfig()
{
    if (fmConfig == this) fmConfig = nullptr;
}

QCheckBox* TfmConfig::CheckBox(const char* name) const
{
    for (QCheckBox* box : CheckBoxes)
        if (box->objectName() == QLatin1String(name)) return box;
    return nullptr;
}

void TfmConfig::FormCreate()
{
    for (std::size_t i = 0; i < CheckBoxes.size(); ++i) CheckBoxes[i]->setChecked(Ws.*kConfigFlags[i].Flag);
}

void TfmConfig::done(int result)
{
    // Exit, the close box and Escape all store the boxes.
    for (std::size_t i = 0; i < CheckBoxes.size(); ++i) Ws.*kConfigFlags[i].Flag = CheckBoxes[i]->isChecked();
    QDialog::done(result);
}
