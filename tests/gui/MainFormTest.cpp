#include "app/BufferCommands.h"
#include "app/DeviceCatalogue.h"
#include "app/forms/LogoForm.h"
#include "app/forms/MainForm.h"
#include "editors/forms/FillBufferForm.h"
#include "RecordingNotifier.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

class MainFormTest : public ::testing::Test {
protected:
    RecordingNotifier Notes;
    TMainForm Form{&Notes};

    void ShowActive()
    {
        Form.show();
        QApplication::setActiveWindow(&Form);
        Form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
    }
    bool Enabled(const char* name) const { return Form.Action(QString::fromLatin1(name))->isEnabled(); }
    QString Text(const QLabel* label) const { return label->text(); }
};

} // namespace

TEST_F(MainFormTest, DeviceSelectorListsTheElevenCatalogueDevicesInTableOrder)
{
    ASSERT_EQ(Form.ComboBox2->count(), 11);
    EXPECT_EQ(Form.ComboBox2->itemText(0), "31Q520");
    EXPECT_EQ(Form.ComboBox2->itemText(4), "72Q574");
    EXPECT_EQ(Form.ComboBox2->itemText(10), "72Q580");
    EXPECT_EQ(Form.ComboBox2->currentIndex(), 0);
    EXPECT_EQ(Form.ComboBox1->count(), 8);
    EXPECT_EQ(Form.ComboBox1->currentText(), "Com1");
}

TEST_F(MainFormTest, SelectorsSetByTheProgramRunNoChangeHandler)
{
    // Creation selected the port, the first device and the handshake item.
    EXPECT_EQ(Form.HandlerRunCount("ComboBox2Change"), 0);
    EXPECT_EQ(Form.HandlerRunCount("ComboBox1Change"), 0);
    EXPECT_EQ(Form.HandShake->currentText(), "CTS");
    EXPECT_TRUE(Form.HandShake->isHidden());
}

TEST_F(MainFormTest, DeviceSetByCodeRunsNoResetAndUnknownNamesAreRefused)
{
    EXPECT_TRUE(Form.SetSelectedDevice("72Q580"));
    EXPECT_EQ(Form.SelectedDevice(), "72Q580");
    EXPECT_EQ(Form.HandlerRunCount("ComboBox2Change"), 0);
    EXPECT_EQ(Form.GetWorkspace().DeviceName, "31Q520");
    EXPECT_FALSE(Form.SetSelectedDevice("72q580"));
    EXPECT_EQ(Form.SelectedDevice(), "72Q580");
}

TEST_F(MainFormTest, FirstShowTitlesTheWindowAndShowsTheFirstDevice)
{
    ShowActive();
    EXPECT_EQ(Form.windowTitle(), "Writer V15");
    const Workspace& ws = Form.GetWorkspace();
    EXPECT_TRUE(ws.StartupDone);
    EXPECT_EQ(ws.DeviceName, "31Q520");
    EXPECT_EQ(ws.RomBytes, 2048u);
    EXPECT_EQ(ws.EepromSize, 128u);
    EXPECT_EQ(Form.lbOption[0]->text(), "Blank");      // OSC Type
    EXPECT_EQ(Form.lbOption[5]->text(), "Disable");    // Security
    EXPECT_EQ(Form.stOptionValue->text(), "7F 5F 00 00");
    // 1024 blank words of the 7-bit layout.
    EXPECT_EQ(Form.Label11->text(), "F800");
    EXPECT_EQ(Form.ProtectSum->text(), "F800");
    EXPECT_EQ(Form.Label13->text(), "0");
    EXPECT_EQ(Form.Label1->text(), "Disable");
    EXPECT_EQ(Form.Label19->text(), "Disable");
    // Nothing pretends to talk to a writer or to load a file.
    EXPECT_TRUE(Notes.Prompts.empty());
}

TEST_F(MainFormTest, FirstShowWorkRunsOnceNotOnEveryShow)
{
    ShowActive();
    Workspace& ws = Form.GetWorkspace();
    // Option words changed behind the summary's back: only the first show
    // redraws the summary from them.
    ws.OptionWords[0] = 0x06;
    Form.hide();
    Form.show();
    EXPECT_EQ(Form.lbOption[0]->text(), "Blank");
    EXPECT_EQ(Form.windowTitle(), "Writer V15");
    Form.UpdateScreen();
    EXPECT_EQ(Form.lbOption[0]->text(), "HF");
}

