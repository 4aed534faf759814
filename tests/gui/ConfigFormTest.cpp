#include "GuiTest.h"
#include "editors/forms/ConfigForm.h"

namespace {

class ConfigFormTest : public ::testing::Test {
protected:
    RecordingNotifier Notes;
    TMainForm Form{&Notes};

    void SetUp() override { ASSERT_TRUE(ShowChecked(Form)); }

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
    ASSERT_TRUE(ServeAsCom1(box));
    Workspace& ws = Form.GetWorkspace();
    InConfigDialog([](TfmConfig& dialog) { dialog.CheckBox("cbWriteEEinAuto")->click(); }, false);
    ASSERT_FALSE(ws.WriteEEinAuto);

    SetProgrammableData(ws);
    ASSERT_EQ(RunToEnd([this] { Form.AutoProgram1Click(); }), "Data program & verify OK") << Notes.LastText();

    int programHeaders = 0, eepromHeaders = 0;
    for (const RecordedRequest& r : box.Requests()) {
        if (r.Name != "command header" || r.Bytes.size() != 10) continue;
        programHeaders += (r.Bytes[5] & 0x1F) == 0;
        eepromHeaders += (r.Bytes[5] & 0x1F) == 3;
    }
    EXPECT_GT(programHeaders, 0);
    EXPECT_EQ(eepromHeaders, 0);
}
