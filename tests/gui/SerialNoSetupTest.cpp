// "Serial No." end to end against the simulated writer: settings made in the
// dialog reach two chips as consecutive numbers, Abort keeps the workspace,
// a QTP file written from the dialog feeds two chips, a serial set sent to
// the writer reads back into the dialog, and hostile input is refused with
// its message and no change.
#include "DialogDriving.h"
#include "LinkedWriter.h"
#include "RecordingNotifier.h"
#include "WriterBox.h"
#include "app/OptionModel.h"
#include "serialno/forms/SerialNoSetForm.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

// Everything the dialog could change in the workspace.
struct SerialSnapshot {
    bool ModeOn, DialogOk;
    uint32_t Address, Count, Increment, Mode, Order, Target;
    std::array<uint32_t, 8> Value, Start, End;
    std::array<std::string, 8> SetupTexts;
    std::string ModeText, SerialText;
    std::array<uint8_t, kProgramMemorySize> Memory;
    bool operator==(const SerialSnapshot&) const = default;
};

SerialSnapshot Snap(const Workspace& ws)
{
    return {ws.SerialModeOn, ws.SerialDialogOk, ws.SerialStartAddress, ws.SerialByteCount, ws.SerialIncrement,
            ws.SerialMode, ws.SerialOrder, ws.SerialTarget, ws.SerialValue, ws.SerialStartValue,
            ws.SerialEndValue, ws.SerialSetupTexts, ws.Status.SerialModeText, ws.Status.SerialText,
            ws.ProgramMemory};
}

class SerialNoSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Box.Start());
        ASSERT_TRUE(Box.LinkAs(LinkedWriter::PortsFolder() + "/COM1"));
        Form.show();
        PrepareProgram(Ws());
        for (uint32_t w : {0x10u, 0x11u}) Ws().ProgramMemory[2 * w + 1] = 0x62;   // RTWI words
        Ws().OptionWords[0] = 0x26;
        Ws().OptionWords[1] = 0x55;
        UpdateOption(Ws());
        Form.ShowStatus();
    }
    Workspace& Ws() { return Form.GetWorkspace(); }
    bool Open(const std::function<void(TSerialNoSetupForm&)>& drive, const char* command = "SerialNoMode1")
    {
        return Drive<TSerialNoSetupForm>(Form.Action(command), SerialNoSetupForm, [&](TSerialNoSetupForm& d) {
            ASSERT_TRUE(WaitFor([&d] { return !d.Timer1->isActive(); }));
            drive(d);
        });
    }
    // Address 0010, two bytes 12FE to 12FF.., step 1, LSB first, program memory.
    static void Settings(TSerialNoSetupForm& d)
    {
        Type(d.StartAddress, "10");
        Type(d.NoOfByte, "2");
        Type(d.StartValue, "12fe");
        Type(d.EndValue, "2000");
        Type(d.Increment, "1");
        d.SetItemIndex(d.RadioGroup2, 1);
    }
    // The two serial words of the chip, low bytes with bit 7 back from the high byte.
    std::pair<int, int> ChipSerial()
    {
        const SimulatedChip chip = Box.Chip();
        auto byte = [&chip](uint32_t w) {
            return chip.ProgramMemory[2 * w] | ((chip.ProgramMemory[2 * w + 1] & 1) << 7);
        };
        return {byte(0x10), byte(0x11)};
    }
    // Answers the next file dialog with `path`.
    static void AnswerFileDialog(const QString& path)
    {
        QTimer::singleShot(0, [path] {
            ASSERT_TRUE(WaitFor([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }));
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            files->selectFile(path);
            static_cast<QDialog*>(files)->accept();
        });
    }

    WriterBox Box;
    RecordingNotifier Notes;
    TMainForm Form{&Notes};
};

}  // namespace

TEST_F(SerialNoSetupTest, SettingsReachTwoChipsAsConsecutiveNumbersAndAbortKeepsThem)
{
    ASSERT_TRUE(Open([](TSerialNoSetupForm& d) {
        Settings(d);
        QTest::mouseClick(d.BtnOK, Qt::LeftButton);
    }));
    EXPECT_EQ(Form.Label1->text(), "Enable");
    EXPECT_FALSE(Form.Action("ToolButton20")->isEnabled());
    EXPECT_FALSE(Form.Action("OPTION3")->isEnabled());
    EXPECT_EQ(Form.stSerialNo->text(), " 12FE");
    const SerialSnapshot accepted = Snap(Ws());

    // The next opening shows the accepted texts; an edited start value is
    // tidied when left but Abort keeps the workspace as it was.
    ASSERT_TRUE(Open([](TSerialNoSetupForm& d) {
        EXPECT_EQ(d.StartValue->text(), "12FE");
        EXPECT_EQ(d.ItemIndex(d.RadioGroup2), 1);
        Type(d.StartValue, "5");
        d.EndValue->setFocus();
        EXPECT_EQ(d.StartValue->text(), "0005");
        QTest::mouseClick(d.BtnAbort, Qt::LeftButton);
    }));
    EXPECT_TRUE(Snap(Ws()) == accepted);

    std::vector<std::pair<int, int>> chips;
    RunChips(Form.Action("AutoProgramAction"), 2, [&](int) { chips.push_back(ChipSerial()); });
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
    // LSB first: word 0010h holds the low byte.
    EXPECT_EQ(chips, (std::vector<std::pair<int, int>>{{0xFE, 0x12}, {0xFF, 0x12}}));

    ASSERT_TRUE(Open([](TSerialNoSetupForm& d) { QTest::mouseClick(d.BtnDisable, Qt::LeftButton); }));
    EXPECT_EQ(Form.Label1->text(), "Disable");
    EXPECT_TRUE(Form.Action("ToolButton20")->isEnabled());
    EXPECT_FALSE(Ws().SerialModeOn);
}