TEST_F(MainFormTest, DeviceChangeResetsTheWorkspaceAndRedrawsTheStatusPanel)
{
    ShowActive();
    Workspace& ws = Form.GetWorkspace();
    ws.ProgramMemory[0] = 0x12;
    ws.OptionWords[0] = 0x00;
    Form.ComboBox2->setCurrentIndex(Form.ComboBox2->findText("72Q575"));

    EXPECT_EQ(Form.HandlerRunCount("ComboBox2Change"), 1);
    EXPECT_EQ(ws.DeviceName, "72Q575");
    EXPECT_EQ(ws.DeviceIndex, 9);
    EXPECT_EQ(ws.RomBytes, 8192u);
    EXPECT_EQ(ws.EepromSize, 256u);
    EXPECT_EQ(ws.ProgramMemory[0], 0x7F);
    // Options: items 1, 3, 4, 5 and 6 present, the others' captions hidden.
    EXPECT_EQ(Form.stOption[0]->text(), "OSC Type:");
    EXPECT_EQ(Form.stOption[2]->text(), "PUT:");
    EXPECT_EQ(Form.stOption[3]->text(), "WDT:");
    EXPECT_EQ(Form.stOption[4]->text(), "PED:");
    EXPECT_EQ(Form.stOption[5]->text(), "Security:");
    EXPECT_TRUE(Form.stOption[1]->isHidden());
    EXPECT_TRUE(Form.stOption[6]->isHidden());
    EXPECT_FALSE(Form.lbOption[6]->isHidden());
    EXPECT_FALSE(Form.lbOption[6]->isEnabled());
    EXPECT_EQ(Form.lbOption[6]->text(), "Blank");
    for (int i : {0, 2, 3, 4}) EXPECT_EQ(Form.lbOption[i]->text(), "Blank") << i;
    EXPECT_EQ(Form.lbOption[5]->text(), "Disable");
    EXPECT_EQ(Form.stOptionValue->text(), "7F 5F 00 00");
    // 4096 blank words add 0x13E each.
    EXPECT_EQ(Form.Label11->text(), "E000");
    EXPECT_EQ(Form.ProtectSum->text(), "E000");
    EXPECT_EQ(Form.StaticText8->text(), "w/OPTIONs+EE:");
    EXPECT_EQ(Form.OptChecksum->text(), QString::fromStdString(ws.Status.TotalChecksum));
    EXPECT_EQ(Form.OptChecksum->text().size(), 4);
    EXPECT_EQ(Form.Label13->text(), "0");
    EXPECT_TRUE(Notes.Prompts.empty());
}

TEST_F(MainFormTest, DeviceWithoutEepromDisablesTheEepromControls)
{
    ShowActive();
    for (const char* name : {"WriteEE", "EEPROM1"}) Form.SetCommandReady(QString::fromLatin1(name));
    EXPECT_TRUE(Enabled("WriteEE"));
    EXPECT_TRUE(Enabled("EEPROM1"));
    EXPECT_TRUE(Enabled("ClearEEPROMBuffer1"));
    EXPECT_TRUE(Enabled("FillEEPROMBuffer1"));

    // No catalogue device lacks EEPROM, so the flag is taken away by hand.
    Workspace& ws = Form.GetWorkspace();
    ws.DeviceFlags = static_cast<uint8_t>(ws.DeviceFlags & ~kFlagHasEeprom);
    Form.ApplyDeviceControls();
    for (const char* name : {"WriteEE", "EEPROM1", "ClearEEPROMBuffer1", "FillEEPROMBuffer1"})
        EXPECT_FALSE(Enabled(name)) << name;
    // Only the tool button follows the flag, not the menu item of the same command.
    EXPECT_TRUE(Enabled("ProgramEEPROMdata1"));

    // Selecting a catalogue device (all have EEPROM) enables them again.
    Form.ComboBox2->setCurrentIndex(3);
    for (const char* name : {"WriteEE", "EEPROM1", "ClearEEPROMBuffer1", "FillEEPROMBuffer1"})
        EXPECT_TRUE(Enabled(name)) << name;
}

