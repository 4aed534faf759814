// The main window: an MDI parent with the tool bar, the main menu, the status
// panel that shows the workspace, and one handler per command. It owns the
// Workspace for the program's whole run; the rules live in the core, the
// handlers here call them and redraw.
//
// For the code that builds on it:
//   - GetWorkspace() / GetNotifier(): the one workspace and the message boxes.
//   - Every command is one QAction, named after its control (Action("ReadICAction"),
//     Action("WriteEE"), ...), shared by menu, tool bar and shortcut; the
//     names of the other controls of the same command work too
//     (Action("ToolButton7") is Action("ReadICAction")).
//   - EnableAction(name, on) sets the enabled state the rules want (device
//     without EEPROM, no listing yet, ...).
//   - ShowStatus() redraws the status panel from Workspace::Status.
#pragma once

#include "workspace/Workspace.h"
#include "link/WriterLink.h"

#include <QHash>
#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <string>

class Notifier;
class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QToolBar;
class QtNotifier;
struct GuiActions;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // The notifier is the message-box one unless the caller passes its own
    // (the tests pass a recorder); it must outlive the window.
    explicit TMainForm(Notifier* notifier = nullptr, QWidget* parent = nullptr);
    ~TMainForm() override;

    Workspace& GetWorkspace() { return Ws; }
    const Workspace& GetWorkspace() const { return Ws; }
    Notifier& GetNotifier() { return *Notify; }

    // The command's action by its control name, null when there is none.
    QAction* Action(const QString& name) const;
    // The enabled state the rules want for a command.
    void EnableAction(const QString& name, bool enabled);

    // How often each handler ran, by its name (e.g. "BlankCheckActionExecute").
    int HandlerRunCount(const QString& handler) const { return HandlerRuns.value(handler); }
    // The writer checks of the first show and the port selector (tests shorten the time-out).
    LinkContext LinkTimeouts;

    // Redraws every status-panel text from Workspace::Status.
    void ShowStatus();
    // Draws the panel from a copy of the status, such as the one a running
    // engine hands over while it still writes the workspace.
    void ShowStatus(const StatusPanel& status);

    // Re-creates the child windows from the workspace after new data arrived,
    // redraws the option summary and tiles the windows.
    void UpdateScreen();

    // The MDI client area and child-window helpers for the editor windows.
    QMdiArea* ClientArea() const { return MdiArea; }
    QMdiSubWindow* AddChildWindow(QWidget* child);
    void TileHorizontally();
    void TileVertically();

    // Where the child windows of the editors are made. Each re-creates its
    // window from the workspace; the callers keep the open flags as the
    // commands say.
    void RecreateIDChecksumForm();
    void RecreateMemoryWindow();
    void RebuildMemoryGrid();
    void RecreateEEDataForm();
    void DestroyEEDataForm();
    void ShowEEDataForm();
    // Closes the disassembly window, clears its flag, disables "Save Disassmble".
    void DestroyDisasmWindow();

    // Carries out what a core command asks of the windows and controls, then
    // redraws the status panel.
    void ApplyGuiActions(const GuiActions& actions);

    // The part number chosen in the device selector.
    std::string SelectedDevice() const;
    // Selects a part number in the device selector without running its
    // change handler (for loaders that then reset the workspace themselves);
    // false when the selector has no such item.
    bool SetSelectedDevice(const std::string& partNumber);

    // Runs the fill dialog on FillStart/FillEnd/FillValue; true when it was
    // confirmed with values that passed its checks. Tests replace the dialog.
    std::function<bool(Workspace&)> FillDialogHook;
    bool RunFillDialog();

    // Enables the controls that depend on the device flags (EEPROM, erase).
    void ApplyDeviceControls();

    // --- status panel and tool bar controls, by their names -------------
    QWidget* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBox2 = nullptr;     // device selector
    QLabel* Label3 = nullptr;           // "Serial Port :"
    QComboBox* ComboBox1 = nullptr;     // port selector
    QComboBox* HandShake = nullptr;     // hidden
    QGroupBox* GroupBox1 = nullptr;     // "Serial No. :"
    QLabel* Label12 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* StaticText10 = nullptr;
    QLabel* stSerialNo = nullptr;
    QGroupBox* GroupBox2 = nullptr;     // "Options :"
    // Items 1..13 at [0..12]; [5] is stSecurity / lbSecurity.
    std::array<QLabel*, 13> stOption{};
    std::array<QLabel*, 13> lbOption{};
    QLabel* stProtectOn = nullptr;
    QLabel* StaticText3 = nullptr;
    QLabel* stOptionValue = nullptr;
    QGroupBox* GroupBox3 = nullptr;     // "ID :"
    QLabel* Label18 = nullptr;
    QGroupBox* GroupBox4 = nullptr;     // "Pass Count :"
    QLabel* Label13 = nullptr;
    QGroupBox* GroupBox7 = nullptr;     // "Checksum :"
    QLabel* StaticText9 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* StaticText8 = nullptr;
    QLabel* OptChecksum = nullptr;
    QLabel* StaticText21 = nullptr;
    QLabel* ProtectSum = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label17 = nullptr;
    // The engineering panel, hidden until the access code opens it.
    QFrame* Panel2 = nullptr;
    QPushButton* QtpSim = nullptr;
    QPushButton* FlashPgmTest = nullptr;
    QPushButton* btShowTime = nullptr;
    QLabel* StaticText12 = nullptr;
    QLabel* StaticText13 = nullptr;
    QLabel* StaticText14 = nullptr;
    QLabel* StaticText15 = nullptr;
    QLineEdit* PulseWidth = nullptr;
    QLineEdit* EraseWidth = nullptr;
    QComboBox* Mode65 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QMenu* WindowMenu = nullptr;

