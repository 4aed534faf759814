#include "GuiTest.h"
#include "workspace/OptionTables.h"
#include "link/forms/ChangeOptionForm.h"

namespace {

// Records as RecordingNotifier does; with Spin set, a message stays "open"
// and runs the event loop, as a message box does, until the run is over.
struct ModalNotes : RecordingNotifier {
    void Message(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        RecordingNotifier::Message(text, caption, icon);
        MaxDepth = std::max(MaxDepth, ++Depth);
        for (QDeadlineTimer end(10000); Spin && ChangeOptionForm && ChangeOptionForm->Running() && !end.hasExpired();)
            QTest::qWait(10);
        QTest::qWait(10);
        --Depth;
    }
    bool Spin = false;
    int Depth = 0;
    int MaxDepth = 0;
};

class ChangeOptionFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ServeAsCom1(Box));
        ASSERT_TRUE(ShowChecked(Form));
        Notes.Clear();
    }

    TChangeOptionForm* Open()
    {
        Form.Action(QStringLiteral("tbOption2"))->trigger();
        TChangeOptionForm* dialog = ChangeOptionForm;
        if (dialog) dialog->SetTimeoutHundredths(30);
        return dialog;
    }

    static bool Idle(TChangeOptionForm* d) { return !d->Running() && d->btnReadOption->isEnabled(); }

    bool Wrote() const { return OverWriteHeader(Box).has_value(); }

    WriterBox Box;
    ModalNotes Notes;
    TMainForm Form{&Notes};
};

}  // namespace

TEST_F(ChangeOptionFormTest, ReadShowsTheChipsOptionsAndAutoWritesWithoutTouchingTheMainWindow)
{
    Workspace& ws = Form.GetWorkspace();
    // A chip whose first option item holds a choice other than the blank one.
    ASSERT_TRUE(GetOptData(ws, 1, 0));
    const uint32_t mask = ws.OptValue;
    int choice = 1;
    while (GetOptData(ws, 1, choice) && ws.OptValue != kOptionMarkerValue && ws.OptValue == mask) ++choice;
    const std::string chosenText = ws.OptText;
    const auto user = SplitOptionValue(OptionLayout::Of(ws), (0xFFFFFFFFu & ~mask) | ws.OptValue);
    Box.With([&](WriterState& s) { std::copy(user.begin(), user.end(), s.Chip.OptionWords.begin()); });

    const auto optionWords = ws.OptionWords;
    const auto bodyOption = ws.BodyOption;
    const StatusPanel status = ws.Status;

    TChangeOptionForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowModality(), Qt::ApplicationModal);

    QTest::mouseClick(dialog->btnReadOption, Qt::LeftButton);
    EXPECT_FALSE(dialog->btnAuto->isEnabled());
    ASSERT_TRUE(WaitUntil([&] { return Idle(dialog); }));
    EXPECT_EQ(Notes.Texts(), std::vector<std::string>{"Read options end!!"});
    EXPECT_EQ(dialog->stIcFieldVal[0]->text().toStdString(), chosenText);
    EXPECT_EQ(dialog->stOldUserData->text(), dialog->stIcUserData->text());

    // "No" to the question writes nothing.
    Notes.Script({Answer::No});
    QTest::mouseClick(dialog->btnWriteOption, Qt::LeftButton);
    EXPECT_EQ(Notes.LastText(), "Already read IC OPTIONs?");
    EXPECT_FALSE(Wrote());

    QTest::mouseClick(dialog->btnAuto, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Idle(dialog); }));
    EXPECT_EQ(Notes.LastText(), "Program && verify OK");
    EXPECT_TRUE(Wrote());
    const SimulatedChip chip = Box.Chip();
    for (std::size_t i = 32; i < 40; ++i) EXPECT_EQ(chip.OptionArea[i], dialog->Composition().Image[i] & 0x7F) << i;

    QTest::mouseClick(dialog->btnExit, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return ChangeOptionForm == nullptr; }));
    EXPECT_EQ(ws.OptionWords, optionWords);
    EXPECT_EQ(ws.BodyOption, bodyOption);
    EXPECT_EQ(ws.Status.ProgramChecksum, status.ProgramChecksum);
    EXPECT_EQ(ws.Status.TotalChecksum, status.TotalChecksum);
    EXPECT_EQ(ws.Status.OptionValueText, status.OptionValueText);
}

TEST_F(ChangeOptionFormTest, ASilentWriterGivesTheTimeOutAndLeavesTheDialogUsable)
{
    TChangeOptionForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->btnWriteOption, Qt::LeftButton);
    EXPECT_EQ(Notes.Texts(), std::vector<std::string>{"Please read IC OPTIONs first !!"});

    Box.SetFaults([] { WriterFaults f; f.SilentFromByte = 0; return f; }());
    QTest::mouseClick(dialog->btnAuto, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Idle(dialog); }));
    EXPECT_EQ(Notes.LastText(), "Connect COM1 Timeout!!");
    EXPECT_TRUE(dialog->btnExit->isEnabled());
    EXPECT_TRUE(dialog->GroupBox2->isEnabled());
    EXPECT_FALSE(Wrote());

    // Closing in the middle of a run stops it and joins its thread.
    QTest::mouseClick(dialog->btnReadOption, Qt::LeftButton);
    EXPECT_TRUE(dialog->Running());
    dialog->close();
    ASSERT_TRUE(WaitUntil([&] { return ChangeOptionForm == nullptr; }));
}

TEST_F(ChangeOptionFormTest, MessagesOfARunShowOneAfterAnotherInTheirOrder)
{
    Box.With([](WriterState& s) { MarkOption2Used(s.Chip); });
    TChangeOptionForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    Notes.Spin = true;
    QTest::mouseClick(dialog->btnReadOption, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return Idle(dialog) && Notes.Depth == 0; }));
    EXPECT_EQ(Notes.Texts(), (std::vector<std::string>{"Read options end!!", "The 2nd Option was used !"}));
    EXPECT_EQ(Notes.MaxDepth, 1);   // never a box over a box
    dialog->close();
}
