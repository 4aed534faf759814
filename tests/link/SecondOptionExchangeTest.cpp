#include "LinkTestSupport.h"
#include "workspace/DeviceCatalogue.h"
#include "link/SecondOptionExchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

struct CountingReporter : OptionRunReporter {
    void ChipRead(const ChipOptions& chip) override { Reads.push_back(chip); }
    std::vector<ChipOptions> Reads;
};

// A clean chip: user options and option area as a chip that was never given
// a second set, with words 00h..03h of its own.
SimulatedChip CleanChip()
{
    SimulatedChip chip;
    chip.OptionWords = {0x0A, 0x3F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F};
    for (std::size_t i = 0; i < 8; ++i) chip.OptionArea[i] = uint8_t(0x10 + i);
    return chip;
}

bool Wrote(const WriterBox& box)
{
    const auto requests = box.Requests();
    return std::any_of(requests.begin(), requests.end(), [](const RecordedRequest& r) {
        return r.Name == "command header" && (r.Bytes[9] & 0xBF) == 0xA7;
    });
}

// A linked writer with the first catalogue device selected and a clean chip in the socket.
struct OptionWriter : LinkedWriter {
    OptionWriter()
    {
        SelectDevice(Ws, GetIcName(0));
        Box.SetChip(CleanChip());
    }
    OptionRunResult Run(OptionRunInput input)
    {
        input.PortText = "COM1";
        return RunOptionMode(Ws, Notifier, Context, input, Reporter);
    }
    CountingReporter Reporter;
};

}  // namespace

TEST(SecondOptionExchange, EveryModeEndsWithItsOwnMessage)
{
    struct Row {
        const char* Case;
        OptionMode Mode;
        std::function<void(LinkedWriter&)> Setup;
        std::vector<std::string> Texts;
        bool Writes;
        size_t ChipReads;
    };
    const auto used = [](LinkedWriter& w) { w.Box.With([](WriterState& s) { MarkOption2Used(s.Chip); }); };
    const auto faults = [](WriterFaults f) { return [f](LinkedWriter& w) { w.Box.SetFaults(f); }; };
    const Row rows[] = {
        {"read of a used chip", OptionMode::Read, used, {"Read options end!!", "The 2nd Option was used !"}, false, 1},
        {"auto on a used chip stops before the write", OptionMode::Auto, used, {"The 2nd Option was used !"}, false, 1},
        {"auto on a clean chip", OptionMode::Auto, [](LinkedWriter&) {}, {"Program && verify OK"}, true, 1},
        {"a select bit that reads back wrong", OptionMode::Auto,
         [](LinkedWriter& w) { w.Box.With([](WriterState& s) { s.OptionArea.CorruptWord = 0x12; }); }, {"Verify Fail!!"},
         true, 1},
        {"a silent writer stops at the writer check", OptionMode::Auto, faults(SilentWriter()),
         {"Connect COM1 Timeout!!"}, false, 0},
        {"a writer of the wrong kind stops at the writer check", OptionMode::Auto, faults({.WrongGeneration = true}),
         {"Connect Fail!"}, false, 0},
        {"no chip in the socket", OptionMode::Read, faults({.NoChip = true}), {"Nothing in socket or type error!!"},
         false, 0},
        {"a failed program byte", OptionMode::Auto, faults({.ProgramFailAt = 3}), {"OPTION program fail !!"}, true, 1},
        {"write before any read in the dialog", OptionMode::Write, [](LinkedWriter&) {},
         {"Please read IC OPTIONs first !!"}, false, 0},
        // Cancelled: the run ends without a word, not with the time-out.
        {"a cancelled run", OptionMode::Auto, [](LinkedWriter& w) { w.Box.SetFaults(SilentWriter()), w.Cancel = true; },
         {}, false, 0},
    };
    for (const Row& row : rows) {
        OptionWriter w;
        ASSERT_TRUE(w.Ready);
        row.Setup(w);
        OptionRunInput input;
        input.Mode = row.Mode;
        const OptionRunResult result = w.Run(input);
        EXPECT_EQ(w.Notifier.Texts(), row.Texts) << row.Case;
        EXPECT_EQ(Wrote(w.Box), row.Writes) << row.Case;
        EXPECT_EQ(w.Reporter.Reads.size(), row.ChipReads) << row.Case;
        EXPECT_EQ(result.Cancelled, row.Texts.empty()) << row.Case;
        EXPECT_FALSE(result.Cancelled && result.Refresh) << row.Case;
    }
}

