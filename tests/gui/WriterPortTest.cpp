// The main window's port selector and its writer check at first show, run
// against the simulated writer that the test main attaches as COM1.
#include "app/forms/MainForm.h"
#include "LinkedWriter.h"
#include "RecordingNotifier.h"
#include "WriterBox.h"

#include <QComboBox>
#include <filesystem>
#include <gtest/gtest.h>

TEST(MainWindowWriter, FirstShowIdentifiesTheWriterAndSaysNothingOnSuccess)
{
    RecordingNotifier notes;
    TMainForm form{&notes};
    form.show();
    const Workspace& ws = form.GetWorkspace();
    EXPECT_FALSE(ws.LinkFailed);
    EXPECT_EQ(ws.ComPortName, "COM1");
    EXPECT_FALSE(ws.WriterVersion.empty());
    EXPECT_TRUE(notes.Prompts.empty());
}

TEST(MainWindowWriter, PortChangeReportsAMissingPortThenConnectsBackToTheWriter)
{
    RecordingNotifier notes;
    TMainForm form{&notes};
    form.show();
    notes.Clear();

    // COM2 is a link to nothing: the port cannot be opened.
    const std::string com2 = LinkedWriter::PortsFolder() + "/COM2";
    std::filesystem::remove(com2);
    std::filesystem::create_symlink("/nonexistent/krv-port", com2);
    form.ComboBox1->setCurrentText("Com2");
    EXPECT_EQ(notes.LastText(), "Open  COM2 Port Error!!");
    EXPECT_TRUE(form.GetWorkspace().LinkFailed);

    form.ComboBox1->setCurrentText("Com1");
    EXPECT_EQ(notes.LastText(), "Connect OK!");
    EXPECT_FALSE(form.GetWorkspace().LinkFailed);
    EXPECT_EQ(form.HandlerRunCount("ComboBox1Change"), 2);
    std::filesystem::remove(com2);
}

TEST(MainWindowWriter, FirstShowReportsAWriterThatAnswersWithSomethingElse)
{
    WriterSettings settings;
    settings.TypeReply = 0x55;   // no writer type
    WriterBox other(settings);
    ASSERT_TRUE(other.Start());
    ASSERT_TRUE(other.LinkAs(LinkedWriter::PortsFolder() + "/COM1"));
    RecordingNotifier notes;
    TMainForm form{&notes};
    form.show();
    ASSERT_EQ(notes.Prompts.size(), 1u);
    EXPECT_EQ(notes.LastText(), "Connect Fail!");
}

TEST(MainWindowWriter, FirstShowReportsAWriterThatDoesNotAnswer)
{
    // A port that opens but where nothing answers.
    WriterBox silent;
    ASSERT_TRUE(silent.Start());
    ASSERT_TRUE(silent.LinkAs(LinkedWriter::PortsFolder() + "/COM1"));
    silent.Stop();
    RecordingNotifier notes;
    TMainForm form{&notes};
    form.show();
    ASSERT_EQ(notes.Prompts.size(), 1u);
    EXPECT_EQ(notes.LastText(), "Connect COM1 Timeout!!");
    EXPECT_TRUE(form.GetWorkspace().LinkFailed);
    // The window is up all the same, with the first device.
    EXPECT_EQ(form.windowTitle(), "Writer V15");
    EXPECT_EQ(form.GetWorkspace().DeviceName, "31Q520");
}
