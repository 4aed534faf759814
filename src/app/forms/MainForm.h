// The main window: an MDI parent with the tool bar, the main menu, the status
// panel that shows the workspace, and one handler per command. It owns the
// Workspace for the program's whole run; the rules live in the core, the
// handlers here call them and redraw. The forms reach it only through the
// MainContext it implements.
//
// Every command is one QAction, named after its control (Action("ReadICAction"),
// Action("WriteEE"), ...), shared by menu, tool bar and shortcut; the names of
// the other controls of the same command work too (Action("ToolButton7") is
// Action("ReadICAction")). The widgets carry their control names as object
// names.
#pragma once

#include "workspace/Workspace.h"
#include "workspace/forms/MainContext.h"
#include "link/WriterLink.h"

#include <QHash>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QToolBar;
class QtNotifier;
class TEngineeringPanel;
class TStatusPanel;
class WriterExchange;

class TMainForm : public QMainWindow, public MainContext {
    Q_OBJECT
public:
    // The notifier is the message-box one unless the caller passes its own
    // (the tests pass a recorder); it must outlive the window.
    explicit TMainForm(Notifier* notifier = nullptr, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- MainContext ------------------------------------------------------
    Workspace& GetWorkspace() override { return Ws; }
    Notifier& GetNotifier() override { return *Notify; }
    QWidget* Window() override { return this; }
    void ShowStatus() override;
    void ShowStatus(const StatusPanel& status) override;
    const StatusPanel& ShownStatus() const override;
    QAction* Action(const QString& name) const override;
    void EnableAction(const QString& name, bool enabled) override;
    std::string PortText() const override;
    int PortIndex() const override;
    void SetPortIndex(int index) override;
    std::string SelectedDevice() const override;
    bool SetSelectedDevice(const std::string& partNumber) override;
    EngineeringValues Engineering() const override;
    bool EngineeringPanelShown() const override;
    void ShowEngineeringPanel(bool shown) override;
    void SetQtpSimCaption(const QString& caption) override;
    QMdiArea* ClientArea() const override { return MdiArea; }
    QMdiSubWindow* AddChildWindow(QWidget* child, const std::function<void(QMdiSubWindow&)>& shape) override;
    void TileHorizontally() override;
    void UpdateScreen() override;
    void ApplyGuiActions(const GuiActions& actions) override;
    void RebuildMemoryGrid() override;
    void RebuildEepromGrid() override;
    void RecreateEEDataForm() override;
    void DestroyDisasmWindow() override;

    const Workspace& GetWorkspace() const { return Ws; }
    // Enables the controls that depend on the device flags (EEPROM, erase).
    void ApplyDeviceControls();
    // The link's limits for the window's own exchanges with the writer: the
    // check at a show and on a change of port, "Read Serial Num Set" (tests
    // shorten the time-out).
    LinkContext LinkTimeouts;
    // One of them runs off the GUI thread; the commands that use the line
    // stay disabled until it has ended.
    bool WriterBusy() const;

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
    // Commands, menus and tool bar (MainFormCommands.cpp).
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    QAction* MakeAction(const QString& name, const QString& text, const char* handler);
    void TileVertically();
    void RefreshWindowMenu();
    void MinimizeAll();
    void ArrangeAll();
    void WatchDoubleClicks(QWidget* box, QAction* action);
    void RecreateIDChecksumForm();
    void RecreateMemoryWindow();
    void DestroyEEDataForm();
    void ShowEEDataForm();
    // Runs the fill dialog on FillStart/FillEnd/FillValue; true when it was
    // confirmed with values that passed its checks.
    bool RunFillDialog();
    void EnableEepromControls(bool enabled);
    // The writer check off the GUI thread, on the port the selector shows.
    void CheckWriterOffGui(bool announceSuccess);
    void ShowWriterBusy(bool busy);

    Workspace Ws;
    std::unique_ptr<QtNotifier> OwnNotifier;
    Notifier* Notify = nullptr;
    QMdiArea* MdiArea = nullptr;
    TStatusPanel* Panel1 = nullptr;
    TEngineeringPanel* Panel2 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QLabel* Label3 = nullptr;           // "Serial Port :"
    QComboBox* ComboBox1 = nullptr;     // port selector
    QComboBox* HandShake = nullptr;     // hidden
    QMenu* WindowMenu = nullptr;
    QHash<QString, QAction*> Actions;
    QHash<QObject*, QAction*> DoubleClickTargets;
    QList<QAction*> WindowArrangeActions;
    QActionGroup* LineCommands = nullptr;   // disabled while WriterBusy()
    std::unique_ptr<WriterExchange> Exchange;
};

// The one main window, from its creation to its destruction.
extern TMainForm* MainForm;
