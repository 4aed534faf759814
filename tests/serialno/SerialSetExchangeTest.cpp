// The serial-set frames end to end: the program's side over a pseudo-terminal
// against the simulated writer.
#include "LinkedWriter.h"
#include "SerialTestSupport.h"

#include "serialno/SerialSetFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace serialtest;

namespace {

using Texts = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

class SerialSetExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Writer.Ready);
        ShapeSmallDevice(Writer.Ws);
        Writer.Ws.Status.SerialModeText = "Enable";
        Writer.Ws.SerialSetupTexts = {"0123", "2", "0010", "00FF", "1", "0", "0", "0"};
    }

    long CountOf(const std::string& name)
    {
        const auto names = Writer.Box.RequestNames();
        return std::count(names.begin(), names.end(), name);
    }

    LinkedWriter Writer;
};

const Bytes kExampleFrame = {0xA3, 0x00, 0x01, 0x23, 0x02, 0x01, 0, 0, 0, 0, 0, 0, 0x00,
                             0x10, 0, 0, 0, 0, 0, 0, 0x00, 0xFF, 0x00, 0x00, 0x00};

}  // namespace

TEST_F(SerialSetExchange, DownloadSendsTheFrameByteForByteAndReportsPass)
{
    ASSERT_TRUE(DownloadSerialSet1Click(Writer.Ws, Writer.Notifier));
    const SerialSetStepMessage message = ProgramSN(Writer.Ws, Writer.Context);
    EXPECT_EQ(message.Text, "Program SeriaNo PASS.");
    EXPECT_FALSE(message.Red);
    const WriterState state = Writer.Box.Snapshot();
    EXPECT_EQ(state.SerialSet.LastFrame, kExampleFrame);
    EXPECT_EQ(state.SerialSet.FramesAccepted, 1);
    EXPECT_EQ(state.SerialSet.StartAddress, 0x0123);
    EXPECT_EQ(CountOf("serial-set frame"), 1);
}

TEST_F(SerialSetExchange, DownloadReportsARefusalOrASilentWriterInRed)
{
    Writer.Box.With([](WriterState& s) { s.SerialSet.Faults.FrameReply = 0xB1; });
    SerialSetStepMessage message = ProgramSN(Writer.Ws, Writer.Context);
    EXPECT_EQ(message.Text, "Program SeriaNo ERROR.");
    EXPECT_TRUE(message.Red);

    Writer.Box.With([](WriterState& s) { s.SerialSet.Faults.FrameReply = -1; });
    WriterFaults silent;
    silent.SilentFromByte = 0;
    Writer.Box.SetFaults(silent);
    message = ProgramSN(Writer.Ws, Writer.Context);
    EXPECT_EQ(message.Text, "Connect timeout!");
    EXPECT_TRUE(message.Red);
}

TEST_F(SerialSetExchange, DownloadOfTextsNeverSetUpSendsNothing)
{
    Writer.Ws.SerialSetupTexts = {"", "", "0000", "0000", "", "", "", ""};
    EXPECT_FALSE(DownloadSerialSet1Click(Writer.Ws, Writer.Notifier));
    EXPECT_EQ(Writer.Notifier.Texts(), Texts{"Please Setup Serial No !!"});
    const SerialSetStepMessage message = ProgramSN(Writer.Ws, Writer.Context);
    EXPECT_EQ(message.Text, "Please Setup Serial No !!");
    EXPECT_TRUE(message.Red);
    EXPECT_TRUE(Writer.Box.Requests().empty());
}

TEST_F(SerialSetExchange, ReadBackGivesTheDownloadedSetAsTexts)
{
    ASSERT_EQ(ProgramSN(Writer.Ws, Writer.Context).Text, "Program SeriaNo PASS.");
    Writer.Ws.SerialSetupTexts[sstOrder] = "1";  // the reply brings the writer's order back
    ASSERT_TRUE(ReadSerialSet1Click(Writer.Ws, Writer.Notifier, "COM1", Writer.Context))
        << Writer.Notifier.LastText();
    EXPECT_TRUE(Writer.Notifier.Texts().empty());
    const auto& t = Writer.Ws.SerialSetTexts;
    EXPECT_EQ(t[ssStartAddress], "0123");
    EXPECT_EQ(t[ssByteCount], "02");
    EXPECT_EQ(t[ssIncrement], "1");
    EXPECT_EQ(t[ssStartValue], "0010");
    EXPECT_EQ(t[ssEndValue], "00FF");
    EXPECT_EQ(t[ssTarget], "0");
    EXPECT_EQ(t[ssSavedSerial], "0010");
    EXPECT_EQ(Writer.Ws.SerialSetupTexts[sstOrder], "0");
    EXPECT_EQ(Writer.Ws.SerialSetupTexts[sstMode], "0");
    EXPECT_TRUE(Writer.Ws.SerialSetLoaded);
    const auto requests = Writer.Box.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().Name, "serial-set request");
    EXPECT_EQ(requests.back().Bytes, (Bytes{0xA3, 0x01}));
}

