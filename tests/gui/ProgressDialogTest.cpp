#include "GuiTest.h"
#include "TestSupport.h"
#include "serialno/QtpFile.h"
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

// A run that ends serial mode (the QTP file ran out, or its next record
// was refused) leaves Continue off and Exit the default button: neither
// Continue nor Enter programs the last number into another chip.
TEST(ProgressDialog, RunThatEndsSerialModeLeavesOnlyExit)
{
    const struct {
        const char* Qtp;
        int Chips;   // programmed before serial mode ends
    } cases[] = {
        {":040010001231343144\r\n:040010001231353143\r\n:00000001FF", 2},
        {":040010001231343144\r\n:040020001231353133\r\n:00000001FF", 1},   // words 20h on hold no RTWI
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Chips);
        ProgrammingSetUp p;
        ASSERT_TRUE(p.Ready);
        TempDir dir;
        WriteBytes(dir.File("parts.txt"), c.Qtp);
        p.Ws.ProgramMemory[2 * 0x10 + 1] = p.Ws.ProgramMemory[2 * 0x11 + 1] = 0x62;   // RTWI
        ASSERT_EQ(LoadQTPFile1Click(p.Ws, QtpFileChoice{true, true, dir.File("parts.txt")}, p.Notes),
                  QtpLoadResult::Loaded);
        std::size_t requestsAtEnd = 0;
        QTimer::singleShot(0, [&] {
            for (int chip = 1; chip < c.Chips; ++chip) {
                ASSERT_TRUE(WaitUntil([] { return fmProgramVerify && fmProgramVerify->btContinue->isEnabled(); }));
                QTest::mouseClick(fmProgramVerify->btContinue, Qt::LeftButton);
            }
            ASSERT_TRUE(WaitUntil([&] { return fmProgramVerify && Ctl<QLabel>(p.Form, "Label1")->text() == "Disable"; }));
            TfmProgramVerify* dialog = fmProgramVerify;
            ASSERT_TRUE(WaitUntil([dialog] { return dialog->btExit->isEnabled(); }));
            requestsAtEnd = p.Box.RequestNames().size();
            EXPECT_FALSE(dialog->btContinue->isEnabled());
            EXPECT_TRUE(dialog->btExit->isDefault() && !dialog->btContinue->isDefault());
            QTest::mouseClick(dialog->btContinue, Qt::LeftButton);
            EXPECT_TRUE(dialog->btExit->isEnabled()) << "no run started";
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            if (dialog->isVisible()) dialog->reject();
        });
        p.Form.AutoProgram1Click();
        EXPECT_EQ(fmProgramVerify, nullptr) << "Enter pressed Exit";
        EXPECT_EQ(p.Box.RequestNames().size(), requestsAtEnd);
        EXPECT_EQ(Ctl<QLabel>(p.Form, "Label13")->text(), QString::number(c.Chips));
        EXPECT_EQ(p.Box.Chip().ProgramMemory[2 * 0x11], 0x33 + c.Chips);
    }
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
