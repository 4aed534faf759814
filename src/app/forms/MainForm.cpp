#include "app/forms/MainForm.h"

#include "app/forms/LogoForm.h"
#include "app/forms/QtNotifier.h"
#include "app/forms/StatusPanelForm.h"
#include "workspace/BufferCommands.h"
#include "workspace/DeviceCatalogue.h"
#include "workspace/OptionModel.h"
#include "disasm/forms/DisForm.h"
#include "editors/forms/ConfigForm.h"
#include "editors/forms/EditOptionForm.h"
#include "editors/forms/EditorWindows.h"
#include "editors/forms/EngineeringPanelForm.h"
#include "editors/forms/FillBufferForm.h"
#include "editors/forms/PasswordForm.h"
#include "files/FileNames.h"
#include "files/forms/FileForms.h"
#include "iap/forms/IAPForm.h"
#include "infosheet/forms/InfoForm.h"
#include "link/Operations.h"
#include "link/SerialSetExchange.h"
#include "link/WriterLink.h"
#include "link/forms/AutoWriterSetupForm.h"
#include "link/forms/ChangeOptionForm.h"
#include "link/forms/ChipOperations.h"
#include "link/forms/DeviceForm.h"
#include "link/forms/WriterExchange.h"
#include "platform/forms/Latin1.h"
#include "serialno/QtpFile.h"
#include "serialno/forms/QtpFileDialogs.h"
#include "serialno/forms/SerialNoSetForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QThread>

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(Notifier* notifier, QWidget* parent) : QMainWindow(parent)
{
    MainForm = this;
    setObjectName(QStringLiteral("MainForm"));
    if (notifier) {
        Notify = notifier;
    } else {
        OwnNotifier = std::make_unique<QtNotifier>(this);
        Notify = OwnNotifier.get();
    }

    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("ClientArea"));
    MdiArea->setBackground(QColor(128, 128, 128));
    BuildActions();
    BuildMenus();
    BuildToolBar();
    Panel2 = new TEngineeringPanel(Ws);
    connect(Panel2->AutoWriterSetup, &QPushButton::clicked, this, [this] { RunAutoWriterSetup(Ws, this); });
    connect(Panel2->FirmwareUpdate, &QPushButton::clicked, this, [this] { ShowFirmwareUpdate(Ws, *Notify, this); });
    Panel1 = new TStatusPanel(Panel2);
    connect(Panel1->ComboBox2, &QComboBox::currentIndexChanged, this, &TMainForm::ComboBox2Change);
    WatchDoubleClicks(Panel1->GroupBox1, Action(QStringLiteral("SerialNoMode1")));
    WatchDoubleClicks(Panel1->GroupBox2, Action(QStringLiteral("EditOptionAction")));
    WatchDoubleClicks(Panel1->GroupBox3, Action(QStringLiteral("ID2")));
    WatchDoubleClicks(Panel1->GroupBox4, Action(QStringLiteral("CounterMode1")));
    Exchange = std::make_unique<WriterExchange>(Ws, *Notify, [this](bool busy) { ShowWriterBusy(busy); });

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* scroll = new QScrollArea(central);
    scroll->setWidget(Panel1);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFixedWidth(Panel1->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    layout->addWidget(scroll);
    layout->addWidget(MdiArea, 1);
    setCentralWidget(central);
    statusBar();
    resize(1024, 720);

    FormCreate();
}

TMainForm::~TMainForm()
{
    Exchange.reset();
    if (MainForm == this) MainForm = nullptr;
}