TEST_F(MainFormTest, CommandsNotBuiltYetAreDisabledAndStayDisabled)
{
    ShowActive();
    for (const char* name : {"EditOptionAction", "tbOption2", "DownLoad1"}) {
        EXPECT_FALSE(Enabled(name)) << name;
        Form.EnableAction(QString::fromLatin1(name), true);
        EXPECT_FALSE(Enabled(name)) << name;
    }
    for (const char* name : {"ClearOPTION1", "ClearID1", "ClearBuffer1", "ClearEEPROMBuffer1",
                             "FillBufferAction", "FillEEPROMBuffer1", "FileExit1", "HelpAbout1",
                             "WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "LoadConfigAction",
                             "SaveConfigAction", "FileOpen1", "FileSave1"})
        EXPECT_TRUE(Enabled(name)) << name;
    // A command is reached by any of its controls' names.
    EXPECT_EQ(Form.Action("ToolButton7"), Form.Action("ReadICAction"));
    EXPECT_EQ(Form.Action("tbInfoSheet"), Form.Action("GenerateCustomerInformationSheet1"));
    EXPECT_TRUE(Form.IsCommandPending("DownLoad1"));
    Form.SetCommandReady("DownLoad1");
    EXPECT_FALSE(Form.IsCommandPending("DownLoad1"));
    EXPECT_TRUE(Enabled("DownLoad1"));
    // "Save Disassmble" waits for a listing even once it is built.
    Form.SetCommandReady("FileSaveAsItem");
    EXPECT_FALSE(Enabled("FileSaveAsItem"));
}

TEST_F(MainFormTest, ShortcutsAreCarriedByOneActionEach)
{
    const std::pair<const char*, QKeySequence> keys[] = {
        {"EditOptionAction", QKeySequence(Qt::Key_F4)},
        {"BlankCheckAction", QKeySequence(Qt::Key_F5)},
        {"ReadICAction", QKeySequence(Qt::Key_F6)},
        {"VerifyICAction", QKeySequence(Qt::Key_F7)},
        {"AutoProgramAction", QKeySequence(Qt::Key_F8)},
        {"AutoProgramNoBlankCheckAction", QKeySequence(Qt::Key_F9)},
        {"LoadConfigAction", QKeySequence(Qt::CTRL | Qt::Key_L)},
        {"SaveConfigAction", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"FillBufferAction", QKeySequence(Qt::CTRL | Qt::Key_F)},
    };
    const QList<QAction*> all = Form.findChildren<QAction*>();
    for (const auto& [name, key] : keys) {
        EXPECT_EQ(Form.Action(QString::fromLatin1(name))->shortcut(), key) << name;
        int carriers = 0;
        for (QAction* a : all)
            if (a->shortcut() == key) ++carriers;
        EXPECT_EQ(carriers, 1) << name;
    }
}

TEST_F(MainFormTest, F5RunsTheBlankCheckHandlerExactlyOnce)
{
    ShowActive();
    // A port that cannot open: the command stops at its message, no dialog.
    Form.ComboBox1->setCurrentIndex(7);
    QTest::keyClick(&Form, Qt::Key_F5);
    EXPECT_EQ(Form.HandlerRunCount("BlankCheckActionExecute"), 1);
    EXPECT_EQ(Form.HandlerRunCount("AutoProgram1Click"), 0);
}

TEST_F(MainFormTest, CtrlFFillsProgramMemoryWithTheConfirmedRange)
{
    ShowActive();
    int dialogs = 0;
    Form.FillDialogHook = [&dialogs](Workspace& ws) {
        ++dialogs;
        EXPECT_EQ(ws.FillMaxAddress, 0x3FF);
        EXPECT_EQ(ws.FillMaxValue, 0x3FFF);
        ws.FillStart = 0;
        ws.FillEnd = 3;
        ws.FillValue = 0x1234;
        return true;
    };
    const QString before = Form.Label11->text();
    QTest::keyClick(&Form, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 1);
    const Workspace& ws = Form.GetWorkspace();
    for (int w = 0; w < 4; ++w) {
        EXPECT_EQ(ws.ProgramMemory[2 * w], 0x34);
        EXPECT_EQ(ws.ProgramMemory[2 * w + 1], 0x24);
    }
    EXPECT_EQ(ws.ProgramMemory[8], 0x7F);
    EXPECT_NE(Form.Label11->text(), before);

    Form.Action("ClearBuffer1")->trigger();
    EXPECT_EQ(ws.ProgramMemory[0], 0x7F);
    EXPECT_EQ(Form.Label11->text(), "F800");
}

