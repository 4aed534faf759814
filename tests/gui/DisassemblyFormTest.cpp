#include "GuiTest.h"
#include "disasm/Disassembler.h"
#include "disasm/forms/DisForm.h"

namespace {

class DisassemblyFormTest : public ::testing::Test {
protected:
    RecordingNotifier Notes;
    TMainForm Form{&Notes};
    ScriptedFileDialogs Dialogs;

    void SetUp() override
    {
        ASSERT_TRUE(ShowChecked(Form));
        Workspace& ws = Form.GetWorkspace();
        ws.ProgramMemory[0] = 0x05;   // GOTO 0005H, 7-bit halves
        ws.ProgramMemory[1] = 0x30;
    }
    bool SaveEnabled() const { return Form.Action("FileSaveAsItem")->isEnabled(); }
    int Windows() const
    {
        int n = 0;
        for (QMdiSubWindow* w : Form.ClientArea()->subWindowList()) n += qobject_cast<TDisassembleForm*>(w->widget()) != nullptr;
        return n;
    }
};

}  // namespace

TEST_F(DisassemblyFormTest, EveryRequestBuildsOneFreshSnapshotAndSaveFollowsTheWindow)
{
    EXPECT_FALSE(SaveEnabled());
    Form.Action("Disassemble1")->trigger();
    ASSERT_NE(DisassembleForm, nullptr);
    EXPECT_EQ(DisassembleForm->parentWidget()->windowTitle(), "Disassembly");
    EXPECT_TRUE(DisassembleForm->Memo1->isReadOnly());
    EXPECT_TRUE(DisassembleForm->Memo1->toPlainText().contains("        GOTO    0005H           ;0000    1805"));
    EXPECT_TRUE(SaveEnabled());
    EXPECT_TRUE(Form.GetWorkspace().DisasmWindowOpen);

    // Edits do not reach the open window; the next request shows them.
    Form.GetWorkspace().ProgramMemory[0] = 0x06;
    EXPECT_TRUE(DisassembleForm->Memo1->toPlainText().contains("0005H"));
    Form.Action("Disassemble1")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Windows(), 1);
    EXPECT_TRUE(DisassembleForm->Memo1->toPlainText().contains("        GOTO    0006H           ;0000    1806"));
    EXPECT_TRUE(SaveEnabled());

    // The user closes it.
    DisassembleForm->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(DisassembleForm, nullptr);
    EXPECT_EQ(Windows(), 0);
    EXPECT_FALSE(SaveEnabled());
    EXPECT_FALSE(Form.GetWorkspace().DisasmWindowOpen);

    // A command that replaces program memory closes it too.
    Form.Action("Disassemble1")->trigger();
    Form.Action("ClearBuffer1")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(DisassembleForm, nullptr);
    EXPECT_EQ(Windows(), 0);
    EXPECT_FALSE(SaveEnabled());
}

TEST_F(DisassemblyFormTest, SaveWritesTheShownListingUnderTheProposedName)
{
    QTemporaryDir dir;
    Form.GetWorkspace().ProgramFileName = (dir.path() + "/demo.v1.hex").toStdString();
    Form.Action("Disassemble1")->trigger();
    ASSERT_NE(DisassembleForm, nullptr);
    EXPECT_EQ(DisassembleForm->parentWidget()->windowTitle(), dir.path() + "/demo.v1.hex");

    Dialogs.Path = dir.path() + "/demo.dis";
    Form.Action("FileSaveAsItem")->trigger();
    ASSERT_EQ(Dialogs.Requests.size(), 1u);
    EXPECT_EQ(Dialogs.Requests[0].FileName, dir.path() + "/demo");
    QFile saved(dir.path() + "/demo.dis");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(bytes.toStdString(), DisassembleForm->Listing());
    EXPECT_EQ(QString::fromLatin1(bytes).remove('\r'), DisassembleForm->Memo1->toPlainText() + "\n");
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();

    // Cancelled: nothing is written and nothing is said.
    Dialogs.Path.clear();
    Form.Action("FileSaveAsItem")->trigger();
    EXPECT_TRUE(Notes.Prompts.empty());
}
