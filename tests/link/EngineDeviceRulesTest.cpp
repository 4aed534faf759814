// Chip-step rules that go by the device's name or by the writer's
// identification text, as the writer sees them. The rules are written out
// here, so that a change of the program's own tables fails.
#include "EngineFixture.h"

#include <chrono>
#include <tuple>

namespace {

using namespace std::chrono_literals;

class EngineDeviceRules : public EngineTest {
protected:
    // A name from a configuration file or a device list has no catalogue row:
    // the selector carries it, and the workspace keeps the fields of the row
    // loaded before under that name.
    RunEnd RunAs(const std::string& name, int32_t code)
    {
        PrepareDevice("72Q575");
        deviceText = w.Ws.DeviceName = name;
        w.Box.ClearRequests();
        return Run(code);
    }
};

// "KRV31Q566" and the names whose first nine characters are "KRV31Q520" are
// erased without the access-start bit (bit 6 of header byte 9), and the run
// waits 0.9 s before the next request.
TEST_F(EngineDeviceRules, SlowErasePartsClearTheAccessStartBitAndPauseAfterTheErase)
{
    const struct {
        const char* Name;
        bool Slow;
    } cases[] = {{"KRV31Q566", true}, {"KRV31Q520(A)", true}, {"KRV31Q5660", false}, {"72Q575", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_EQ(RunAs(c.Name, opErase), RunEnd::Completed) << reporter.Caption(ProgressLabel::BlankCheck);
        const std::vector<RecordedRequest> r = w.Box.Requests();
        const auto erase = std::find_if(r.begin(), r.end(), [](const RecordedRequest& q) {
            return q.Name == "command header" && (q.Bytes[9] & ~0x40) == 0xA8;
        });
        ASSERT_TRUE(erase != r.end() && erase + 1 != r.end()) << "an erase header, then the blank check";
        EXPECT_EQ((erase->Bytes[9] & 0x40) == 0, c.Slow);
        // The pause ends 0.89 s to 0.9 s after the erase's answer at the earliest.
        EXPECT_EQ((erase + 1)->At - erase->At >= 880ms, c.Slow);
    }
}

// The blank check of "KRV31R511(BA)" passes over ID words 0 and 1.
TEST_F(EngineDeviceRules, BlankCheckOfKrv31R511BaSkipsTheFirstTwoIdWords)
{
    const struct {
        const char* Name;
        int Word;   // the first of the two ID words the chip holds not blank
        bool Blank;
    } cases[] = {{"KRV31R511(BA)", 0, true}, {"KRV31R511(BA)", 2, false}, {"KRV31R511", 0, false}, {"72Q575", 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Name << " word " << c.Word);
        w.Box.With([&](WriterState& s) {
            s.Chip = SimulatedChip();
            std::fill_n(s.Chip.IdChecksum.begin() + 2 * c.Word, 4, uint8_t(0x00));
        });
        EXPECT_EQ(RunAs(c.Name, opBlankCheck), c.Blank ? RunEnd::Completed : RunEnd::StepFailed);
        EXPECT_EQ(reporter.Caption(ProgressLabel::BlankCheck),
                  c.Blank ? "Blank check OK." : "ID or Checksum ...... Not Blank!!");
    }
}

// The program-memory and EEPROM streams send two bytes per acknowledge from
// firmware V3.21 on an "HRX207..." writer and from V3.26 on a " HRX307..."
// one. The writer acknowledges as this table says; a stream out of step
// with it never meets the writer's end of data (0xB0).
TEST_F(EngineDeviceRules, StreamsPairFromEachModelsFirmwareThreshold)
{
    const struct {
        const char* Model;
        const char* Version;
        bool Pairs;
    } cases[] = {{"HRX207", "V3.20", false},   {"HRX207", "V3.21", true},    {"HRX207", "V3.25", true},
                 {"HRX207", "V3.26", true},    {" HRX307A", "V3.20", false}, {" HRX307A", "V3.21", false},
                 {" HRX307A", "V3.25", false}, {" HRX307A", "V3.26", true}};
    const std::tuple<int32_t, ProgressLabel, const char*> streams[] = {
        {opProgramData, ProgressLabel::Data, "Data program Ok"},
        {opProgramEeprom, ProgressLabel::Eeprom, "EEPROM data program Ok"}};
    PrepareDevice("31Q520");
    for (const auto& c : cases) {
        w.Box.SetIdentity(c.Model, c.Version);
        w.Box.SetAcknowledge(c.Pairs ? AckMode::PerPair : AckMode::PerByte);
        w.Ws.WriterVersion.clear();
        for (const auto& [code, label, ok] : streams) {
            SCOPED_TRACE(testing::Message() << c.Model << ' ' << c.Version << ' ' << ok);
            EXPECT_EQ(Run(code), RunEnd::Completed);
            const std::vector<std::string> shown = reporter.CaptionsOf(label);
            EXPECT_EQ(std::count(shown.begin(), shown.end(), ok), 1);
        }
    }
}

}  // namespace