TEST_F(MainFormTest, CancelledFillChangesNothing)
{
    ShowActive();
    Form.FillDialogHook = [](Workspace& ws) {
        ws.FillEnd = 100;
        return false;
    };
    Form.Action("FillBufferAction")->trigger();
    Form.Action("FillEEPROMBuffer1")->trigger();
    const Workspace& ws = Form.GetWorkspace();
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(ws.ProgramMemory[i], 0x7F);
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(ws.EepromBuffer[i], 0xFF);
}

TEST_F(MainFormTest, EepromFillAndClear)
{
    ShowActive();
    Form.FillDialogHook = [](Workspace& ws) {
        EXPECT_EQ(ws.FillMaxAddress, 0x7F);
        EXPECT_EQ(ws.FillMaxValue, 0xFF);
        ws.FillStart = 0x10;
        ws.FillEnd = 0x1F;
        ws.FillValue = 0xA5;
        return true;
    };
    Form.Action("FillEEPROMBuffer1")->trigger();
    const Workspace& ws = Form.GetWorkspace();
    EXPECT_EQ(ws.EepromBuffer[0x0F], 0xFF);
    EXPECT_EQ(ws.EepromBuffer[0x10], 0xA5);
    EXPECT_EQ(ws.EepromBuffer[0x1F], 0xA5);
    EXPECT_EQ(ws.EepromBuffer[0x20], 0xFF);
    Form.Action("ClearEEPROMBuffer1")->trigger();
    EXPECT_EQ(ws.EepromBuffer[0x10], 0xFF);
}

TEST_F(MainFormTest, ClearOptionAndClearIdRedrawTheirGroups)
{
    ShowActive();
    Workspace& ws = Form.GetWorkspace();
    ws.OptionWords[0] = 0x06;   // OSC bits "HF"
    ws.OptionWords[1] = 0x00;   // security bit clear
    ws.IdWords[0] = 'A';
    Form.UpdateScreen();
    EXPECT_EQ(Form.lbOption[0]->text(), "HF");
    EXPECT_EQ(Form.lbOption[5]->text(), "Enable");
    Form.Action("ClearOPTION1")->trigger();
    EXPECT_EQ(Form.lbOption[0]->text(), "Blank");
    EXPECT_EQ(Form.lbOption[5]->text(), "Disable");
    EXPECT_EQ(Form.stOptionValue->text(), "7F 5F 00 00");
    Form.Action("ClearID1")->trigger();
    EXPECT_EQ(ws.IdWords[0], 0x7F);
    // Twelve 0x7F bytes as text: each unprintable byte shows as a box.
    EXPECT_EQ(Form.Label18->text(), QString(12, QChar(0x25A1)));
}

TEST_F(MainFormTest, DoubleClicksOnTheStatusPanelReachTheEditorCommands)
{
    ShowActive();
    Form.SetCommandReady("EditOptionAction");
    Form.SetCommandReady("CounterMode1");
    QTest::mouseDClick(Form.lbOption[3], Qt::LeftButton);
    QTest::mouseDClick(Form.GroupBox2, Qt::LeftButton, {}, QPoint(5, Form.GroupBox2->height() - 3));
    EXPECT_EQ(Form.HandlerRunCount("EditOPTIONClick"), 2);
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();   // "Counter Setup"
    });
    QTest::mouseDClick(Form.Label13, Qt::LeftButton);
    EXPECT_EQ(Form.HandlerRunCount("CounterMode1Click"), 1);
    QTest::mouseDClick(Form.Label18, Qt::LeftButton);
    EXPECT_EQ(Form.HandlerRunCount("ID2Click"), 1);
    // Editors not built yet are not reached.
    QTest::mouseDClick(Form.Label1, Qt::LeftButton);
    EXPECT_EQ(Form.HandlerRunCount("SerialNoMode1Click"), 0);
    QTest::mouseDClick(Form.Label3, Qt::LeftButton);
    EXPECT_EQ(Form.HandlerRunCount("Label3DblClick"), 1);
}

