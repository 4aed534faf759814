#include "GuiTest.h"
#include <filesystem>

TEST(MainWindowWriter, FirstShowReportsOnlyAWriterThatFails)
{
    for (bool serve : {true, false}) {
        SCOPED_TRACE(serve);
        WriterBox box;
        ASSERT_TRUE(ServeAsCom1(box));
        if (!serve) box.Stop();
        RecordingNotifier notes;
        TMainForm form{&notes};
        form.LinkTimeouts.TimeoutHundredths = 30;
        form.show();
        EXPECT_EQ(notes.Texts(), serve ? std::vector<std::string>{} : std::vector<std::string>{"Connect COM1 Timeout!!"});
        EXPECT_EQ(form.GetWorkspace().LinkFailed, !serve);
        // The window is up all the same, with the first device's blank status.
        EXPECT_EQ(form.windowTitle(), "Writer V15");
        EXPECT_EQ(form.GetWorkspace().DeviceName, "31Q520");
        EXPECT_EQ(Ctl<QLabel>(form, "Label11")->text(), "F800");   // 1024 blank words of the 7-bit layout
    }
}

TEST(MainWindowWriter, PortChangeReportsAMissingPortThenConnectsBackToTheWriter)
{
    RecordingNotifier notes;
    TMainForm form{&notes};
    form.show();
    notes.Clear();
    QSignalSpy portChanges(Ctl<QComboBox>(form, "ComboBox1"), &QComboBox::currentIndexChanged);

    // COM2 is a link to nothing: the port cannot be opened.
    const std::string com2 = LinkedWriter::PortsFolder() + "/COM2";
    std::filesystem::remove(com2);
    std::filesystem::create_symlink("/nonexistent/krv-port", com2);
    Ctl<QComboBox>(form, "ComboBox1")->setCurrentText("Com2");
    EXPECT_EQ(notes.LastText(), "Open  COM2 Port Error!!\n/nonexistent/krv-port: No such file or directory");
    EXPECT_TRUE(form.GetWorkspace().LinkFailed);

    Ctl<QComboBox>(form, "ComboBox1")->setCurrentText("Com1");
    EXPECT_EQ(notes.LastText(), "Connect OK!");
    EXPECT_FALSE(form.GetWorkspace().LinkFailed);
    EXPECT_EQ(portChanges.count(), 2);
    std::filesystem::remove(com2);
}
