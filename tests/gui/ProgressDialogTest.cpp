#include "GuiTest.h"
#include <algorithm>

namespace {

// The simulated writer as COM1 and the shown, active main window with a
// program and options set to choices (or left blank).
struct ProgrammingSetUp {
    explicit ProgrammingSetUp(WriterSettings settings = {}, bool options = true) : Box(std::move(settings))
    {
        Ready = ServeAsCom1(Box) && ShowActive(Form);
        SetProgrammableData(Ws, options);
        Form.ShowStatus();
    }
    ~ProgrammingSetUp() { Form.close(); }
    WriterBox Box;
    RecordingNotifier Notes;
    TMainForm Form{&Notes};
    Workspace& Ws = Form.GetWorkspace();
    bool Ready = false;
};

TEST(ProgressDialog, F8ProgramsTheChipContinueRepeatsAndExitCloses)
{
    ProgrammingSetUp p;
    ASSERT_TRUE(p.Ready);
    TMainForm& form = p.Form;
    QStringList dataTexts;
    bool exited = false;
    QTimer::singleShot(0, [&] {
        // Inside the dialog's modal loop.
        ASSERT_TRUE(WaitUntil([] { return fmProgramVerify && fmProgramVerify->btContinue->isEnabled(); }));
        TfmProgramVerify* dialog = fmProgramVerify;
        EXPECT_EQ(dialog->Label(ProgressLabel::Id)->text(), "ID & checksum program and verify OK");
        dataTexts << dialog->Label(ProgressLabel::Data)->text();
        EXPECT_EQ(Ctl<QLabel>(form, "Label13")->text(), "1");

        QTest::mouseClick(dialog->btContinue, Qt::LeftButton);
        EXPECT_FALSE(dialog->btContinue->isEnabled());
        EXPECT_FALSE(dialog->btExit->isEnabled());
        // A key while the run goes on does not close the dialog.
        QTest::keyClick(dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_TRUE(WaitUntil([dialog] { return dialog->btContinue->isEnabled(); }));
        dataTexts << dialog->Label(ProgressLabel::Data)->text();
        EXPECT_EQ(Ctl<QLabel>(form, "Label13")->text(), "2");
        // Keys that type nothing leave the result on the screen.
        QTest::keyClick(dialog->btContinue, Qt::Key_Alt);
        QTest::keyClick(dialog->btContinue, Qt::Key_Shift);
        QTest::keyClick(dialog, Qt::Key_F8);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->btContinue->isEnabled()) << "F8 does not start another run";
        QTest::mouseClick(dialog->btExit, Qt::LeftButton);
        exited = true;
    });
    QSignalSpy autoPrograms(form.Action("AutoProgramAction"), &QAction::triggered);
    QTest::keyClick(&form, Qt::Key_F8);

    EXPECT_TRUE(exited);
    EXPECT_EQ(autoPrograms.count(), 1);
    EXPECT_EQ(dataTexts, (QStringList{"Data program & verify OK", "Data program & verify OK"}));
    EXPECT_EQ(fmProgramVerify, nullptr);
    const SimulatedChip chip = p.Box.Chip();
    EXPECT_TRUE(std::equal(p.Ws.ProgramMemory.begin(), p.Ws.ProgramMemory.begin() + p.Ws.RomBytes,
                           chip.ProgramMemory.begin()));
    EXPECT_TRUE(p.Notes.Prompts.empty()) << p.Notes.LastText();
}

// Closing the dialog in the middle of a run stops the engine before the
// dialog goes; no queued update reaches the destroyed dialog (the ASan
// build would catch it) and the port serves the next run.
TEST(ProgressDialog, ClosedMidRunStopsTheEngineAndTheNextRunWorks)
{
    WriterSettings paced;
    paced.Paced = true;
    paced.RequestGapMs = 300;
    ProgrammingSetUp p(paced);
    ASSERT_TRUE(p.Ready);
    TMainForm& form = p.Form;
    WriterBox& box = p.Box;

    RunEnd end = RunEnd::NotRun;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([] {
            return fmProgramVerify && fmProgramVerify->Label(ProgressLabel::Eeprom)->text().size() == 4;
        })) << "the data stream is on its way";
        TfmProgramVerify* dialog = fmProgramVerify;
        dialog->close();
        end = dialog->Engine().LastEnd();
    });
    form.AutoProgram1Click();
    EXPECT_EQ(end, RunEnd::Cancelled);
    EXPECT_EQ(fmProgramVerify, nullptr);
    QCoreApplication::sendPostedEvents();   // deliver whatever the engine had queued
    EXPECT_EQ(Ctl<QLabel>(form, "Label13")->text(), "0");

    ASSERT_TRUE(WaitUntil([&] { return box.Idle(); })) << "the writer dropped the broken stream";
    box.SetPaced(false);
    EXPECT_EQ(RunToEnd([&] { form.AutoProgram1Click(); }), "Data program & verify OK");
    EXPECT_EQ(Ctl<QLabel>(form, "Label13")->text(), "1");
}