TEST_F(MainFormTest, MenusCarryTheCommandsWithTheirCaptions)
{
    QStringList titles;
    for (QAction* a : Form.menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&View", "&Edit", "&Functions", "Configuration", "&Window", "&Help"}));
    EXPECT_EQ(Form.Action("FileSaveAsItem")->text(), "Save Disassmble");
    EXPECT_EQ(Form.Action("LoadConfigAction")->text(), "Load Config File ");
    EXPECT_EQ(Form.Action("WriteEE")->toolTip(), "Write EEPROM");
    EXPECT_EQ(Form.Action("GenerateCustomerInformationSheet1")->toolTip(), "Customer's infomation sheet");
    EXPECT_FALSE(Form.Action("ForceWrite")->isVisible());
    EXPECT_FALSE(Form.Action("tbOption2")->isVisible());
    EXPECT_TRUE(Form.Panel2->isHidden());
    EXPECT_TRUE(Form.stProtectOn->isHidden());
}

TEST_F(MainFormTest, ToolBarCarriesTheButtonsInOrderWithTheirHints)
{
    // Left to right, separators and the port selector left out.
    const std::pair<const char*, const char*> buttons[] = {
        {"FileOpen1", "Open"},
        {"FileSave1", "Save Program Memory"},
        {"GenerateCustomerInformationSheet1", "Customer's infomation sheet"},
        {"LoadConfigAction", "Load Config File"},
        {"SaveConfigAction", "Save ConFig File"},
        {"Erase", "Erase Flash memory"},
        {"BlankCheckAction", "Blank Check"},
        {"ReadICAction", "Read IC"},
        {"VerifyICAction", "Verify"},
        {"VerifywithProtect1", "Verify in protect mode"},
        {"ID3", "Program ID & Checksum"},
        {"ProgramMemory2", "Program Memory"},
        {"ProgramOption", "Program OPTION"},
        {"WriteEE", "Write EEPROM"},
        {"AutoProgramAction", "Auto program"},
        {"AutoProgramNoBlankCheckAction", "Auto program without blank check"},
        {"WindowCascade1", "Cascade"},
        {"WindowTileHorizontal1", "Tile Horizontally"},
        {"WindowTileVertical1", "Tile Vertically"},
        {"ForceWrite", "Write data without check"},
        {"tbOption2", "Change to Option 2"},
    };
    QList<QAction*> onBar;
    for (QAction* a : Form.ToolBar2->actions())
        if (!a->isSeparator() && !a->objectName().isEmpty()) onBar << a;
    ASSERT_EQ(onBar.size(), qsizetype(std::size(buttons)));
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        EXPECT_EQ(onBar[qsizetype(i)]->objectName(), buttons[i].first) << i;
        EXPECT_EQ(onBar[qsizetype(i)]->toolTip(), buttons[i].second) << i;
    }
    // The open action's long hint goes to the status line.
    EXPECT_EQ(Form.Action("ToolButton1")->statusTip(), "Open a file");
    EXPECT_EQ(Form.Label3->text(), "Serial Port :");
    EXPECT_EQ(Form.Label11->toolTip(), "Checksum for data");
    EXPECT_EQ(Form.OptChecksum->toolTip(), "Checksum include OPTION");
    EXPECT_EQ(Form.ProtectSum->toolTip(), "Checksum for protected IC");
    EXPECT_EQ(Form.Label17->toolTip(), "Checksum on IC");
}

