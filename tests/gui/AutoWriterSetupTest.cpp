#include "GuiTest.h"
#include "link/AutoWriter.h"
#include "link/forms/AutoWriterSetupForm.h"
#include "workspace/BufferCommands.h"
#include "workspace/Checksum.h"
#include "serialno/QtpFile.h"
#include "serialno/SerialNumber.h"

#include "TestSupport.h"

#include <algorithm>

namespace {

// Arms the repetition through the panel's button, then runs a blank check;
// duringRun acts in the progress dialog. Returns the runs the writer saw.
int RepeatBlankCheck(const QString& count, const QString& delay, const std::function<void(TfmProgramVerify*)>& duringRun,
                     const std::function<void(TMainForm&)>& run = [](TMainForm& f) { f.BlankCheckActionExecute(); })
{
    WriterBox box;
    EXPECT_TRUE(ServeAsCom1(box));
    RecordingNotifier notes;
    TMainForm form(&notes);
    EXPECT_TRUE(ShowChecked(form));
    box.ClearRequests();
    QPushButton* button = PanelButton(form, "Auto Writer Setup");
    EXPECT_TRUE(button);
    if (!button) return -1;
    QTimer::singleShot(0, [&] {
        auto* setup = qobject_cast<TAutoWriterSetupForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(setup);
        setup->Edit1->setText(count);
        setup->Edit2->setText(delay);
        QTest::mouseClick(setup->Button1, Qt::LeftButton);
    });
    button->click();
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return fmProgramVerify != nullptr; }));
        EXPECT_TRUE(fmProgramVerify->AwsBT->isVisible());
        duringRun(fmProgramVerify);
        EXPECT_TRUE(QTest::qWaitFor(
            [] { return fmProgramVerify->Label(ProgressLabel::TotalTime)->text() == "AutoWriter End"; }, 20000));
        fmProgramVerify->done(0);   // also a repetition that did not end
    });
    run(form);
    form.close();
    const auto names = box.RequestNames();
    return int(std::count(names.begin(), names.end(), "writer-type query"));
}

}  // namespace

TEST(AutoWriterSetup, CountThreeRunsThreeBlankChecksAndStopEndsAfterTheCurrentRun)
{
    EXPECT_EQ(RepeatBlankCheck("3", "0", [](TfmProgramVerify*) {}), 3);
    EXPECT_EQ(RepeatBlankCheck("0", "300", [](TfmProgramVerify* d) { QTest::mouseClick(d->AwsBT, Qt::LeftButton); }), 1);
}

// The last QTP record programmed ends serial mode, and with it the
// repetition: a further run would program the same number again.
TEST(AutoWriterSetup, RunThatEndsSerialModeEndsTheRepetition)
{
    TempDir dir;
    const std::string qtp = dir.File("repetition.txt");
    WriteBytes(qtp, ":040010001231343144\r\n:00000001FF");
    auto autoProgram = [&](TMainForm& form) {
        Workspace& ws = form.GetWorkspace();
        ASSERT_TRUE(form.SetSelectedDevice("72Q575"));
        ResetData(ws, "72Q575");
        for (uint32_t k = 0; 2 * k < ws.RomBytes; ++k) ws.ProgramMemory[2 * k + 1] = 0x62;   // RTWI
        ws.OptionWords[0] = 0x26;
        ws.OptionWords[1] = 0x55;
        UpdateOption(ws);
        ws.SerialModeOn = true;
        ws.SerialTarget = stProgramMemory;
        ws.SerialStartAddress = 0x10;
        ws.SerialByteCount = 2;
        RecordingNotifier n;
        ASSERT_EQ(LoadQTPFile1Click(ws, QtpFileChoice{true, true, qtp}, n), QtpLoadResult::Loaded) << n.LastText();
        CalChecksum(ws);
        form.AutoProgram1Click();
        EXPECT_FALSE(ws.SerialModeOn);
        CloseQtpInput(ws);
    };
    EXPECT_EQ(RepeatBlankCheck("5", "0", [](TfmProgramVerify*) {}, autoProgram), 1);
}

// A run that the handler would restart after a second: the repetition alone
// restarts it, or a second run would start over the first.
TEST(AutoWriterSetup, RepetitionAloneRestartsARunTheHandlerWouldRepeat)
{
    Workspace ws;
    RecordingNotifier notes;
    ArmAutoWriter(ws, 1, 0);
    TfmProgramVerify dialog(ws, notes, {}, {}, {});
    dialog.EnTimer1(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Label(ProgressLabel::TotalTime)->text() == "AutoWriter End"; }));
    EXPECT_FALSE(dialog.Timer1->isActive());
}
