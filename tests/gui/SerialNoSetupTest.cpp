// "Serial No." end to end against the simulated writer: settings made in the
// dialog reach two chips as consecutive numbers, Abort keeps the workspace,
// a QTP file written from the dialog feeds two chips, a serial set sent to
// the writer reads back into the dialog, and hostile input is refused with
// its message and no change.
#include "GuiTest.h"
#include "workspace/OptionModel.h"
#include "editors/forms/EEDataForm.h"
#include "serialno/forms/SerialNoSetForm.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QTemporaryDir>


namespace {

// Everything the dialog could change in the workspace.
auto Snap(const Workspace& ws)
{
    return std::tuple(ws.SerialModeOn, ws.SerialDialogOk, ws.SerialStartAddress, ws.SerialByteCount,
                      ws.SerialIncrement, ws.SerialMode, ws.SerialOrder, ws.SerialTarget, ws.SerialValue,
                      ws.SerialStartValue, ws.SerialEndValue, ws.SerialSetupTexts, ws.Status.SerialModeText,
                      ws.Status.SerialText, ws.ProgramMemory);
}

class SerialNoSetupTest : public WriterFormTest {
protected:
    void SetUp() override
    {
        WriterFormTest::SetUp();
        for (uint32_t w : {0x10u, 0x11u}) Ws().ProgramMemory[2 * w + 1] = 0x62;   // RTWI words
        Ws().OptionWords[0] = 0x26, Ws().OptionWords[1] = 0x55;   // options no run refuses
        UpdateOption(Ws());
        Form.ShowStatus();
    }
    bool Open(const std::function<void(TSerialNoSetupForm&)>& drive, const char* command = "SerialNoMode1")
    {
        return Drive<TSerialNoSetupForm>(Form.Action(command), SerialNoSetupForm, [&](TSerialNoSetupForm& d) {
            ASSERT_TRUE(WaitUntil([&d] { return !d.Timer1->isActive(); }));
            drive(d);
        });
    }
    // Address 0010, two bytes 12FE to 2000, step 1, LSB first, program memory.
    static void Settings(TSerialNoSetupForm& d)
    {
        for (auto [field, text] : {std::pair{d.StartAddress, "10"}, {d.NoOfByte, "2"}, {d.StartValue, "12fe"},
                                   {d.EndValue, "2000"}, {d.Increment, "1"}})
            Type(field, text);
        d.SetItemIndex(d.RadioGroup2, 1);
    }
    // Auto programs `chips` chips; the serial words 0010h and 0011h of each,
    // bit 7 of a byte back from bit 0 of its high byte.
    std::vector<std::pair<int, int>> ProgramChips(int chips)
    {
        std::vector<std::pair<int, int>> got;
        RunChips(Form.Action("AutoProgramAction"), chips, [&](int) {
            const SimulatedChip chip = Box.Chip();
            auto byte = [&chip](uint32_t w) { return chip.ProgramMemory[2 * w] | ((chip.ProgramMemory[2 * w + 1] & 1) << 7); };
            got.emplace_back(byte(0x10), byte(0x11));
        });
        EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
        return got;
    }
    // Answers the next file dialog with `path`.
    static void AnswerFileDialog(const QString& path)
    {
        QTimer::singleShot(0, [path] {
            QFileDialog* files = nullptr;
            ASSERT_TRUE(WaitUntil([&] { return (files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())); }));
            files->selectFile(path), static_cast<QDialog*>(files)->accept();
        });
    }
    const std::vector<std::pair<int, int>> kTwoNumbers{{0xFE, 0x12}, {0xFF, 0x12}};   // LSB first
};

}  // namespace

