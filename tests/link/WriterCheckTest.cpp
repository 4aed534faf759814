#include <gtest/gtest.h>

#include <chrono>
#include <unistd.h>
#include <thread>

#include "LinkTestSupport.h"
#include "platform/Clock.h"

using Texts = std::vector<std::string>;

TEST(CheckWriter, IdentityIsReadOnceAndForgottenOnTimeOutOrAGenerationReply)
{
    LinkedWriter w;
    ASSERT_TRUE(w.Ready);
    w.Ws.WriterType = 2;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    EXPECT_EQ(CountOf(w.Box.RequestNames(), "identification request"), 1);
    EXPECT_EQ(w.Ws.WriterVersion, "V3.30");

    // A 0x55 to the type query forgets the version but does not fail the link.
    w.Box.SetFaults({.UnexpectedReply = 0x55});
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrUnexpected);
    EXPECT_TRUE(w.Ws.WriterVersion.empty());
    EXPECT_FALSE(w.Ws.LinkFailed);

    w.Box.SetFaults({});
    ASSERT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    w.Box.SetFaults(SilentWriter());
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrTimeout);
    EXPECT_TRUE(w.Ws.WriterVersion.empty());
    EXPECT_TRUE(w.Ws.LinkFailed);

    w.Box.SetFaults({});
    w.Box.SetIdentity(" HRX307A", "V3.31");
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    EXPECT_EQ(w.Ws.WriterVersion, "V3.31");
    w.Box.SetTypeReply(0xC3);
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2);
    EXPECT_TRUE(w.Ws.WriterId.empty());
    EXPECT_FALSE(IdentityOf(w.Ws).PairModeForLink());
}

TEST(CheckWriter, IdentificationTextDecidesTheMessages)
{
    struct Case {
        const char* Model;
        const char* Version;
        Texts Messages;
        const char* Id;
    } const cases[] = {
        {"HRX207", "V3.30", {"This writer can not use with this version software"}, "HRX207 V3.30"},
        {" HRX307A", "V3.27", {"Please update the firmware"}, " HRX307A V3.27"},
        {" HRX307A", "V3.28", {}, " HRX307A V3.28"},
        {" HRX307A", "V3.3", {}, " HRX307A V3.3"},
        {" HRX307A-EXTENDED", "V3.30", {"Please update the firmware"}, " HRX307A-EXTEND"},   // cut at 15, the rest drained
    };
    for (const auto& c : cases) {
        IdentifiedWriter w;
        w.Box.SetIdentity(c.Model, c.Version);
        w.Ws.WriterVersion.clear(), w.Notifier.Clear();
        EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id) << c.Model << c.Version;
        EXPECT_EQ(w.Notifier.Texts(), c.Messages) << c.Model << c.Version;
        EXPECT_EQ(w.Ws.WriterId, c.Id);
        GetHeader(w.Ws, areaProgram, hcErase);   // sends no purge
        EXPECT_EQ(SendHeader(w.Ws, 10, w.Context), lrDone) << c.Model << c.Version;
    }
}

TEST(PortChange, TellsWhatTheWriterOnThePortAnswered)
{
    struct Case {
        WriterFaults Faults;
        uint8_t TypeReply;
        uint32_t DeviceType;
        LinkResult Result;
        const char* Text;
    } const cases[] = {
        {{}, 0xC4, 2, lrWriterGen2Id, "Connect OK!"},
        {{}, 0xC3, 2, lrWriterGen2, "Connect OK!"},
        {{}, 0xC2, 1, lrWriterGen1, "Connect OK!"},
        {SilentWriter(), 0xC4, 2, lrTimeout, "Connect COM2 Timeout!!"},
        {{.WrongGeneration = true}, 0xC4, 2, lrWrongWriter, "Connect Fail!"},
        {{.UnexpectedReply = 0x55}, 0xC4, 2, lrUnexpected, "Connect Fail!"},
    };
    for (const auto& c : cases) {
        LinkedWriter w("COM2");
        ASSERT_TRUE(w.Ready);
        w.Box.SetFaults(c.Faults), w.Box.SetTypeReply(c.TypeReply), w.Ws.WriterType = c.DeviceType;
        EXPECT_EQ(ComboBox1Change(w.Ws, w.Notifier, "com2", w.Context), c.Result) << c.Text;
        EXPECT_EQ(w.Ws.ComPortName, "COM2");
        EXPECT_EQ(w.Notifier.Texts(), Texts{c.Text});
        EXPECT_EQ(w.Ws.LinkFailed, c.Result == lrTimeout);
    }
}