void TMainForm::WatchDoubleClicks(QWidget* box, QAction* action)
{
    DoubleClickTargets.insert(box, action);
    box->installEventFilter(this);
    for (QWidget* child : box->findChildren<QWidget*>()) {
        DoubleClickTargets.insert(child, action);
        child->installEventFilter(this);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == Label3) {
            Label3DblClick();
            return true;
        }
        if (QAction* action = DoubleClickTargets.value(watched)) {
            // The editors open through their command, so a command that is not
            // available is not reached by a double-click either.
            if (action->isEnabled()) action->trigger();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::ShowStatus()
{
    ShowStatus(Ws.Status);
}

void TMainForm::ShowStatus(const StatusPanel& s)
{
    Panel1->Show(s);
    for (const char* name : {"ID3", "ProgramMemory2", "ProgramOption"})
        EnableAction(QString::fromLatin1(name), s.SingleProgramCommands);
}

const StatusPanel& TMainForm::ShownStatus() const { return Panel1->Shown(); }

void TMainForm::ApplyDeviceControls()
{
    EnableEepromControls((Ws.DeviceFlags & kFlagHasEeprom) != 0);
    EnableAction(QStringLiteral("Erase"), (Ws.DeviceFlags & kFlagEraseInsteadOfBlankCheck) != 0);
}

void TMainForm::EnableEepromControls(bool enabled)
{
    for (const char* name : {"WriteEE", "EEPROM1", "ClearEEPROMBuffer1", "FillEEPROMBuffer1"})
        EnableAction(QString::fromLatin1(name), enabled);
}

// --- child windows ----------------------------------------------------------

// The editor windows live with the editors; the open flags are kept by the
// callers and the core commands, as the model says.
void TMainForm::RecreateIDChecksumForm() { editor_windows::RecreateIdChecksumForm(*this); }
void TMainForm::RecreateMemoryWindow() { editor_windows::RecreateMemoryWindow(*this); }
void TMainForm::RebuildMemoryGrid() { editor_windows::RebuildMemoryGrid(*this); }
void TMainForm::RebuildEepromGrid() { editor_windows::RebuildEepromGrid(*this); }
void TMainForm::RecreateEEDataForm() { editor_windows::RecreateEepromForm(*this); }
void TMainForm::DestroyEEDataForm() { editor_windows::DestroyEepromForm(*this); }
void TMainForm::ShowEEDataForm() { editor_windows::ShowEepromForm(*this); }

void TMainForm::DestroyDisasmWindow()
{
    disasm_forms::DestroyWindow();
    Ws.DisasmWindowOpen = false;
    EnableAction(QStringLiteral("FileSaveAsItem"), false);
}

void TMainForm::ApplyGuiActions(const GuiActions& actions)
{
    if (actions.CloseDisasmWindow) DestroyDisasmWindow();
    if (actions.RecreateIdWindow) RecreateIDChecksumForm();
    if (actions.RecreateMemoryWindow) RecreateMemoryWindow();
    if (actions.RebuildMemoryGrid) RebuildMemoryGrid();
    if (actions.RecreateEepromWindow) RecreateEEDataForm();
    if (actions.DestroyEepromWindow) DestroyEEDataForm();
    if (actions.ShowEepromWindow) ShowEEDataForm();
    if (actions.EraseEnabled) EnableAction(QStringLiteral("Erase"), *actions.EraseEnabled);
    if (actions.EepromControlsEnabled) EnableEepromControls(*actions.EepromControlsEnabled);
    if (actions.EnableClearEepromItem) EnableAction(QStringLiteral("ClearEEPROMBuffer1"), true);
    ShowStatus();
    if (actions.TileHorizontally) TileHorizontally();
}

std::string TMainForm::SelectedDevice() const { return Panel1->ComboBox2->currentText().toStdString(); }

bool TMainForm::SetSelectedDevice(const std::string& partNumber)
{
    QComboBox* selector = Panel1->ComboBox2;
    const int index = selector->findText(Latin1(partNumber), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) return false;
    const QSignalBlocker block(selector);
    selector->setCurrentIndex(index);
    return true;
}

std::string TMainForm::PortText() const { return ComboBox1->currentText().toStdString(); }

int TMainForm::PortIndex() const { return ComboBox1->currentIndex(); }

void TMainForm::SetPortIndex(int index)
{
    const QSignalBlocker block(ComboBox1);
    ComboBox1->setCurrentIndex(index);
}

EngineeringValues TMainForm::Engineering() const { return Panel2->Values(); }

bool TMainForm::EngineeringPanelShown() const { return !Panel2->isHidden(); }

void TMainForm::ShowEngineeringPanel(bool shown) { Panel2->setVisible(shown); }

void TMainForm::SetQtpSimCaption(const QString& caption) { Panel2->QtpSim->setText(caption); }

void TMainForm::UpdateScreen()
{
    ApplyGuiActions(::UpdateScreen(Ws, Notify));
}

// --- life cycle -------------------------------------------------------------

void TMainForm::FormCreate()
{
    QComboBox* devices = Panel1->ComboBox2;
    {
        const QSignalBlocker block(devices);
        devices->clear();
        for (int32_t row = 0; row < DeviceCount(); ++row) devices->addItem(Latin1(GetIcName(row)));
    }
    EnableAction(QStringLiteral("FileSaveAsItem"), false);
    {
        const QSignalBlocker blockPort(ComboBox1);
        const QSignalBlocker blockDevice(devices);
        ComboBox1->setCurrentIndex(0);
        devices->setCurrentIndex(0);
    }
    // Link and auto-writer state, the first device, blank buffers, flags,
    // serial settings and ConfigFolder.
    SetCreationDefaults(Ws);

    {
        // The handshake choice is never applied to the port; a POSIX system
        // takes the item of the newer system family.
        const QSignalBlocker block(HandShake);
        HandShake->setCurrentIndex(1);
    }

    if (LogoForm) {
        // The splash stays up for a moment once the window is built.
        QThread::msleep(600);
        LogoForm->close();
    }
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A restore from the task bar is a spontaneous show: only a show asked
    // for by the program runs the show handler.
    if (!event->spontaneous()) FormShow();
}

void TMainForm::FormShow()
{
    Ws.ProgramVersionText = "15";
    setWindowTitle(QStringLiteral("Writer V") + Latin1(Ws.ProgramVersionText));
    Ws.CustomerName.clear();
    Ws.CustomerProject.clear();
    Ws.OperatingFrequency.clear();
    Ws.OperatingVoltageLow.clear();
    Ws.OperatingVoltageHigh.clear();
    Ws.OperatingCurrent.clear();
    Ws.SleepCurrent.clear();
    ApplyGuiActions(ClearId(Ws));

    if (!Ws.StartupDone) {
        Ws.ConfigPath = DefaultConfigPath(Ws.ConfigFolder);
        if (!file_forms::LoadDefaultConfig(*this)) UpdateOption(Ws, Notify);
        RecreateIDChecksumForm();
        Ws.IDFormOpen = true;
        ApplyDeviceControls();
        if (Ws.DeviceFlags & kFlagHasEeprom) {
            RecreateEEDataForm();
            Ws.EepromWindowOpen = true;
        } else {
            if (Ws.EepromWindowOpen) DestroyEEDataForm();
            Ws.EepromWindowOpen = false;
        }
        RecreateMemoryWindow();
        Ws.MemoryWindowOpen = true;
        Ws.StartupDone = true;
        UpdateOption(Ws, Notify);
    }
    EnableAction(QStringLiteral("Erase"), (Ws.DeviceFlags & kFlagEraseInsteadOfBlankCheck) != 0);
    // Only a failure is worth a message at start-up; "Connect OK!" belongs
    // to a change of the port selector.
    CheckWriterOffGui(false);
    {
        const QSignalBlocker block(Panel2->Mode65);
        Panel2->Mode65->setCurrentIndex(0);
    }
    ShowStatus();
    TileHorizontally();
}

bool TMainForm::RunFillDialog()
{
    TFillBufferForm dialog(Ws, *Notify, this);
    return dialog.exec() == QDialog::Accepted;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMainForm::FormClose()
{
    Exchange->Stop();
    if (Ws.QtpMode && Ws.QtpInputHandle) {
        std::fclose(Ws.QtpInputHandle);
        Ws.QtpInputHandle = nullptr;
    }
    Ws.ConfigPath = DefaultConfigPath(Ws.ConfigFolder);
    file_forms::SaveDefaultConfig(*this);
    if (IAPForm && IAPForm->isVisible()) IAPForm->close();
}

// --- handlers ---------------------------------------------------------------

void TMainForm::FileOpen1Execute() { file_forms::LoadData(*this); }

void TMainForm::SaveProgramMemory1Click() { file_forms::SaveProgramMemory(*this); }

void TMainForm::LoadConfig1Click() { file_forms::LoadConfig(*this); }

void TMainForm::FileSaveItemClick() { file_forms::SaveConfig(*this); }
void TMainForm::FileSaveAsItemClick() { disasm_forms::FileSaveAsItemClick(*this); }

void TMainForm::FileExit1Execute() { close(); }

void TMainForm::ProgramMemory1Click() { editor_windows::ShowMemoryWindow(*this); }
void TMainForm::ID2Click() { editor_windows::ShowIdChecksumForm(*this); }
void TMainForm::Disassemble1Click() { disasm_forms::Disassemble1Click(*this); }
void TMainForm::EEPROM1Click() { ApplyGuiActions(ShowEeprom(Ws)); }
void TMainForm::EditOPTIONClick() { RunOptionEditor(*this); }
void TMainForm::SerialNoMode1Click() { RunSerialNoSetup(*this, true); }
void TMainForm::CounterMode1Click() { editor_windows::RunCounterSetup(*this); }
void TMainForm::LoadQTPFile1Click()
{
    const QtpFileChoice choice = AskQtpFileToLoad(this);
    if (::LoadQTPFile1Click(Ws, choice, *Notify) == QtpLoadResult::Loaded) {
        // The first record's number now stands in program memory or EEPROM.
        if (Ws.MemoryWindowOpen) RebuildMemoryGrid();
        if (Ws.EepromWindowOpen) RebuildEepromGrid();
    }
    ShowStatus();
}

void TMainForm::ClearOPTION1Click()
{
    ClearOption(Ws, Notify);
    ShowStatus();
}

void TMainForm::ClearID1Click() { ApplyGuiActions(ClearId(Ws)); }

void TMainForm::ClearBuffer1Click() { ApplyGuiActions(ClearBuffer(Ws)); }

void TMainForm::ClearEEPROMBuffer1Click() { ApplyGuiActions(ClearEepromBuffer(Ws)); }

void TMainForm::FillBuffer1Click()
{
    PrepareProgramFill(Ws);
    ApplyGuiActions(FillProgramMemory(Ws, RunFillDialog()));
}

void TMainForm::FillEEPROMBuffer1Click()
{
    PrepareEepromFill(Ws);
    ApplyGuiActions(FillEeprom(Ws, RunFillDialog()));
}

void TMainForm::BlankCheckActionExecute() { RunChipCommand(*this, opBlankCheck); }
void TMainForm::ToolButton7Click() { RunChipCommand(*this, opReadIc); }
void TMainForm::Veryfy1Click() { RunChipCommand(*this, opVerify); }
void TMainForm::VerifywithProtect1Click() { RunChipCommand(*this, opVerifyProtect); }
void TMainForm::AutoProgram1Click() { RunChipCommand(*this, opAutoProgram); }
void TMainForm::AutoProgramwithoutBlankCheck1Click() { RunChipCommand(*this, opAutoProgramNoBlankCheck); }
void TMainForm::ID3Click() { RunChipCommand(*this, opProgramIdChecksum); }
void TMainForm::ProgramMemory2Click() { RunChipCommand(*this, opProgramData); }
void TMainForm::WriteEEClick() { RunChipCommand(*this, opProgramEeprom); }
void TMainForm::OPTION3Click() { RunChipCommand(*this, opProgramOptions); }
void TMainForm::EraseClick() { RunChipCommand(*this, opErase); }
void TMainForm::ForceWriteClick() { RunChipCommand(*this, opOverWrite); }
void TMainForm::tbOption2Click() { OpenChangeOptionForm(*this); }
void TMainForm::DownLoad1Click()
{
    TDeviceForm form(Ws, *Notify, this);
    form.exec();
}
void TMainForm::GenerateCustomerInformationSheet1Click() { OpenInfoSheet(*this); }
void TMainForm::DownloadSerialSet1Click() { RunChipCommand(*this, opSerialNoProgram); }
void TMainForm::ReadSerialSet1Click()
{
    Exchange->Start(
        [this, port = PortText()](Workspace& link, Notifier& notifier,
                                  const LinkContext& context) -> WriterExchange::Then {
            const std::optional<SerialSetReply> reply = ReadSerialSetReply(link, notifier, port, context);
            if (!reply) return {};
            return [this, reply = *reply] {
                if (TakeSerialSetReply(Ws, *Notify, reply)) RunSerialNoSetup(*this, false);
            };
        },
        LinkTimeouts);
}
void TMainForm::Config1Click()
{
    TfmConfig dialog(Ws, this);
    dialog.exec();
}

// The about command shows nothing and changes nothing.
void TMainForm::HelpAbout1Execute() {}

void TMainForm::ComboBox2Change() { ApplyGuiActions(ChangeDevice(Ws, SelectedDevice(), Notify)); }

void TMainForm::ComboBox1Change() { CheckWriterOffGui(true); }

void TMainForm::CheckWriterOffGui(bool announceSuccess)
{
    Exchange->Start(
        [port = PortText(), announceSuccess](Workspace& link, Notifier& notifier, const LinkContext& context) {
            ConnectWriter(link, notifier, port, announceSuccess, context);
            return WriterExchange::Then{};
        },
        LinkTimeouts);
}

bool TMainForm::WriterBusy() const { return Exchange->Running(); }

void TMainForm::ShowWriterBusy(bool busy)
{
    LineCommands->setEnabled(!busy);
    Panel2->FirmwareUpdate->setEnabled(!busy);
    if (busy) setCursor(Qt::BusyCursor);
    else unsetCursor();
}

void TMainForm::Label3DblClick() { engineering_forms::AccessCheck(*this); }