TEST_F(SerialNoSetupTest, SettingsReachTwoChipsAbortKeepsThemAndTheWriterReadsThemBack)
{
    ASSERT_TRUE(Open([](TSerialNoSetupForm& d) {
        Settings(d);
        QTest::mouseClick(d.BtnOK, Qt::LeftButton);
    }));
    EXPECT_EQ(Ctl<QLabel>(Form, "Label1")->text(), "Enable");
    EXPECT_FALSE(Form.Action("ToolButton20")->isEnabled());
    EXPECT_EQ(Ctl<QLabel>(Form, "stSerialNo")->text(), " 12FE");
    const auto accepted = Snap(Ws());

    // The next opening shows the accepted texts; an edited start value is
    // tidied when left but Abort keeps the workspace as it was.
    ASSERT_TRUE(Open([](TSerialNoSetupForm& d) {
        EXPECT_EQ(d.StartValue->text(), "12FE");
        Type(d.StartValue, "5");
        d.EndValue->setFocus();
        EXPECT_EQ(d.StartValue->text(), "0005");
        QTest::mouseClick(d.BtnAbort, Qt::LeftButton);
    }));
    EXPECT_TRUE(Snap(Ws()) == accepted);
    EXPECT_EQ(ProgramChips(2), kTwoNumbers);

    // The set sent to the writer comes back into the dialog, which then
    // shows only what the writer sent.
    RunChips(Form.Action("DownloadSerialSet1"), 1);
    EXPECT_EQ(Box.Snapshot().SerialSet.FramesAccepted, 1);
    Ws().SerialDialogOk = false;
    ASSERT_TRUE(Open(
        [](TSerialNoSetupForm& d) {
            const QString shown[] = {d.StartAddress->text(), d.NoOfByte->text(), d.StartValue->text(),
                                     d.EndValue->text(),     d.Increment->text(), d.Label15->text()};
            EXPECT_EQ(QStringList(std::begin(shown), std::end(shown)).join(' '), "0010 2 12FE 2000 1 12FE");
            EXPECT_EQ(d.ItemIndex(d.RadioGroup2), 1);
            QTest::mouseClick(d.BtnDisable, Qt::LeftButton);
        },
        "ReadSerialSet1"));
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
    EXPECT_EQ(Ctl<QLabel>(Form, "Label1")->text(), "Disable");
    EXPECT_TRUE(Form.Action("ToolButton20")->isEnabled());
}

TEST_F(SerialNoSetupTest, QtpFileWrittenFromTheDialogFeedsTwoChips)
{
    // The open EEPROM window is redrawn in place after the dialog and the
    // QTP load, as after a chip run: the same window, where the user put it.
    const QPointer<TEEDataForm> eeprom = EEDataForm;
    ASSERT_FALSE(eeprom.isNull());
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
    EXPECT_FALSE(eeprom.isNull());

    AnswerFileDialog(path + ".txt");
    Form.Action("LoadQTPFile1")->trigger();
    EXPECT_EQ(Ctl<QLabel>(Form, "Label19")->text(), "parts.txt");
    EXPECT_FALSE(eeprom.isNull());
    EXPECT_EQ(ProgramChips(2), kTwoNumbers);
}

TEST_F(SerialNoSetupTest, HostileInputGivesItsMessageAndChangesNothing)
{
    using D = TSerialNoSetupForm;
    const auto before = Snap(Ws());
    auto paste = [](QLineEdit* field, const char* text) {   // past the key filter, as only the program can
        field->setText(QString::fromLatin1(text));
    };
    const std::pair<std::function<void(D&)>, std::string> rows[] = {
        {[&](D& d) { paste(d.NoOfByte, "9"); }, "\"No. of Byte\" is not a valid value!!"},
        {[](D& d) { Type(d.Increment, "256"); }, " \"Increment\" is not a valid value!!"},   // and emptied
        {[](D& d) { Type(d.StartValue, "80"), Type(d.EndValue, "10"); }, "Setar Value more then End Value !! "},
        {[&](D& d) { Type(d.EndValue, "F0"), paste(d.StartValue, "g1"); }, "'g1' is not a valid integer value"},
        {[](D& d) { Type(d.StartValue, "ff"), Type(d.EndValue, "ff"), d.SetItemIndex(d.RadioGroup1, 1); },
         "Setar Value more then End Value !! "},   // all ones, Pseudo-random
    };
    for (const auto& [edit, message] : rows) {
        Notes.Clear();
        ASSERT_TRUE(Open([&](D& d) {
            Type(d.StartAddress, "10");   // over RTWI words
            edit(d);
            EXPECT_EQ(d.EndValue->isEnabled() && d.Increment->isEnabled(), d.ItemIndex(d.RadioGroup1) != 1);
            QTest::mouseClick(d.BtnOK, Qt::LeftButton);
            EXPECT_TRUE(d.isVisible()) << message;
            EXPECT_EQ(d.Increment->text().isEmpty(), message.find("Increment") != std::string::npos);
            QTest::mouseClick(d.BtnAbort, Qt::LeftButton);
        }));
        EXPECT_EQ(Notes.LastText(), message);
        EXPECT_TRUE(Snap(Ws()) == before) << message;
    }
}
