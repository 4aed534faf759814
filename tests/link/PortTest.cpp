#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "LinkTestSupport.h"
#include "platform/SerialPort.h"

TEST(PortChange, WriterThatAnswersShowsConnectOk)
{
    LinkedWriter w("COM2");
    ASSERT_TRUE(w.Ready);
    LinkResult r = ComboBox1Change(w.Ws, w.Notifier, "Com2", w.Context);
    EXPECT_EQ(r, lrWriterGen2Id);
    EXPECT_EQ(w.Ws.ComPortName, "COM2");
    EXPECT_EQ(w.Notifier.Texts(), std::vector<std::string>{"Connect OK!"});
    EXPECT_FALSE(w.Ws.LinkFailed);
}

TEST(PortChange, SilentWriterShowsConnectTimeout)
{
    LinkedWriter w("COM3");
    ASSERT_TRUE(w.Ready);
    WriterFaults silent;
    silent.SilentFromByte = 0;
    w.Box.SetFaults(silent);
    EXPECT_EQ(ComboBox1Change(w.Ws, w.Notifier, "com3", w.Context), lrTimeout);
    EXPECT_EQ(w.Notifier.Texts(), std::vector<std::string>{"Connect COM3 Timeout!!"});
    EXPECT_TRUE(w.Ws.LinkFailed);
}

TEST(PortChange, WrongOrUnexpectedWriterShowsConnectFail)
{
    LinkedWriter w("COM4");
    ASSERT_TRUE(w.Ready);
    w.Ws.WriterType = 2;
    WriterFaults wrong;
    wrong.WrongGeneration = true;
    w.Box.SetFaults(wrong);
    EXPECT_EQ(ComboBox1Change(w.Ws, w.Notifier, "Com4", w.Context), lrWrongWriter);
    WriterFaults odd;
    odd.UnexpectedReply = 0x55;
    w.Box.SetFaults(odd);
    EXPECT_EQ(ComboBox1Change(w.Ws, w.Notifier, "Com4", w.Context), lrUnexpected);
    EXPECT_EQ(w.Notifier.Texts(), (std::vector<std::string>{"Connect Fail!", "Connect Fail!"}));
}

TEST(PortChange, GenerationWritersThatMatchTheDeviceConnectOk)
{
    LinkedWriter w("COM5");
    ASSERT_TRUE(w.Ready);
    w.Box.SetTypeReply(0xC3);
    w.Ws.WriterType = 2;
    EXPECT_EQ(ComboBox1Change(w.Ws, w.Notifier, "Com5", w.Context), lrWriterGen2);
    w.Box.SetTypeReply(0xC2);
    w.Ws.WriterType = 1;
    EXPECT_EQ(ComboBox1Change(w.Ws, w.Notifier, "Com5", w.Context), lrWriterGen1);
    EXPECT_EQ(w.Notifier.Texts(), (std::vector<std::string>{"Connect OK!", "Connect OK!"}));
}

TEST(PortChange, PortThatDoesNotExistShowsPortErrorAndNoConnectMessage)
{
    LinkedWriter w("COM1");
    ASSERT_TRUE(w.Ready);
    std::string link = LinkedWriter::PortsFolder() + "/COM7";
    ::unlink(link.c_str());
    ASSERT_EQ(::symlink("/nonexistent/tty-for-com7", link.c_str()), 0);
    EXPECT_EQ(ComboBox1Change(w.Ws, w.Notifier, "Com7", w.Context), lrTimeout);
    EXPECT_EQ(w.Notifier.Texts(), std::vector<std::string>{"Open  COM7 Port Error!!"});
    EXPECT_TRUE(w.Ws.LinkFailed);
    EXPECT_EQ(w.Ws.ComHandle, nullptr);
    ::unlink(link.c_str());
}

TEST(PortChange, StartUpCheckReportsOnlyFailures)
{
    LinkedWriter w("COM6");
    ASSERT_TRUE(w.Ready);
    EXPECT_EQ(ConnectWriter(w.Ws, w.Notifier, "Com6", false, w.Context), lrWriterGen2Id);
    EXPECT_TRUE(w.Notifier.Texts().empty());
    WriterFaults silent;
    silent.SilentFromByte = 0;
    w.Box.SetFaults(silent);
    EXPECT_EQ(ConnectWriter(w.Ws, w.Notifier, "Com6", false, w.Context), lrTimeout);
    EXPECT_EQ(w.Notifier.Texts(), std::vector<std::string>{"Connect COM6 Timeout!!"});
}

TEST(PortChange, ReopeningWhileTheWriterKeepsTheLineWorks)
{
    LinkedWriter w("COM1");
    ASSERT_TRUE(w.Ready);
    for (int i = 0; i < 3; ++i) {
        CheckComPort(w.Ws, w.Notifier, "Com1");
        ASSERT_FALSE(w.Ws.LinkFailed);
        EXPECT_EQ(CheckWriter(w.Ws, w.Notifier, w.Context), lrWriterGen2Id);
    }
    EXPECT_TRUE(w.Notifier.Texts().empty());
}

TEST(PortChange, ChangingThePortForgetsTheWriterReopeningDoesNot)
{
    LinkedWriter first("COM1");
    LinkedWriter second("COM2");
    ASSERT_TRUE(first.Ready && second.Ready);
    second.Ws.ComHandle->Close();   // leave COM2 to the first workspace
    Workspace& ws = first.Ws;
    ASSERT_EQ(CheckWriter(ws, first.Notifier, first.Context), lrWriterGen2Id);
    ASSERT_EQ(ws.WriterVersion, "V3.30");

    CheckComPort(ws, first.Notifier, "Com1");   // same port: the identity stays
    EXPECT_EQ(ws.WriterVersion, "V3.30");

    second.Box.SetIdentity(" HRX307A", "V3.10");
    CheckComPort(ws, first.Notifier, "Com2");   // another writer may sit there
    EXPECT_TRUE(ws.WriterId.empty());
    EXPECT_TRUE(ws.WriterVersion.empty());
    EXPECT_EQ(CheckWriter(ws, first.Notifier, first.Context), lrWriterGen2Id);
    EXPECT_EQ(ws.WriterVersion, "V3.10");
    EXPECT_FALSE(PairMode(ws, "V3.20", "V3.20"));
}

TEST(CheckWriterPort, WithoutAnOpenPortSaysSoAndTimesOut)
{
    Workspace ws;
    RecordingNotifier n;
    EXPECT_EQ(CheckWriter(ws, n), lrTimeout);
    EXPECT_EQ(n.Texts(), std::vector<std::string>{"RS232 port is not open"});
    EXPECT_FALSE(ws.LinkFailed);
}
