#include "LinkedWriter.h"
#include "../serialno/SerialTestSupport.h"
#include "link/SerialSetExchange.h"

#include <chrono>

using namespace serialtest;

namespace {

using Bytes = std::vector<uint8_t>;

class SerialSetExchange : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Writer.Ready);
        SetCreationDefaults(Writer.Ws);
        Writer.Ws.Status.SerialModeText = "Enable";
        Writer.Ws.SerialSetupTexts = {"0123", "2", "0010", "00FF", "1", "0", "0", "0"};
    }

    bool ReadSerialNumSet()   // the exchange, then the storing of its reply
    {
        const auto reply = ReadSerialSetReply(Writer.Ws, Writer.Notifier, "COM1", Writer.Context);
        return reply && TakeSerialSetReply(Writer.Ws, Writer.Notifier, *reply);
    }

    LinkedWriter Writer;
};

const Bytes kExampleFrame = {0xA3, 0x00, 0x01, 0x23, 0x02, 0x01, 0, 0, 0, 0, 0, 0, 0x00,
                             0x10, 0, 0, 0, 0, 0, 0, 0x00, 0xFF, 0x00, 0x00, 0x00};

}  // namespace

TEST_F(SerialSetExchange, DownloadSendsTheFrameByteForByteAndReadBackGivesItAsTexts)
{
    ASSERT_TRUE(DownloadSerialSet1Click(Writer.Ws, Writer.Notifier));
    const SerialSetStepMessage message = ProgramSN(Writer.Ws, Writer.Context);
    EXPECT_EQ(message.Text, "Program SeriaNo PASS.");
    EXPECT_FALSE(message.Red);
    const WriterState state = Writer.Box.Snapshot();
    EXPECT_EQ(state.SerialSet.LastFrame, kExampleFrame);
    EXPECT_EQ(state.SerialSet.FramesAccepted, 1);

    Writer.Ws.SerialSetupTexts[sstOrder] = "1";  // the reply brings the writer's order back
    ASSERT_TRUE(ReadSerialNumSet())
        << Writer.Notifier.LastText();
    EXPECT_TRUE(Writer.Notifier.Texts().empty());
    EXPECT_EQ(Writer.Ws.SerialSetTexts, (std::array<std::string, 7>{"0123", "02", "1", "0010", "00FF", "0", "0010"}));
    EXPECT_EQ(Writer.Ws.SerialSetupTexts[sstOrder], "0");
    EXPECT_EQ(Writer.Ws.SerialSetupTexts[sstMode], "0");
    EXPECT_TRUE(Writer.Ws.SerialSetLoaded);
    const auto requests = Writer.Box.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().Bytes, (Bytes{0xA3, 0x01}));
}

TEST_F(SerialSetExchange, DownloadReportsARefusalOrASilentWriterInRed)
{
    Writer.Box.With([](WriterState& s) { s.SerialSet.Faults.FrameReply = 0xB1; });
    SerialSetStepMessage message = ProgramSN(Writer.Ws, Writer.Context);
    EXPECT_EQ(message.Text, "Program SeriaNo ERROR.");
    EXPECT_TRUE(message.Red);

    Writer.Box.With([](WriterState& s) { s.SerialSet.Faults.FrameReply = -1; });
    Writer.Box.SetFaults(SilentWriter());
    message = ProgramSN(Writer.Ws, Writer.Context);
    EXPECT_EQ(message.Text, "Connect timeout!");
    EXPECT_TRUE(message.Red);

    // A line that stops taking bytes (here behind the writer check) ends
    // the step within about one limit, not one limit for every frame byte.
    Writer.Box.SetFaults({.StallFromByte = 0});
    Writer.Ws.WriterVersion = "V3.30";
    ASSERT_NE(CheckWriter(Writer.Ws, Writer.Notifier, Writer.Context), lrTimeout);
    const auto start = std::chrono::steady_clock::now();
    message = ProgramSN(Writer.Ws, Writer.Context);
    const auto limit = std::chrono::milliseconds(Writer.Context.TimeoutHundredths * 10);
    EXPECT_EQ(message.Text, "Connect timeout!");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4 * limit);
}

TEST_F(SerialSetExchange, AShortOrSilentReplyChangesNothing)
{
    ASSERT_EQ(ProgramSN(Writer.Ws, Writer.Context).Text, "Program SeriaNo PASS.");
    const auto setup = Writer.Ws.SerialSetupTexts;

    Writer.Box.With([](WriterState& s) { s.SerialSet.Faults.ReplyLength = 32; });   // one byte short
    EXPECT_FALSE(ReadSerialNumSet());
    EXPECT_EQ(Writer.Notifier.Texts(), Texts{"Connet Time out!"});

    // A whole reply with a field out of range.
    Writer.Box.With([](WriterState& s) { s.SerialSet.Faults = {}, s.SerialSet.Faults.ReplyPatches = {{ssrMode, 3}}; });
    EXPECT_FALSE(ReadSerialNumSet());
    EXPECT_EQ(Writer.Notifier.LastText(), "Serial set data error!");

    EXPECT_FALSE(Writer.Ws.SerialSetLoaded);
    EXPECT_EQ(Writer.Ws.SerialSetupTexts, setup);
    EXPECT_EQ(Writer.Ws.SerialSetTexts, (std::array<std::string, 7>{}));
}

