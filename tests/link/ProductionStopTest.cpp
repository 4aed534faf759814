#include "EngineFixture.h"

#include "serialno/QtpFile.h"
#include "serialno/SerialNumber.h"

namespace {

class ProductionStop : public EngineTest {
protected:
    void TearDown() override { CloseQtpInput(w.Ws); }

    // "Load QTP File" of a file holding the given records.
    void LoadQtp(const std::string& text)
    {
        WriteBytes(qtpPath, text);
        ASSERT_EQ(LoadQTPFile1Click(w.Ws, QtpFileChoice{true, true, qtpPath}, w.Notifier), QtpLoadResult::Loaded)
            << w.Notifier.LastText();
    }

    TempDir dir;
    const std::string qtpPath = dir.File("production.txt");
};

struct StopCase {
    const char* Name;
    std::string Qtp;        // the QTP file in use; empty: the generator gives the numbers
    uint32_t Increment;     // of the generator
    std::string Message;    // why production stopped, shown to the operator
    std::vector<std::string> QtpCaptions;
};

}  // namespace

// After a good chip, a run that can give no next number ends serial mode;
// it must not arm the automatic restart (handler or flash test), or the
// next chips would be programmed with the old number and passed as good.
TEST_F(ProductionStop, RunThatEndsSerialModeArmsNoRestart)
{
    const std::vector<StopCase> cases = {
        {"QTP file runs out", ":040010001231343144\r\n:00000001FF", 1, "", {"QTP programming finished!"}},
        {"next QTP record over words without RTWI", ":040010001231343144\r\n:040020001231353133\r\n:00000001FF", 1,
         "The Instr is not 'RTWI'", {}},
        {"generator that cannot step", "", 0, "Please Setup Serial No !!", {}},
    };
    for (const StopCase& c : cases) {
        for (const bool handler : {true, false}) {
            SCOPED_TRACE(std::string(c.Name) + (handler ? ", handler" : ", flash test"));
            PrepareDevice("72Q575");
            PrepareSerialRun();
            w.Ws.SerialIncrement = c.Increment;
            w.Ws.WithHandler = handler;
            w.Ws.FlashPgmTestOn = !handler;
            if (!c.Qtp.empty()) LoadQtp(c.Qtp);
            w.Notifier.Clear();
            const int ends = reporter.EnTimer1Calls();

            Run(opAutoProgram);
            EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Data program && verify OK");
            EXPECT_EQ(w.Box.Chip().ProgramMemory[2 * kSerialWord + 2], 0x34) << "this chip got its number";
            EXPECT_FALSE(w.Ws.SerialModeOn);
            EXPECT_EQ(reporter.LastStatus().SerialModeText, "Disable");
            EXPECT_EQ(reporter.EnTimer1Calls(), ends + 1) << "Continue and Exit are enabled";
            EXPECT_FALSE(reporter.LastArmRepeat());
            EXPECT_EQ(reporter.CaptionsOf(ProgressLabel::Qtp), c.QtpCaptions);
            EXPECT_EQ(w.Notifier.Texts(), c.Message.empty() ? std::vector<std::string>{}
                                                            : std::vector<std::string>{c.Message});
        }
    }
}

TEST_F(ProductionStop, SimulatedRunSendsNothingToTheWriter)
{
    w.Ws.QtpSimulate = true;
    w.Ws.WithHandler = true;
    w.Box.ClearRequests();
    ASSERT_EQ(Run(opAutoProgram), RunEnd::Completed);
    EXPECT_EQ(reporter.Caption(ProgressLabel::Data), "Simulate Programming OK");
    EXPECT_EQ(w.Ws.Status.PassCountText, "1");
    EXPECT_EQ(w.Box.RequestNames(), std::vector<std::string>{});
}