// A line that stops taking bytes holds the engine in a write with the
// 5 s limit ahead; closing the dialog stops it there at once.
TEST(ProgressDialog, ClosingReturnsAtOnceWhileTheLineTakesNoBytes)
{
    ProgrammingSetUp p;
    ASSERT_TRUE(p.Ready);
    p.Box.SetFaults({.StallFromByte = 200});
    qint64 closeMs = -1;
    RunEnd end = RunEnd::NotRun;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([&] { return p.Box.Snapshot().BytesSinceFaults > 200; }));
        TfmProgramVerify* dialog = fmProgramVerify;
        QElapsedTimer closing;
        closing.start();
        dialog->close();
        closeMs = closing.elapsed();
        end = dialog->Engine().LastEnd();
    });
    p.Form.AutoProgram1Click();
    EXPECT_EQ(end, RunEnd::Cancelled);
    EXPECT_LT(closeMs, 1000);
}

TEST(ProgressDialog, HandlerRunRepeatsByItselfOneSecondAfterAGoodRun)
{
    ProgrammingSetUp p;
    ASSERT_TRUE(p.Ready);
    TMainForm& form = p.Form;
    p.Box.ScriptSwitch({0x00, 0x01});   // the first part arrives after one idle poll
    p.Ws.WithHandler = true;

    bool repeated = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([] { return fmProgramVerify && fmProgramVerify->btContinue->isEnabled(); }));
        TfmProgramVerify* dialog = fmProgramVerify;
        EXPECT_TRUE(dialog->Timer1->isActive());
        EXPECT_EQ(Ctl<QLabel>(form, "Label13")->text(), "1");
        // Nobody presses Continue: the timer starts the next run.
        ASSERT_TRUE(WaitUntil([&] { return Ctl<QLabel>(form, "Label13")->text() == "2" && dialog->btContinue->isEnabled(); }, 20000));
        repeated = true;
        dialog->Timer1->stop();
        // After the run any key closes the dialog, also one that lands on
        // the focused Continue button: it does not start another run.
        dialog->btContinue->setFocus();
        QTest::keyClick(dialog->btContinue, Qt::Key_Space);
        EXPECT_FALSE(dialog->isVisible());
        if (dialog->isVisible()) QTest::mouseClick(dialog->btExit, Qt::LeftButton);
    });
    form.AutoProgram1Click();

    EXPECT_TRUE(repeated);
    EXPECT_EQ(Ctl<QLabel>(form, "Label13")->text(), "2");
    const auto names = p.Box.RequestNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "handler signal"), 4) << "start and pass, twice";
}

TEST(ProgressDialog, PreCheckEndFocusesExitWhichTakesReturn)
{
    ProgrammingSetUp p({}, false);   // the options stay blank: the run ends at its option pre-check
    ASSERT_TRUE(p.Ready);
    TMainForm& form = p.Form;

    bool closedByReturn = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([] { return fmProgramVerify && fmProgramVerify->btExit->isEnabled(); }));
        TfmProgramVerify* dialog = fmProgramVerify;
        EXPECT_EQ(dialog->Label(ProgressLabel::Data)->text(), "Some options are blank!");
        EXPECT_FALSE(dialog->btContinue->isEnabled());
        EXPECT_EQ(dialog->focusWidget(), dialog->btExit);
        // Other keys still do nothing here; Return presses the focused Exit.
        QTest::keyClick(dialog->btExit, Qt::Key_A);
        EXPECT_TRUE(dialog->isVisible());
        QTest::keyClick(dialog->btExit, Qt::Key_Return);
        closedByReturn = !dialog->isVisible();
        if (dialog->isVisible()) QTest::mouseClick(dialog->btExit, Qt::LeftButton);
    });
    QTest::keyClick(&form, Qt::Key_F8);

    EXPECT_TRUE(closedByReturn);
    EXPECT_EQ(fmProgramVerify, nullptr);
}

}  // namespace
