#include "GuiTest.h"
#include "TestSupport.h"
#include "workspace/BufferCommands.h"
#include "workspace/DeviceCatalogue.h"
#include "editors/forms/FillBufferForm.h"

namespace {

class MainFormTest : public ::testing::Test {
protected:
    RecordingNotifier Notes;
    TMainForm Form{&Notes};

    void SetUp() override { ASSERT_TRUE(ShowActive(Form)); }
    bool Enabled(const char* name) const { return Form.Action(QString::fromLatin1(name))->isEnabled(); }
};

} // namespace

TEST_F(MainFormTest, DeviceChangeResetsTheWorkspaceAndRedrawsTheStatusPanel)
{
    Workspace& ws = Form.GetWorkspace();
    ws.ProgramMemory[0] = 0x12;
    ws.OptionWords[0] = 0x00;
    QComboBox* devices = Ctl<QComboBox>(Form, "ComboBox2");
    QSignalSpy deviceChanges(devices, &QComboBox::currentIndexChanged);
    devices->setCurrentIndex(devices->findText("72Q575"));

    EXPECT_EQ(deviceChanges.count(), 1);
    EXPECT_EQ(ws.DeviceName, "72Q575");
    // Options: item 2 absent, item 7 shown disabled.
    EXPECT_TRUE(OptionCaption(Form, 1)->isHidden());
    EXPECT_FALSE(OptionValue(Form, 6)->isEnabled());
    // 4096 blank words add 0x13E each.
    EXPECT_EQ(Ctl<QLabel>(Form, "Label11")->text(), "E000");
    EXPECT_EQ(Ctl<QLabel>(Form, "ProtectSum")->text(), "E000");
    EXPECT_EQ(Ctl<QLabel>(Form, "OptChecksum")->text(), QString::fromStdString(ws.Status.TotalChecksum));
    EXPECT_TRUE(Notes.Prompts.empty());
}

TEST_F(MainFormTest, DeviceWithoutEepromDisablesTheEepromControls)
{
    const char* const eepromControls[] = {"WriteEE", "EEPROM1", "ClearEEPROMBuffer1", "FillEEPROMBuffer1"};
    // No catalogue device lacks EEPROM, so the flag is taken away by hand.
    Workspace& ws = Form.GetWorkspace();
    ws.DeviceFlags = static_cast<uint8_t>(ws.DeviceFlags & ~kFlagHasEeprom);
    Form.ApplyDeviceControls();
    for (const char* name : eepromControls) EXPECT_FALSE(Enabled(name)) << name;
    // Only the tool button follows the flag, not the menu item of the same command.
    EXPECT_TRUE(Enabled("ProgramEEPROMdata1"));
    // Selecting a catalogue device (all have EEPROM) enables them again.
    Ctl<QComboBox>(Form, "ComboBox2")->setCurrentIndex(3);
    for (const char* name : eepromControls) EXPECT_TRUE(Enabled(name)) << name;
}

TEST_F(MainFormTest, F5RunsTheBlankCheckHandlerExactlyOnce)
{
    // A port that cannot open: the command stops at its message, no dialog.
    Ctl<QComboBox>(Form, "ComboBox1")->setCurrentIndex(7);
    ASSERT_TRUE(WriterIdle(Form));
    Notes.Clear();
    QSignalSpy blankChecks(Form.Action("BlankCheckAction"), &QAction::triggered);
    QSignalSpy autoPrograms(Form.Action("AutoProgramAction"), &QAction::triggered);
    QTest::keyClick(&Form, Qt::Key_F5);
    EXPECT_EQ(blankChecks.count(), 1);
    EXPECT_EQ(autoPrograms.count(), 0);
    EXPECT_EQ(Notes.Prompts.size(), 1u) << "one run, one port message";
}

TEST_F(MainFormTest, CtrlFFillsProgramMemoryWithTheConfirmedRange)
{
    bool filled = false;
    FillWhenAsked("0", "3", "1234", &filled, [this](TFillBufferForm*) { EXPECT_EQ(Form.GetWorkspace().FillMaxAddress, 0x3FF); });
    QTest::keyClick(&Form, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(filled);
    const Workspace& ws = Form.GetWorkspace();
    EXPECT_EQ(ws.ProgramMemory[6], 0x34);
    EXPECT_EQ(Ctl<QLabel>(Form, "Label11")->text(), QString::fromStdString(ws.Status.ProgramChecksum));
    EXPECT_NE(Ctl<QLabel>(Form, "Label11")->text(), "F800");
    Form.Action("ClearBuffer1")->trigger();
    EXPECT_EQ(Ctl<QLabel>(Form, "Label11")->text(), "F800");
}

TEST_F(MainFormTest, DoubleClicksOnTheStatusPanelReachTheEditorCommands)
{
    // The dialogs that open are closed again from inside their loops.
    auto closeDialog = [] {
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
        });
    };
    auto runs = [this](const char* command) { return std::make_unique<QSignalSpy>(Form.Action(command), &QAction::triggered); };
    const auto options = runs("EditOptionAction"), counter = runs("CounterMode1"), id = runs("ID2"), serial = runs("SerialNoMode1");
    closeDialog();
    QTest::mouseDClick(OptionValue(Form, 3), Qt::LeftButton);
    closeDialog();
    QTest::mouseDClick(Ctl<QGroupBox>(Form, "GroupBox2"), Qt::LeftButton, {}, QPoint(5, Ctl<QGroupBox>(Form, "GroupBox2")->height() - 3));
    EXPECT_EQ(options->count(), 2);
    closeDialog();
    QTest::mouseDClick(Ctl<QLabel>(Form, "Label13"), Qt::LeftButton);
    EXPECT_EQ(counter->count(), 1);
    QTest::mouseDClick(Ctl<QLabel>(Form, "Label18"), Qt::LeftButton);
    EXPECT_EQ(id->count(), 1);
    closeDialog();
    QTest::mouseDClick(Ctl<QLabel>(Form, "Label1"), Qt::LeftButton);
    EXPECT_EQ(serial->count(), 1);
}


TEST(FillBufferFormTest, OpensWithTheLimitsAndRefusesAStartBeyondThem)
{
    Workspace ws;
    RecordingNotifier notes;
    SetCreationDefaults(ws);
    PrepareProgramFill(ws);
    TFillBufferForm dialog(ws, notes);
    EXPECT_EQ(dialog.Edit2->text(), "3FF");

    dialog.Edit1->setText("400");
    dialog.BitBtn1Click();
    EXPECT_EQ(notes.Texts(), std::vector<std::string>{"Start address is a invalid value!"});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(ws.FillStart, 0);   // a rejected value never reaches the workspace

    dialog.Edit1->setText("a");
    dialog.Edit2->setText("1f");
    dialog.Edit3->setText("1234");
    dialog.BitBtn1Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ws.FillStart, 0xA);
    EXPECT_EQ(ws.FillEnd, 0x1F);
    EXPECT_EQ(ws.FillValue, 0x1234);
}