TEST_F(SerialNoSetupTest, QtpFileWrittenFromTheDialogFeedsTwoChips)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parts"));
    ASSERT_TRUE(Open([&](TSerialNoSetupForm& d) {
        Settings(d);
        d.NoOfPart->setText(QStringLiteral("2"));
        AnswerFileDialog(path);
        QTest::mouseClick(d.BtnQtpFile, Qt::LeftButton);
    }));
    EXPECT_FALSE(Ws().SerialModeOn) << "writing a QTP file leaves serial mode off";
    QFile file(path + ".txt");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), ":04001000FE3112317A\r\n:04001000FF31123179\r\n:00000001FF");

    AnswerFileDialog(path + ".txt");
    Form.Action("LoadQTPFile1")->trigger();
    EXPECT_EQ(Form.Label19->text(), "parts.txt");
    std::vector<std::pair<int, int>> chips;
    RunChips(Form.Action("AutoProgramAction"), 2, [&](int) { chips.push_back(ChipSerial()); });
    EXPECT_EQ(chips, (std::vector<std::pair<int, int>>{{0xFE, 0x12}, {0xFF, 0x12}}));
}

TEST_F(SerialNoSetupTest, DownloadedSerialSetReadsBackIntoTheDialog)
{
    ASSERT_TRUE(Open([](TSerialNoSetupForm& d) {
        Settings(d);
        d.SetItemIndex(d.RadioGroup3, 1);   // EEPROM
        QTest::mouseClick(d.BtnOK, Qt::LeftButton);
    }));
    RunChips(Form.Action("DownloadSerialSet1"), 1);
    EXPECT_EQ(Box.Snapshot().SerialSet.FramesAccepted, 1);

    Ws().SerialDialogOk = false;   // the dialog now shows only what the writer sent
    ASSERT_TRUE(Open(
        [](TSerialNoSetupForm& d) {
            EXPECT_EQ(d.StartAddress->text(), "0010");
            EXPECT_EQ(d.NoOfByte->text(), "2");
            EXPECT_EQ(d.StartValue->text(), "12FE");
            EXPECT_EQ(d.EndValue->text(), "2000");
            EXPECT_EQ(d.Increment->text(), "1");
            EXPECT_EQ(d.ItemIndex(d.RadioGroup2), 1);
            EXPECT_EQ(d.ItemIndex(d.RadioGroup3), 1);
            EXPECT_EQ(d.Label14->text(), "SaveSerialNo:");
            EXPECT_EQ(d.Label15->text(), "12FE");
            QTest::mouseClick(d.BtnAbort, Qt::LeftButton);
        },
        "ReadSerialSet1"));
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
}

TEST_F(SerialNoSetupTest, HostileInputGivesItsMessageAndChangesNothing)
{
    const SerialSnapshot before = Snap(Ws());
    const struct {
        const char* Name;
        std::function<void(TSerialNoSetupForm&)> Edit;
        std::string Message;
    } rows[] = {
        {"pasted 9 bytes",
         [](TSerialNoSetupForm& d) {
             QGuiApplication::clipboard()->setText(QStringLiteral("9"));
             d.NoOfByte->setFocus();
             d.NoOfByte->selectAll();
             d.NoOfByte->paste();
         },
         "\"No. of Byte\" is not a valid value!!"},
        {"end below start",
         [](TSerialNoSetupForm& d) {
             Type(d.StartValue, "80");
             Type(d.EndValue, "10");
         },
         "Setar Value more then End Value !! "},
        {"pasted non-hex",
         [](TSerialNoSetupForm& d) {
             Type(d.EndValue, "F0");
             QGuiApplication::clipboard()->setText(QStringLiteral("g1"));
             d.StartValue->setFocus();
             d.StartValue->selectAll();
             d.StartValue->paste();
         },
         "'g1' is not a valid integer value"},
        {"all-ones pseudo-random start",
         [](TSerialNoSetupForm& d) {
             Type(d.StartValue, "ff");
             Type(d.EndValue, "ff");
             d.SetItemIndex(d.RadioGroup1, 1);
         },
         "Setar Value more then End Value !! "},
    };
    for (const auto& row : rows) {
        Notes.Clear();
        ASSERT_TRUE(Open([&](TSerialNoSetupForm& d) {
            Type(d.StartAddress, "10");   // over RTWI words
            row.Edit(d);
            QTest::mouseClick(d.BtnOK, Qt::LeftButton);
            EXPECT_TRUE(d.isVisible()) << row.Name;
            QTest::mouseClick(d.BtnAbort, Qt::LeftButton);
        }));
        EXPECT_EQ(Notes.LastText(), row.Message) << row.Name;
        EXPECT_TRUE(Snap(Ws()) == before) << row.Name;
    }
}
