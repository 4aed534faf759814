// The "Configuration" dialog: each check box mirrors its workspace flag,
// however the dialog is closed, and the flag does what it says at the
// simulated writer.
#include "LinkedWriter.h"
#include "RecordingNotifier.h"
#include "WriterBox.h"
#include "GuiWait.h"
#include "app/OptionModel.h"
#include "app/forms/MainForm.h"
#include "editors/forms/ConfigForm.h"
#include "link/forms/ProgramVerifyForm.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ConfigFormTest : public ::testing::Test {
protected:
    RecordingNotifier Notes;
    TMainForm Form{&Notes};

    void SetUp() override { Form.show(); }

    // Opens "Configuration", runs `inside` on the dialog, and closes it with
    // Exit or with the close box.
    void InConfigDialog(const std::function<void(TfmConfig&)>& inside, bool closeBox)
    {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            if (!WaitUntil([] { return fmConfig && fmConfig->isVisible(); }, 5000)) return;
            inside(*fmConfig);
            ran = true;
            if (closeBox)
                fmConfig->close();
            else
                QTest::mouseClick(fmConfig->btExit, Qt::LeftButton);
        });
        Form.Action("Config1")->trigger();
        EXPECT_TRUE(ran);
        EXPECT_EQ(fmConfig, nullptr);
    }
};

}  // namespace

TEST_F(ConfigFormTest, EachCheckBoxShowsAndSetsItsFlagWhicheverWayTheDialogCloses)
{
    const struct {
        const char* Box;
        bool Workspace::*Flag;
    } boxes[] = {
        {"cbKeepOption", &Workspace::KeepOption},   {"cbWriteEEinAuto", &Workspace::WriteEEinAuto},
        {"cbBypassIcCheck", &Workspace::BypassIcCheck}, {"cbSaveEEData", &Workspace::SaveEEData},
        {"cbWithHandler", &Workspace::WithHandler}, {"cbLPVerify", &Workspace::LowPowerVerify},
    };
    Workspace& ws = Form.GetWorkspace();
    for (bool closeBox : {false, true}) {
        for (const auto& b : boxes) {
            SCOPED_TRACE(b.Box);
            const bool before = ws.*b.Flag;
            InConfigDialog(
                [&](TfmConfig& dialog) {
                    QCheckBox* box = dialog.CheckBox(b.Box);
                    ASSERT_NE(box, nullptr);
                    EXPECT_EQ(box->isChecked(), before);
                    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
                },
                closeBox);
            EXPECT_EQ(ws.*b.Flag, !before);
        }
    }
}

TEST_F(ConfigFormTest, AutoProgramWithoutTheEepromBoxSendsNoEepromStream)
{
    WriterBox box;
    ASSERT_TRUE(box.Start());
    ASSERT_TRUE(box.LinkAs(LinkedWriter::PortsFolder() + "/COM1"));
    Workspace& ws = Form.GetWorkspace();
    ASSERT_TRUE(ws.WriteEEinAuto);
    InConfigDialog([](TfmConfig& dialog) { dialog.CheckBox("cbWriteEEinAuto")->click(); }, false);
    ASSERT_FALSE(ws.WriteEEinAuto);

    for (uint32_t k = 0; 2 * k < ws.RomBytes; ++k) ws.ProgramMemory[2 * k] = uint8_t(k & 0x7F);
    ws.OptionWords[0] = 0x26;   // every option item set to a choice
    ws.OptionWords[1] = 0x55;
    UpdateOption(ws);
    bool ended = false;
    QTimer::singleShot(0, [&] {
        if (!WaitUntil([] { return fmProgramVerify && fmProgramVerify->btContinue->isEnabled(); })) return;
        ended = true;
        QTest::mouseClick(fmProgramVerify->btExit, Qt::LeftButton);
    });
    Form.AutoProgram1Click();
    ASSERT_TRUE(ended) << Notes.LastText();

    int programHeaders = 0, eepromHeaders = 0;
    for (const RecordedRequest& r : box.Requests()) {
        if (r.Name != "command header" || r.Bytes.size() != 10) continue;
        programHeaders += (r.Bytes[5] & 0x1F) == 0;
        eepromHeaders += (r.Bytes[5] & 0x1F) == 3;
    }
    EXPECT_GT(programHeaders, 0);
    EXPECT_EQ(eepromHeaders, 0);
}
