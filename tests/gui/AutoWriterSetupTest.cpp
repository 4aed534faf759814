// The engineering panel's "Auto Writer Setup" arms a repetition that runs a
// blank check again and again through the progress dialog.
#include "LinkedWriter.h"
#include "RecordingNotifier.h"
#include "WriterBox.h"
#include "app/forms/MainForm.h"
#include "link/forms/AutoWriterSetupForm.h"
#include "link/forms/ProgramVerifyForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QPushButton* PanelButton(TMainForm& form, const QString& caption)
{
    for (QPushButton* b : form.Panel2->findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

// Arms the repetition through the setup dialog that the panel button opens.
void ArmThroughPanel(TMainForm& form, const QString& count, const QString& delay)
{
    QPushButton* button = PanelButton(form, "Auto Writer Setup");
    ASSERT_TRUE(button);
    QTimer::singleShot(0, [&] {
        auto* setup = qobject_cast<TAutoWriterSetupForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(setup);
        EXPECT_EQ(setup->windowTitle(), "Auto Writer Setup");
        setup->Edit1->setText(count);
        setup->Edit2->setText(delay);
        QTest::mouseClick(setup->Button1, Qt::LeftButton);
    });
    button->click();
}

struct Bench {
    Bench()
    {
        Box.Start();
        Box.LinkAs(LinkedWriter::PortsFolder() + "/COM1");
        Form.show();
        Box.ClearRequests();
    }
    int Runs() const
    {
        const auto names = Box.RequestNames();
        return int(std::count(names.begin(), names.end(), "writer-type query"));
    }
    WriterBox Box;
    RecordingNotifier Notes;
    TMainForm Form{&Notes};
};

}  // namespace

TEST(AutoWriterSetup, CountThreeRunsThreeBlankChecksThenEnds)
{
    Bench b;
    ArmThroughPanel(b.Form, "3", "0");
    const Workspace& ws = b.Form.GetWorkspace();
    EXPECT_TRUE(ws.AutoWriterOn);
    EXPECT_EQ(ws.AutoWriterCount, 3u);

    QString end;
    bool stopShown = false;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(fmProgramVerify);
        stopShown = fmProgramVerify->AwsBT->isVisible();
        QTRY_VERIFY_WITH_TIMEOUT(fmProgramVerify->Label(ProgressLabel::TotalTime)->text() == "AutoWriter End", 20000);
        end = fmProgramVerify->Label(ProgressLabel::TotalTime)->text();
        QTest::mouseClick(fmProgramVerify->btExit, Qt::LeftButton);
    });
    b.Form.BlankCheckActionExecute();
    EXPECT_TRUE(stopShown);
    EXPECT_EQ(end, "AutoWriter End");
    EXPECT_EQ(b.Runs(), 3);
    b.Form.close();
}

TEST(AutoWriterSetup, StopEndsTheRepetitionAfterTheCurrentRun)
{
    Bench b;
    ArmThroughPanel(b.Form, "0", "300");
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(fmProgramVerify && fmProgramVerify->AwsBT->isVisible());
        QTest::mouseClick(fmProgramVerify->AwsBT, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(fmProgramVerify->Label(ProgressLabel::TotalTime)->text() == "AutoWriter End", 20000);
        QTest::mouseClick(fmProgramVerify->btExit, Qt::LeftButton);
    });
    b.Form.BlankCheckActionExecute();
    EXPECT_EQ(b.Runs(), 1);
    b.Form.close();
}