TEST_F(MainFormTest, EveryMenuListsItsItemsInOrderWithTheirShortcuts)
{
    using Item = std::pair<QString, QKeySequence>;
    const QKeySequence none;
    const std::pair<QString, QList<Item>> menus[] = {
        {"&File",
         {{"&Load Data", none}, {"&Save Data Memory", none}, {"Load Config File ", QKeySequence(Qt::CTRL | Qt::Key_L)},
          {"Save Config File", QKeySequence(Qt::CTRL | Qt::Key_S)}, {"Save Disassmble", none}, {"E&xit", none}}},
        {"&View", {{"Program Memory", none}, {"ID", none}, {"Disassemble", none}, {"EEPROM", none}}},
        {"&Edit",
         {{"OPTION", QKeySequence(Qt::Key_F4)}, {"Serial No. Mode", none}, {"Set Counter Value", none},
          {"Load QTP File", none}, {"Clear OPTION", none}, {"Clear ID", none}, {"Clear Buffer", none},
          {"Clear EEPROM Buffer", none}, {"Fill Data Buffer", QKeySequence(Qt::CTRL | Qt::Key_F)},
          {"Fill EEPROM buffer", none}}},
        {"&Functions",
         {{"Blank Check", QKeySequence(Qt::Key_F5)}, {"Read IC", QKeySequence(Qt::Key_F6)},
          {"Verify IC", QKeySequence(Qt::Key_F7)}, {"Verify IC in Protect mode", none},
          {"Auto Program", QKeySequence(Qt::Key_F8)}, {"Auto Program without Blank Check", QKeySequence(Qt::Key_F9)},
          {"Program ID and Checksum", none}, {"Program Memory", none}, {"Program EEPROM data", none},
          {"Program OPTION", none}, {"Download device info. to writer", none},
          {"Generate customer's information sheet", none}, {"Download Serial Num Set", none},
          {"Read Serial Num Set", none}}},
        {"&Window",
         {{"&Cascade", none}, {"Tile &Horizontally", none}, {"Tile &Vertically", none}, {"&Minimize All", none},
          {"&Arrange All", none}}},
        {"&Help", {{"&About...", none}}},
    };
    for (const auto& [title, items] : menus) {
        QMenu* menu = nullptr;
        for (QAction* a : Form.menuBar()->actions())
            if (a->text() == title) menu = a->menu();
        ASSERT_NE(menu, nullptr) << title.toStdString();
        emit menu->aboutToShow();
        QList<Item> found;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) found << Item{a->text(), a->shortcut()};
        EXPECT_EQ(found, items) << title.toStdString();
    }
    // "Configuration" is a top-level item without sub-items.
    QAction* config = Form.Action("Config1");
    EXPECT_TRUE(Form.menuBar()->actions().contains(config));
    EXPECT_EQ(config->menu(), nullptr);
}

TEST_F(MainFormTest, CommandsOfPartsNotBuiltArePresentButDisabled)
{
    ShowActive();
    // Editors, disassembler, information sheet, device download, second
    // option set, configuration dialog and serial-number dialog (which also
    // shows what "Read Serial Num Set" reads back).
    for (const char* name : {"Disassemble1", "FileSaveAsItem", "EditOptionAction", "Config1", "SerialNoMode1", "ReadSerialSet1", "tbOption2", "DownLoad1",
                             "GenerateCustomerInformationSheet1"}) {
        ASSERT_NE(Form.Action(QString::fromLatin1(name)), nullptr) << name;
        EXPECT_FALSE(Enabled(name)) << name;
    }
    // Nor are they reached by a double-click on the status panel.
    for (QWidget* w : std::initializer_list<QWidget*>{Form.GroupBox1, Form.Label1, Form.GroupBox2, Form.lbOption[0]})
        QTest::mouseDClick(w, Qt::LeftButton);
    for (const char* handler : {"SerialNoMode1Click", "EditOPTIONClick"})
        EXPECT_EQ(Form.HandlerRunCount(handler), 0) << handler;
}

TEST_F(MainFormTest, SerialPortDoubleClickHidesTheEngineeringControlsWithoutACode)
{
    ShowActive();
    // Shown as the access code would show them.
    Form.Action("ForceWrite")->setVisible(true);
    Form.Action("tbOption2")->setVisible(true);
    Form.Panel2->show();
    QTest::mouseDClick(Form.Label3, Qt::LeftButton);
    EXPECT_FALSE(Form.Action("ForceWrite")->isVisible());
    EXPECT_FALSE(Form.Action("tbOption2")->isVisible());
    EXPECT_TRUE(Form.Panel2->isHidden());
    EXPECT_TRUE(Notes.Prompts.empty());

    // Any one of the three visible is enough.
    Form.Panel2->show();
    QTest::mouseDClick(Form.Label3, Qt::LeftButton);
    EXPECT_TRUE(Form.Panel2->isHidden());
    EXPECT_FALSE(Form.Action("ForceWrite")->isVisible());
}

