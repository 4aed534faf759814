// The main window's port selector and its writer check at first show, run
// against the simulated writer that the test main attaches as COM1.
#include "app/forms/MainForm.h"
#include "LinkedWriter.h"
#include "RecordingNotifier.h"
#include "WriterBox.h"

#include <QComboBox>
#include <filesystem>
#include <gtest/gtest.h>

TEST(MainWindowWriter, FirstShowReportsOnlyAWriterThatFails)
{
    struct Case {
        const char* Name;
        WriterSettings Settings;
        bool Serve;
        const char* Text;   // nullptr: nothing said
    } const cases[] = {
        {"the writer", {}, true, nullptr},
        {"no writer type", [] { WriterSettings s; s.TypeReply = 0x55; return s; }(), true, "Connect Fail!"},
        {"nothing answers", {}, false, "Connect COM1 Timeout!!"},
    };
    for (const auto& c : cases) {
        WriterBox box(c.Settings);
        ASSERT_TRUE(box.Start());
        ASSERT_TRUE(box.LinkAs(LinkedWriter::PortsFolder() + "/COM1"));
        if (!c.Serve) box.Stop();
        RecordingNotifier notes;
        TMainForm form{&notes};
        form.LinkTimeouts.TimeoutHundredths = 30;
        form.show();
        EXPECT_EQ(notes.Texts(), c.Text ? std::vector<std::string>{c.Text} : std::vector<std::string>{}) << c.Name;
        EXPECT_EQ(form.GetWorkspace().LinkFailed, !c.Serve) << c.Name;
        EXPECT_EQ(form.GetWorkspace().ComPortName, "COM1");
        // The window is up all the same, with the first device.
        EXPECT_EQ(form.windowTitle(), "Writer V15");
        EXPECT_EQ(form.GetWorkspace().DeviceName, "31Q520");
    }
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
