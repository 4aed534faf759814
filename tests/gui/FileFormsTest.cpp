#include "GuiTest.h"
#include "workspace/BufferCommands.h"
#include "workspace/DeviceCatalogue.h"
#include "files/ConfigFile.h"
#include "TestSupport.h"

#include <memory>

namespace {

void Write(const QString& path, const QByteArray& bytes) { WriteBytes(path.toStdString(), bytes.toStdString()); }
QByteArray Read(const QString& path) { return QByteArray::fromStdString(ReadBytes(path.toStdString())); }

class FileFormsTest : public ::testing::Test {
protected:
    RecordingNotifier Notes;
    std::unique_ptr<TMainForm> Form;
    TempDir Dir;
    ScriptedFileDialogs Dialogs;
    const std::vector<file_forms::FileDialogRequest>& Requests = Dialogs.Requests;

    void TearDown() override { Form.reset(); }
    void Show()
    {
        Form = std::make_unique<TMainForm>(&Notes);
        ASSERT_TRUE(ShowChecked(*Form));
    }
    void Choose(const QString& path, int filterIndex = 1) { Dialogs.Path = path, Dialogs.FilterIndex = filterIndex; }
    QString File(const char* name) const { return QString::fromStdString(Dir.File(name)); }
    Workspace& Ws() { return Form->GetWorkspace(); }
};

} // namespace

TEST_F(FileFormsTest, LoadDataAsksWithTheOpenDialogAndLoadsTheChosenFile)
{
    Show();
    Ws().ProgramFileName = "/old.dir/prog.v1.chx";
    Write(File("p.chx"), ":020000003412B8\r\n:00000001FF\r\n");
    Choose(File("p.chx"));
    Notes.Script({Answer::No});
    Form->Action("ToolButton1")->trigger();

    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_FALSE(Requests[0].Save);
    EXPECT_EQ(Requests[0].FileName, "/old.dir/prog.v1");   // the proposal drops only the extension
    EXPECT_EQ(Ws().ProgramFileName, File("p.chx").toStdString());
    EXPECT_EQ(WordValue(Ws(), ReadProgramWord(Ws(), 0)), 0x1234u);
    EXPECT_EQ(Ctl<QLabel>(*Form, "Label11")->text(), QString::fromStdString(Ws().Status.ProgramChecksum));
}

TEST_F(FileFormsTest, SaveFormatFollowsTheTypedExtension)
{
    Show();
    Choose(File("a.cbn"), 1);
    Form->Action("ToolButton2")->trigger();
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_TRUE(Requests[0].Save);
    EXPECT_EQ(Requests[0].FilterIndex, 2);
    EXPECT_TRUE(Requests[0].DefaultSuffix.isEmpty());
    EXPECT_EQ(Read(File("a.cbn")).size(), 0x8200 + 256);

    Choose(File("b"), 1);
    Form->Action("FileSave1")->trigger();
    EXPECT_TRUE(Read(File("b.chx")).startsWith(":10000000"));
}

TEST_F(FileFormsTest, ConfigurationSelectsPortAndDeviceWithoutTheirChangeHandlers)
{
    Show();
    Write(File("p.cbn"), QByteArray(4096, '\0'));
    std::string text = SaveCfg(Ws(), CfgSelection{3, "72Q574"});
    text.replace(text.find("File name: "), 11, "File name: " + File("p.cbn").toStdString());
    Write(File("s.cfg"), QByteArray::fromStdString(text));
    Choose(File("s.cfg"));
    QSignalSpy portChanges(Ctl<QComboBox>(*Form, "ComboBox1"), &QComboBox::currentIndexChanged);
    QSignalSpy deviceChanges(Ctl<QComboBox>(*Form, "ComboBox2"), &QComboBox::currentIndexChanged);
    Form->Action("ToolButton14")->trigger();

    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
    EXPECT_EQ(Ctl<QComboBox>(*Form, "ComboBox1")->currentText(), "Com4");
    EXPECT_EQ(Ctl<QComboBox>(*Form, "ComboBox2")->currentText(), "72Q574");
    EXPECT_EQ(portChanges.count(), 0);
    EXPECT_EQ(deviceChanges.count(), 0);
    EXPECT_EQ(Ws().DeviceName, "72Q574");
}

TEST_F(FileFormsTest, DefaultConfigInTheSettingsFolderIsReadAtTheFirstShowAndWrittenAtClose)
{
    // The test main points XDG_CONFIG_HOME at a temporary folder.
    const QString settings = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/krv-writer/Default.cfg");
    Write(File("p.cbn"), QByteArray(4096, '\0'));
    {
        Workspace ws;
        SetCreationDefaults(ws);
        std::string text = SaveCfg(ws, CfgSelection{0, "72Q574"});   // COM1: the simulated writer
        text.replace(text.find("File name: "), 11, "File name: " + Dir.File("p.cbn"));
        text.replace(text.find("Keep option: 0"), 14, "Keep option: 1");
        Write(settings, QByteArray::fromStdString(text));
    }
    for (const bool keep : {true, false}) {   // as written, then as the first close left it
        Form = std::make_unique<TMainForm>(&Notes);
        QSignalSpy deviceChanges(Ctl<QComboBox>(*Form, "ComboBox2"), &QComboBox::currentIndexChanged);
        ASSERT_TRUE(ShowChecked(*Form));
        EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
        EXPECT_EQ(Ctl<QComboBox>(*Form, "ComboBox2")->currentText(), "72Q574");
        EXPECT_EQ(Ws().KeepOption, keep);
        EXPECT_EQ(deviceChanges.count(), 0);

        Ws().KeepOption = false;
        Form->close();
        const QByteArray saved = Read(settings);
        EXPECT_TRUE(saved.contains("Keep option: 0\r\n"));
        EXPECT_TRUE(saved.contains("COM port: Com1\r\n"));
        EXPECT_TRUE(saved.contains("Device name: 72Q574\r\n"));
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral("Default.cfg")));   // nothing in the working directory
}
