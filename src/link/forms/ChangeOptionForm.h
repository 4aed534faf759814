// The second-option dialog: shows the options read from the chip, lets the
// user compose a second option set for words 10h..13h of the chip's option
// area, and reads, checks, writes and verifies it through the writer.
//
// The composition lives here, in the dialog: the main window's option words
// and option-area buffers stay as they were. The dialog is modal to the
// application, so the device and the port cannot change under it and no
// other operation uses the link while it is open. The exchanges run on a
// worker thread; their results arrive as queued copies, and the buttons stay
// disabled until the run is over. While it runs the dialog writes nothing
// in the workspace: the option lookups of a refresh (which write OptText
// and OptValue) wait for the run's end. Closing the window stops a run at
// its next wait and joins the thread.
#pragma once

#include "link/SecondOptionExchange.h"
#include "platform/forms/GuiReportQueue.h"

#include <QWidget>

#include <array>
#include <string>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class MainContext;

// What the dialog takes from the main window when it opens.
struct ChangeOptionContext {
    std::string PortText;          // ComboBox1's text
    std::string DeviceText;        // ComboBox2's text
    EngineeringValues Engineering; // the engineering panel, for the headers
};

class TChangeOptionForm : public QWidget {
    Q_OBJECT
public:
    TChangeOptionForm(Workspace& ws, Notifier& notifier, ChangeOptionContext context, QWidget* parent = nullptr);
    ~TChangeOptionForm() override;

    // The limit per expected byte in hundredths of a second (tests shorten it).
    void SetTimeoutHundredths(int hundredths) { timeoutHundredths_ = hundredths; }
    bool Running() const { return worker_.Started(); }

    const OptionComposition& Composition() const { return composed_; }
    const ChipOptions& Chip() const { return chip_; }
    uint32_t NewOptionValue() const { return choices_.NewOptionValue; }

    // The refresh: redraws both groups and the dumps and composes anew.
    void UpdateOption();

    static constexpr int kItems = 13;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    std::array<QLabel*, kItems> stIcFieldName{};
    std::array<QLabel*, kItems> stIcFieldVal{};
    std::array<QLabel*, kItems> stFieldName{};
    std::array<QComboBox*, kItems> cbFieldVal{};
    QLabel* StaticText4 = nullptr;
    QLabel* stIcData10h = nullptr;
    QLabel* StaticText13 = nullptr;
    QLabel* stData10h = nullptr;
    QLabel* StaticText7 = nullptr;
    QLabel* stDeviceName = nullptr;
    QLabel* StaticText11 = nullptr;
    QLabel* stComPort = nullptr;
    QPushButton* btnReadOption = nullptr;
    QPushButton* btnWriteOption = nullptr;
    QPushButton* btnAuto = nullptr;
    QPushButton* btnExit = nullptr;
    QFrame* Panel1 = nullptr;
    QComboBox* cbOption2Addr = nullptr;
    QComboBox* cbOption2Bit = nullptr;
    QComboBox* cbOption2Val = nullptr;
    QGroupBox* rgWriteFunc = nullptr;
    QGroupBox* rgA10h = nullptr;
    std::array<QGroupBox*, 3> rgA1xh{};        // rgA11h, rgA12h, rgA13h
    std::array<QLabel*, 3> StaticTextData{};   // StaticText1..StaticText3
    std::array<QLineEdit*, 3> edData{};        // edData11h, edData12h, edData13h
    QFrame* Panel2 = nullptr;
    QLabel* stOldUserData = nullptr;
    QLabel* stIcUserData = nullptr;
    QLabel* stOldBodyData0 = nullptr;
    QLabel* stIcBodyData0 = nullptr;
    QLabel* stBodyData0 = nullptr;
    QLabel* stOldBodyData1 = nullptr;
    QLabel* stIcBodyData1 = nullptr;
    QLabel* stBodyData1 = nullptr;

public slots:
    void btnReadOptionClick();
    void btnWriteOptionClick();
    void btnAutoClick();
    void btnExitClick();
    void StaticText11DblClick();
    void rgWriteFuncClick(int item);
    void rgA10hClick();
    void rgA1xhClick(int word);          // word 0..2 for 11h..13h
    void cbFieldValChange(int item);     // item 1..13

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FormShow();
    int Checked(QGroupBox* group) const;
    void Check(QGroupBox* group, int entry);
    OptionChoices TakeChoices() const;
    void StartRun(OptionMode mode);
    void RunFinished(const OptionRunResult& result);
    void SetIdle(bool idle);
    void ChipRead(const ChipOptions& chip);

    Workspace& ws_;
    Notifier& notifier_;
    ChangeOptionContext context_;
    GuiReportQueue reports_;    // the run's reports and messages, in their order
    WorkerNotifier runNotifier_;
    OptionLayout layout_;
    OptionChoices choices_;
    ChipOptions chip_;
    OptionComposition composed_;
    bool readDuringRun_ = false;   // a ChipRead came: the run's end refreshes
    int timeoutHundredths_ = 500;
    Worker worker_;
};

// The open dialog, null when none is open.
extern TChangeOptionForm* ChangeOptionForm;

// The main window's "Change to Option 2": opens the dialog beside the main
// window (an open one is brought to the front).
void OpenChangeOptionForm(MainContext& form);