TEST(PortChange, ReopeningKeepsTheWriterAnotherPortForgetsIt)
{
    LinkedWriter first("COM1"), second("COM2");
    ASSERT_TRUE(first.Ready && second.Ready);
    Workspace& ws = first.Ws;
    // Reopening the same port keeps the identity; another port may hold another writer.
    CheckComPort(ws, first.Notifier, "Com1");
    ASSERT_EQ(CheckWriter(ws, first.Notifier, first.Context), lrWriterGen2Id);
    CheckComPort(ws, first.Notifier, "Com1");
    EXPECT_EQ(ws.WriterVersion, "V3.30");
    second.Ws.ComHandle->Close();
    second.Box.SetIdentity(" HRX307A", "V3.10");
    CheckComPort(ws, first.Notifier, "Com2");
    EXPECT_TRUE(ws.WriterVersion.empty());
    EXPECT_EQ(CheckWriter(ws, first.Notifier, first.Context), lrWriterGen2Id);
    EXPECT_EQ(ws.WriterVersion, "V3.10");

    Workspace closed;
    RecordingNotifier n;
    EXPECT_EQ(CheckWriter(closed, n), lrTimeout);
    EXPECT_EQ(n.Texts(), Texts{"RS232 port is not open"});
    EXPECT_FALSE(closed.LinkFailed);
}

TEST(TimeOut, LimitCountsHundredthsAcrossTheMinute)
{
    struct Case {
        int Mark, Now, Limit;
        bool Out;
    } const cases[] = {{1000, 1500, 500, false}, {1000, 1501, 500, true}, {5800, 300, 500, false},
                       {5800, 301, 500, true},   {5990, 10, 20, false},   {5990, 11, 20, true}};
    for (const auto& c : cases) EXPECT_EQ(CheckTimeOut(c.Mark, c.Now, c.Limit), c.Out) << c.Mark << " " << c.Now;
    EXPECT_EQ(CheckTimeOut(1000, 1501), true);   // the default limit is five seconds
}

TEST(TimeOut, CancelEndsEveryWaitWithoutTheTimeOutsSideEffects)
{
    // A limit of 50 s: an exchange that ignored the flag would run into it.
    IdentifiedWriter w;
    w.Context.TimeoutHundredths = 5000;
    w.Box.SetFaults(SilentWriter());
    const auto start = std::chrono::steady_clock::now();
    std::thread canceller([&] {
        WaitFor([&] { return CountOf(w.Box.RequestNames(), "writer-type query") >= 2; });
        w.Cancel = true;
    });
    EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrTimeout);
    canceller.join();
    EXPECT_FALSE(w.Ws.LinkFailed);
    EXPECT_EQ(w.Ws.WriterVersion, "V3.30");
    GetHeader(w.Ws, areaIdChecksum, hcRead);
    EXPECT_EQ(SendHeader(w.Ws, 10, w.Context), lrTimeout);
    EXPECT_EQ(Read7BitData(w.Ws, 32, w.Context), lrTimeout);
    EXPECT_EQ(Read8BitData(w.Ws, 32, w.Context), lrTimeout);
    EXPECT_EQ(ReadWriterID(w.Ws, 15, w.Context), lrTimeout);
    EXPECT_EQ(WriteData(w.Ws, 16, true, w.Context), lrTimeout);
    EXPECT_EQ(CheckWriterSwitch(w.Ws, 1, w.Context), lrTimeout);
    DelayIn10ms(5000, w.Context);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(50));
}


// A port that cannot be opened says so in the fixed text, and why on a
// second line: the device the port name stands for and the system's reason.
TEST(CheckComPort, FailureNamesTheDeviceAndTheReason)
{
    const std::string com7 = LinkedWriter::PortsFolder() + "/COM7";
    const struct {
        const char* Device;
        const char* Reason;
    } cases[] = {
        {"/nonexistent/tty", "No such file or directory"},
        {"/dev/null", "not a serial line"},
        {"/proc/version", "not a serial line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Device);
        ::unlink(com7.c_str());
        ASSERT_EQ(::symlink(c.Device, com7.c_str()), 0);
        Workspace ws;
        RecordingNotifier notes;
        CheckComPort(ws, notes, "Com7");
        EXPECT_TRUE(ws.LinkFailed);
        EXPECT_EQ(notes.Texts(), Texts{"Open  COM7 Port Error!!\n" + std::string(c.Device) + ": " + c.Reason});
    }
    ::unlink(com7.c_str());
}