public slots:
    // &File
    void FileOpen1Execute();
    void SaveProgramMemory1Click();
    void LoadConfig1Click();
    void FileSaveItemClick();
    void FileSaveAsItemClick();
    void FileExit1Execute();
    // &View
    void ProgramMemory1Click();
    void ID2Click();
    void Disassemble1Click();
    void EEPROM1Click();
    // &Edit
    void EditOPTIONClick();
    void SerialNoMode1Click();
    void CounterMode1Click();
    void LoadQTPFile1Click();
    void ClearOPTION1Click();
    void ClearID1Click();
    void ClearBuffer1Click();
    void ClearEEPROMBuffer1Click();
    void FillBuffer1Click();
    void FillEEPROMBuffer1Click();
    // &Functions and tool bar
    void BlankCheckActionExecute();
    void ToolButton7Click();
    void Veryfy1Click();
    void VerifywithProtect1Click();
    void AutoProgram1Click();
    void AutoProgramwithoutBlankCheck1Click();
    void ID3Click();
    void ProgramMemory2Click();
    void WriteEEClick();
    void OPTION3Click();
    void EraseClick();
    void ForceWriteClick();
    void tbOption2Click();
    void DownLoad1Click();
    void GenerateCustomerInformationSheet1Click();
    void DownloadSerialSet1Click();
    void ReadSerialSet1Click();
    // Configuration, &Help
    void Config1Click();
    void HelpAbout1Execute();
    // Selectors and the status panel
    void ComboBox2Change();
    void ComboBox1Change();
    void Label3DblClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusPanel();
    void BuildEngineeringPanel(QWidget* parent);
    QAction* MakeAction(const QString& name, const QString& text, const char* handler);
    void Ran(const char* handler);
    void RefreshWindowMenu();
    void MinimizeAll();
    void ArrangeAll();
    void WatchDoubleClicks(QWidget* box, QAction* action);
    // First show: reads ConfigPath when the file exists (selecting its device
    // with SetSelectedDevice, running ResetData when it fails to load) and
    // returns true; false when there is no file, and the caller then only
    // redraws the option summary.
    bool LoadDefaultConfig();
    // Close: writes the settings into ConfigPath; a failed write is reported.
    void SaveDefaultConfig();
    // Show: opens the port chosen in ComboBox1 and identifies the writer.
    void ConnectWriterAtShow();

    Workspace Ws;
    std::unique_ptr<QtNotifier> OwnNotifier;
    Notifier* Notify = nullptr;
    QMdiArea* MdiArea = nullptr;
    QHash<QString, QAction*> Actions;
    QHash<QString, int> HandlerRuns;
    QHash<QObject*, QAction*> DoubleClickTargets;
    QList<QAction*> WindowArrangeActions;
};

// The one main window, from its creation to its destruction.
extern TMainForm* MainForm;