TEST(SecondOptionExchange, AutoWritesTheCompositionAndKeepsTheChipsOwnWords)
{
    OptionWriter w;
    ASSERT_TRUE(w.Ready);
    OptionRunInput input;
    input.Mode = OptionMode::Auto, input.Choices.A10h = kKeepOrCopy;
    input.Choices.A1xh[1] = kWriteNew, input.Choices.EditText[1] = "12 34";
    const OptionRunResult result = w.Run(input);
    const std::vector<ChipOptions>& reads = w.Reporter.Reads;
    ASSERT_EQ(w.Notifier.LastText(), "Program && verify OK");
    EXPECT_TRUE(result.Refresh);

    // The chip read shows the chip's user options, masked.
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].IcUserData, CleanChip().OptionWords);
    const OptionComposition expected = ComposeOptionArea(OptionLayout::Of(w.Ws), input.Choices, reads[0]);
    const SimulatedChip chip = w.Box.Chip();
    for (std::size_t i = 0; i < chip.OptionArea.size(); ++i) EXPECT_EQ(chip.OptionArea[i], expected.Image[i] & 0x7F) << i;
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(chip.OptionArea[i], CleanChip().OptionArea[i]);
    EXPECT_EQ(chip.OptionArea[32], 0x10);   // word 10h keeps the chip's word 00h, as read
    // The result carries the read-back for the dialog's refresh.
    EXPECT_EQ(result.Chip.IcBodyData1[5], chip.OptionArea[37]);

    // On the wire: user-option read, option-area read, the write header and
    // its 40 bytes, the read-back (header bytes 3, 4, 5, 7 and 9).
    std::vector<std::vector<uint8_t>> headers;
    std::vector<uint8_t> stream;
    for (const RecordedRequest& r : w.Box.Requests()) {
        if (r.Name == "command header") headers.push_back({r.Bytes[3], r.Bytes[4], r.Bytes[5], r.Bytes[7], r.Bytes[9]});
        if (r.Name == "data stream") stream = r.Bytes;
    }
    const std::vector<std::vector<uint8_t>> wire = {
        {3, 0, 1, 0x30, 0xA5}, {19, 0, 5, 0x30, 0xA5}, {19, 0, 5, 5, 0xA7}, {19, 0, 5, 0x30, 0xA5}};
    EXPECT_EQ(headers, wire);
    EXPECT_EQ(stream, std::vector<uint8_t>(expected.Image.begin(), expected.Image.end()));
}

TEST(SecondOptionExchange, AFailedAreaReadLeavesNothingForWriteToCopy)
{
    OptionWriter w;
    ASSERT_TRUE(w.Ready);
    // Type query, identification and the user-option header pass; the
    // option-area header meets a silent writer.
    w.Box.SetFaults(SilentWriter(12));
    OptionRunInput input;
    input.Mode = OptionMode::Read;
    const OptionRunResult read = w.Run(input);
    ASSERT_EQ(w.Notifier.Texts(), std::vector<std::string>{"Connect Timeout!! (3)"});
    w.Box.SetFaults({});
    input.Mode = OptionMode::Write;
    input.Chip = read.Chip;
    input.Composed = ComposeOptionArea(OptionLayout::Of(w.Ws), input.Choices, read.Chip);
    w.Run(input);
    EXPECT_EQ(w.Notifier.LastText(), "Please read IC OPTIONs first !!");
    EXPECT_FALSE(Wrote(w.Box));
}