TEST_F(MainFormTest, AboutChangesNothingAndShowsNothing)
{
    ShowActive();
    const std::string before = Form.GetWorkspace().Status.TotalChecksum;
    Form.Action("HelpAbout1")->trigger();
    EXPECT_EQ(Form.HandlerRunCount("HelpAbout1Execute"), 1);
    EXPECT_TRUE(Notes.Prompts.empty());
    EXPECT_EQ(Form.GetWorkspace().Status.TotalChecksum, before);
}

TEST_F(MainFormTest, TileActionsArrangeTheChildWindows)
{
    ShowActive();
    Form.resize(1000, 800);
    Form.ClientArea()->closeAllSubWindows();   // the editor windows of the first show
    QMdiSubWindow* a = Form.AddChildWindow(new QWidget);
    QMdiSubWindow* b = Form.AddChildWindow(new QWidget);
    a->setWindowTitle("Program Memory");
    b->setWindowTitle("EEPROM data");
    QApplication::processEvents();
    const QRect area = Form.ClientArea()->viewport()->rect();

    Form.Action("WindowTileHorizontal1")->trigger();
    EXPECT_EQ(a->width(), area.width());
    EXPECT_EQ(b->width(), area.width());
    EXPECT_NE(a->y(), b->y());

    Form.Action("WindowTileVertical1")->trigger();
    EXPECT_EQ(a->height(), area.height());
    EXPECT_NE(a->x(), b->x());

    Form.Action("WindowMinimizeAll1")->trigger();
    EXPECT_TRUE(a->isMinimized());
    EXPECT_TRUE(b->isMinimized());

    // The window menu lists the children.
    emit Form.WindowMenu->aboutToShow();
    QStringList items;
    for (QAction* act : Form.WindowMenu->actions()) items << act->text();
    EXPECT_TRUE(items.contains("&1 Program Memory"));
    EXPECT_TRUE(items.contains("&2 EEPROM data"));
}

TEST_F(MainFormTest, ExitClosesTheWindow)
{
    ShowActive();
    Form.Action("FileExit1")->trigger();
    EXPECT_FALSE(Form.isVisible());
}

// --- the fill dialog --------------------------------------------------------

TEST(FillBufferFormTest, OpensWithTheLimitsAndRefusesAStartBeyondThem)
{
    Workspace ws;
    RecordingNotifier notes;
    SetCreationDefaults(ws);
    PrepareProgramFill(ws);
    TFillBufferForm dialog(ws, notes);
    EXPECT_EQ(dialog.windowTitle(), "Fill Buffer");
    EXPECT_EQ(dialog.Edit1->text(), "0");
    EXPECT_EQ(dialog.Edit2->text(), "3FF");
    EXPECT_EQ(dialog.Edit3->text(), "3FFF");

    dialog.Edit1->setText("400");
    dialog.BitBtn1Click();
    ASSERT_EQ(notes.Prompts.size(), 1u);
    EXPECT_EQ(notes.Prompts[0].Text, "Start address is a invalid value!");
    EXPECT_EQ(notes.Prompts[0].Caption, "Error");
    EXPECT_EQ(notes.Prompts[0].Icon, MessageIcon::Error);
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

TEST(FillBufferFormTest, EditsTakeOnlyFourHexDigits)
{
    Workspace ws;
    RecordingNotifier notes;
    TFillBufferForm dialog(ws, notes);
    dialog.Edit1->clear();
    QTest::keyClicks(dialog.Edit1, "1g-Z2bC9");
    EXPECT_EQ(dialog.Edit1->text(), "12bC");
}

// Saves a picture of the maximised main window when KRV_SCREENSHOT names a
// file; used under Xvfb to look at the finished layout.
TEST(MainWindowPicture, SavedWhenAsked)
{
    const QString path = qEnvironmentVariable("KRV_SCREENSHOT");
    if (path.isEmpty()) GTEST_SKIP() << "KRV_SCREENSHOT not set";
    RecordingNotifier notes;
    TMainForm form(&notes);
    form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    form.showMaximized();
    QTest::qWait(500);
    for (const char* device : {"72Q575"}) form.ComboBox2->setCurrentIndex(form.ComboBox2->findText(device));
    QTest::qWait(200);
    EXPECT_TRUE(form.grab().save(path));
    TLogoForm splash;
    EXPECT_TRUE(splash.grab().save(path + QStringLiteral(".splash.png")));
}