TEST_F(SerialSetExchange, ReadBackOfAnAsciiSetGivesCharacters)
{
    Writer.Ws.SerialSetupTexts = {"0040", "3", "A0Z", "B00", "35", "1", "1", "2"};
    ASSERT_EQ(ProgramSN(Writer.Ws, Writer.Context).Text, "Program SeriaNo PASS.");
    ASSERT_TRUE(ReadSerialSet1Click(Writer.Ws, Writer.Notifier, "COM1", Writer.Context));
    const auto& t = Writer.Ws.SerialSetTexts;
    EXPECT_EQ(t[ssStartValue], "A0Z");
    EXPECT_EQ(t[ssEndValue], "B00");
    EXPECT_EQ(t[ssSavedSerial], "A0Z");
    EXPECT_EQ(t[ssStartAddress], "0040");
    EXPECT_EQ(t[ssIncrement], "35");
    EXPECT_EQ(t[ssTarget], "1");
    EXPECT_EQ(Writer.Ws.SerialSetupTexts[sstOrder], "1");
    EXPECT_EQ(Writer.Ws.SerialSetupTexts[sstMode], "2");
}

TEST_F(SerialSetExchange, AShortOrSilentReplyChangesNothing)
{
    ASSERT_EQ(ProgramSN(Writer.Ws, Writer.Context).Text, "Program SeriaNo PASS.");
    const auto setup = Writer.Ws.SerialSetupTexts;

    Writer.Box.With([](WriterState& s) { s.SerialSet.Faults.ReplyLength = 32; });
    EXPECT_FALSE(ReadSerialSet1Click(Writer.Ws, Writer.Notifier, "COM1", Writer.Context));
    EXPECT_EQ(Writer.Notifier.Texts(), Texts{"Connet Time out!"});

    Writer.Box.With([](WriterState& s) { s.SerialSet.Faults.ReplyLength = -1; });
    WriterFaults silent;
    silent.SilentFromByte = 0;
    Writer.Box.SetFaults(silent);
    EXPECT_FALSE(ReadSerialSet1Click(Writer.Ws, Writer.Notifier, "COM1", Writer.Context));
    EXPECT_EQ(Writer.Notifier.LastText(), "Connet Time out!");

    EXPECT_FALSE(Writer.Ws.SerialSetLoaded);
    EXPECT_EQ(Writer.Ws.SerialSetupTexts, setup);
    EXPECT_EQ(Writer.Ws.SerialSetTexts, (std::array<std::string, 7>{}));
}

TEST_F(SerialSetExchange, AReplyWithFieldsOutOfRangeIsRefused)
{
    ASSERT_EQ(ProgramSN(Writer.Ws, Writer.Context).Text, "Program SeriaNo PASS.");
    const auto setup = Writer.Ws.SerialSetupTexts;
    // The full list of refused fields is pinned by the reply-store tests.
    const std::vector<std::pair<std::size_t, uint8_t>> patches = {{ssrByteCount, 9}, {ssrMode, 3}};
    for (const auto& patch : patches) {
        Writer.Notifier.Clear();
        Writer.Box.With([&](WriterState& s) { s.SerialSet.Faults.ReplyPatches = {patch}; });
        EXPECT_FALSE(ReadSerialSet1Click(Writer.Ws, Writer.Notifier, "COM1", Writer.Context))
            << patch.first << "=" << int(patch.second);
        EXPECT_EQ(Writer.Notifier.Texts(), Texts{"Serial set data error!"});
        EXPECT_FALSE(Writer.Ws.SerialSetLoaded);
        EXPECT_EQ(Writer.Ws.SerialSetupTexts, setup);
    }
}

TEST_F(SerialSetExchange, TheBoxRefusesAFrameWithFieldsOutOfRange)
{
    // Sent by hand: the program never builds such a frame.
    Bytes frame = kExampleFrame;
    frame[4] = 9;
    Writer.Box.ClearRequests();
    for (std::size_t i = 0; i < frame.size(); ++i) {
        SendByte(Writer.Ws, frame[i]);
    }
    uint8_t reply = 0;
    ASSERT_EQ(WaitForByte(Writer.Ws, reply, Writer.Context), WaitResult::Byte);
    EXPECT_EQ(reply, 0xB1);
    EXPECT_EQ(Writer.Box.Snapshot().SerialSet.FramesAccepted, 0);
}
