#include "EngineFixture.h"

#include "link/OperationDispatch.h"

namespace {

// The main window as the dispatcher sees it: the progress dialog runs the
// engine to its end; the window requests a test looks at are counted.
class FakeWindows : public OperationWindows {
public:
    FakeWindows(Workspace& ws, RecordingReporter& reporter, Notifier& notifier, std::string device)
        : ws_(ws), engine_(ws, reporter, notifier), device_(std::move(device))
    {
        engine_.SetTimeoutHundredths(30);
    }
    std::string PortText() override { return "Com1"; }
    void ShowProgressDialog() override
    {
        ++DialogsShown;
        ShownCode = ws_.CommandCode;
        EngineControls c;
        c.DeviceText = device_;
        engine_.Start(c);
        engine_.Join();
    }
    void RebuildMemoryWindow() override {}
    void RebuildEepromWindow() override {}
    void ApplyActions(const GuiActions& actions) override { Actions |= actions; }
    void TileHorizontally() override { ++Tiles; }
    void UpdateScreen() override { ++ScreenUpdates; }
    void CloseDisassembly() override {}
    void StatusChanged() override {}
    std::string DeviceText() override { return device_; }

    int DialogsShown = 0, ShownCode = -1, Tiles = 0, ScreenUpdates = 0;
    GuiActions Actions;

private:
    Workspace& ws_;
    ProgrammingEngine engine_;
    std::string device_;
};

class OperationDispatch : public EngineTest {
protected:
    FakeWindows windows{w.Ws, reporter, w.Notifier, "72Q575"};
};

TEST_F(OperationDispatch, BlankResetWordAsksAbortOrIgnore)
{
    w.Ws.ProgramMemory[0] = 0x7F;
    w.Ws.ProgramMemory[1] = 0x7F;
    w.Notifier.Script({Answer::Abort});
    EXPECT_FALSE(RunOperation(w.Ws, w.Notifier, windows, opAutoProgram));
    ASSERT_EQ(w.Notifier.Prompts.size(), 1u);
    EXPECT_EQ(w.Notifier.Prompts[0].Text, "Reset address (0000h) is blank!!");
    EXPECT_EQ(w.Notifier.Prompts[0].Buttons, QuestionButtons::AbortIgnore);
    EXPECT_EQ(windows.DialogsShown, 0);

    w.Notifier.Script({Answer::Ignore});
    EXPECT_TRUE(RunOperation(w.Ws, w.Notifier, windows, opProgramData));
    EXPECT_EQ(windows.ShownCode, opProgramData);
}

TEST_F(OperationDispatch, CodesOutsideTheTableAreRefusedBeforeAnythingOpens)
{
    for (int32_t code : {-1, 13, 100}) {
        EXPECT_FALSE(RunOperation(w.Ws, w.Notifier, windows, code));
        w.Ws.CommandCode = code;
        EXPECT_FALSE(WriterFunction(w.Ws, w.Notifier, windows));
    }
    EXPECT_EQ(windows.DialogsShown, 0);
    EXPECT_TRUE(w.Notifier.Prompts.empty());
}

TEST_F(OperationDispatch, OverWriteAlwaysRunsWithSerialModeOff)
{
    w.Ws.SerialModeOn = true, w.Ws.Status.SerialModeText = "Enable";
    w.Box.With([](WriterState& s) { s.Chip.Protected = true; });
    EXPECT_TRUE(RunOperation(w.Ws, w.Notifier, windows, opOverWrite));
    EXPECT_FALSE(w.Ws.SerialModeOn);
    EXPECT_EQ(w.Ws.Status.SerialModeText, "Disable");
    EXPECT_EQ(windows.ShownCode, opOverWrite);
}

TEST_F(OperationDispatch, ReadIcClearsTheWorkspaceThenShowsWhatTheChipHolds)
{
    ProgramChipFromWorkspace();
    const WorkspaceImage programmed = Image();
    w.Ws.DisasmWindowOpen = true;
    EXPECT_TRUE(RunOperation(w.Ws, w.Notifier, windows, opReadIc));
    EXPECT_EQ(windows.ShownCode, opReadIc);
    EXPECT_EQ(windows.Tiles, 1);
    EXPECT_EQ(windows.Actions.EepromControlsEnabled, std::optional<bool>(true));
    EXPECT_EQ(windows.ScreenUpdates, 1);
    EXPECT_TRUE(windows.Actions.CloseDisasmWindow) << "replacing program memory closes the disassembly";
    EXPECT_FALSE(w.Ws.DisasmWindowOpen);
    EXPECT_TRUE(std::equal(programmed.ProgramMemory.begin(), programmed.ProgramMemory.begin() + w.Ws.RomBytes,
                           w.Ws.ProgramMemory.begin()));
    EXPECT_EQ(w.Ws.Status.PassCountText, "0") << "the reset cleared the pass count";
}

TEST_F(OperationDispatch, SerialSetDownloadNeedsSerialModeSetUpAndRunsTheSerialStepOnly)
{
    EXPECT_FALSE(RunOperation(w.Ws, w.Notifier, windows, opSerialNoProgram));
    EXPECT_EQ(w.Notifier.LastText(), "Please Setup Serial No !!");
    EXPECT_EQ(windows.DialogsShown, 0);
    w.Ws.Status.SerialModeText = "Enable";
    w.Ws.SerialSetupTexts = {"0123", "2", "0010", "00FF", "1", "0", "0", "0"};
    w.Box.ClearRequests();
    EXPECT_TRUE(RunOperation(w.Ws, w.Notifier, windows, opSerialNoProgram));
    EXPECT_EQ(reporter.Caption(ProgressLabel::Title), " Serial No Program ");
    EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Program SeriaNo PASS.");
    EXPECT_EQ(reporter.Label(ProgressLabel::Data).Colour, LabelColour::WindowText);
    EXPECT_TRUE(reporter.ContinueEnabled());
    EXPECT_EQ(CountOf(w.Box.RequestNames(), "command header"), 0);
}

}  // namespace
