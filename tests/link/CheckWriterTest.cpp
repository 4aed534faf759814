#include <gtest/gtest.h>

#include "LinkTestSupport.h"

namespace {

WriterFaults Silent()
{
    WriterFaults f;
    f.SilentFromByte = 0;
    return f;
}

}  // namespace

TEST(CheckWriter, GenerationOneAndTwoWritersMustMatchTheDevice)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    w.Box.SetTypeReply(0xC2);
    w.Ws.WriterType = 1;
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen1);
    w.Ws.WriterType = 2;
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWrongWriter);
    w.Box.SetTypeReply(0xC3);
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2);
    w.Ws.WriterType = 1;
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWrongWriter);
    EXPECT_EQ(CountOf(w.Box.RequestNames(), "identification request"), 0);
    EXPECT_TRUE(w.Notifier.Texts().empty());
}

TEST(CheckWriter, IdentificationIsReadOnceThenAgainAfterATimeOut)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    EXPECT_EQ(CountOf(w.Box.RequestNames(), "identification request"), 1);
    EXPECT_EQ(w.Ws.WriterId, " HRX307A V3.30");
    EXPECT_EQ(w.Ws.WriterVersion, "V3.30");

    w.Box.SetFaults(Silent());
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrTimeout);
    EXPECT_TRUE(w.Ws.WriterVersion.empty());
    EXPECT_TRUE(w.Ws.LinkFailed);

    w.Box.SetFaults({});
    w.Box.SetIdentity(" HRX307A", "V3.31");
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    EXPECT_EQ(CountOf(w.Box.RequestNames(), "identification request"), 2);
    EXPECT_EQ(w.Ws.WriterVersion, "V3.31");
}

TEST(CheckWriter, UnexpectedTypeReplyForgetsTheVersion)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    ASSERT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    WriterFaults odd;
    odd.UnexpectedReply = 0x55;
    w.Box.SetFaults(odd);
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrUnexpected);
    EXPECT_TRUE(w.Ws.WriterVersion.empty());
    EXPECT_FALSE(w.Ws.LinkFailed);
}

TEST(CheckWriter, GenerationWithoutTextForgetsTheCachedIdentity)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    w.Ws.WriterType = 2;
    ASSERT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    ASSERT_TRUE(PairMode(w.Ws, "V3.20", "V3.20"));
    w.Box.SetTypeReply(0xC3);
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2);
    EXPECT_TRUE(w.Ws.WriterId.empty());
    EXPECT_TRUE(w.Ws.WriterVersion.empty());
    EXPECT_FALSE(PairMode(w.Ws, "V3.20", "V3.20"));
}

TEST(CheckWriter, OldModelIsRejectedWithAMessage)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    w.Box.SetIdentity("HRX207", "V3.30");
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    EXPECT_EQ(w.Notifier.Texts(),
              std::vector<std::string>{"This writer can not use with this version software"});
    EXPECT_TRUE(PairMode(w.Ws, "V3.20", "V3.20"));
}

TEST(CheckWriter, FirmwareUpToV327AsksForAnUpdate)
{
    struct Case {
        const char* Version;
        bool Message;
    };
    for (Case c : {Case{"V3.27", true}, Case{"V3.20", true}, Case{"V3.28", false}, Case{"V3.3", false}}) {
        LinkedWriter w;
        ASSERT_TRUE(w.Ready);
        w.Box.SetIdentity(" HRX307A", c.Version);
        EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
        if (c.Message)
            EXPECT_EQ(w.Notifier.Texts(), std::vector<std::string>{"Please update the firmware"}) << c.Version;
        else
            EXPECT_TRUE(w.Notifier.Texts().empty()) << c.Version;
        EXPECT_TRUE(PairMode(w.Ws, "V3.20", "V3.20")) << c.Version;
    }
}

TEST(CheckWriter, LongIdentificationIsCutAtFifteenAndTheRestDrained)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    SelectTestDevice(w.Ws);
    w.Box.SetIdentity(" HRX307A-EXTENDED", "V3.30");
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    EXPECT_EQ(w.Ws.WriterId, " HRX307A-EXTEND");
    // The rest of the text must not answer the next request, which sends no purge.
    GetHeader(w.Ws, areaProgram, hcErase);
    EXPECT_EQ(SendHeader(w.Ws, 10, w.Context), lrDone);
}

TEST(CheckWriterSwitch, TestsTheStatusAgainstTheMask)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    w.Box.ScriptSwitch({0x00, 0x02, 0x01, 0x03});
    EXPECT_EQ(CheckWriterSwitch(w.Ws, 1, w.Context), lrUnexpected);
    EXPECT_EQ(CheckWriterSwitch(w.Ws, 1, w.Context), lrUnexpected);
    EXPECT_EQ(CheckWriterSwitch(w.Ws, 1, w.Context), lrSwitchOn);
    EXPECT_EQ(CheckWriterSwitch(w.Ws, 2, w.Context), lrSwitchOn);
}

TEST(CheckWriterSwitch, TimeOutMarksTheLinkFailedAndForgetsTheVersion)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    ASSERT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    w.Box.SetFaults(Silent());
    EXPECT_EQ(CheckWriterSwitch(w.Ws, 1, w.Context), lrTimeout);
    EXPECT_TRUE(w.Ws.LinkFailed);
    EXPECT_TRUE(w.Ws.WriterVersion.empty());
}

TEST(ReadWriterID, ReturnsEveryResult)
{
    struct Case {
        const char* Model;
        LinkResult Result;
        const char* Id;
    };
    const Case cases[] = {
        {" HRX307A", lrDone, " HRX307A V3.30"},
        {"AB\xFE", lrNoChip, "AB"},
        {"AB\xFD", lrAdapterError, "AB"},
        {"AB\x90", lrUnexpected, "AB"},
    };
    for (const auto& c : cases) {
        LinkedWriter w;
        ASSERT_TRUE(w.Ready);
        w.Box.SetIdentity(c.Model, "V3.30");
        w.Ws.CommandBuffer[0] = WriterIdRequest;
        EXPECT_EQ(ReadWriterID(w.Ws, 15, w.Context), c.Result) << c.Model;
        EXPECT_EQ(w.Ws.WriterId, c.Id);
    }
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    w.Box.SetFaults(Silent());
    w.Ws.CommandBuffer[0] = WriterIdRequest;
    EXPECT_EQ(ReadWriterID(w.Ws, 15, w.Context), lrTimeout);
}
