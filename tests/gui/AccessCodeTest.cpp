#include "GuiTest.h"
#include "editors/forms/PasswordForm.h"

namespace {

class AccessCodeTest : public ::testing::Test {
protected:
    RecordingNotifier Notes;
    TMainForm Form{&Notes};
    int Asked = 0;

    void SetUp() override { ASSERT_TRUE(ShowChecked(Form)); }

    // Double-clicks "Serial Port :"; when the password dialog comes, types
    // `code` into it and leaves it with OK (or with its close box).
    void DoubleClickAndType(const QString& code, bool closeBox = false)
    {
        QTimer::singleShot(0, [this, code, closeBox] {
            if (!WaitUntil([] { return PasswordForm && PasswordForm->isVisible(); }, 5000)) return;
            ++Asked;
            QTest::keyClicks(PasswordForm->MaskEdit1, code);
            if (closeBox)
                PasswordForm->close();
            else
                QTest::mouseClick(PasswordForm->btnOK, Qt::LeftButton);
        });
        QTest::mouseDClick(Ctl<QLabel>(Form, "Label3"), Qt::LeftButton);
        QApplication::processEvents();
    }
    bool Shown(const char* action) const { return Form.Action(QString::fromLatin1(action))->isVisible(); }
    bool PanelShown() const { return !Ctl<QFrame>(Form, "Panel2")->isHidden(); }
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Runs "Write data without check" to its end and returns the timing
    // byte of the over-write header the writer received.
    int OverWritePulseByte(WriterBox& box)
    {
        box.ClearRequests();
        RunToEnd([this] { Form.Action("ForceWrite")->trigger(); });
        const auto header = OverWriteHeader(box);
        return header ? header->Bytes[7] : -1;
    }
};

}  // namespace

TEST_F(AccessCodeTest, EachCodeRevealsExactlyItsControlsAndADoubleClickHidesThem)
{
    const struct {
        QString Typed;
        bool CloseBox;
        bool Buttons;
        bool Panel;
    } cases[] = {
        {"qen1987", false, true, false},
        {"mxqrt5", true, true, true},   // the close box ends the dialog like OK
        {"nothing", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed.toStdString());
        Asked = 0;
        DoubleClickAndType(c.Typed, c.CloseBox);
        EXPECT_EQ(Asked, 1);
        EXPECT_EQ(Shown("ForceWrite"), c.Buttons);
        EXPECT_EQ(Shown("tbOption2"), c.Buttons);
        EXPECT_EQ(PanelShown(), c.Panel);
        if (!c.Buttons) continue;
        // The next double-click hides everything without asking.
        Asked = 0;
        QTest::mouseDClick(Ctl<QLabel>(Form, "Label3"), Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(Asked, 0);
        EXPECT_FALSE(Shown("ForceWrite") || Shown("tbOption2") || PanelShown());
    }
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
}

TEST_F(AccessCodeTest, SwitchesNameTheirNextActionAndQtpSimNeedsSerialMode)
{
    DoubleClickAndType("MXQRT5");
    ASSERT_TRUE(PanelShown());
    Workspace& ws = Form.GetWorkspace();
    QTest::mouseClick(Ctl<QPushButton>(Form, "QtpSim"), Qt::LeftButton);
    EXPECT_FALSE(ws.QtpSimulate);
    EXPECT_EQ(Ctl<QPushButton>(Form, "QtpSim")->text(), "Enable");
    ws.SerialModeOn = true;
    const struct {
        QPushButton* Button;
        bool Workspace::*Flag;
    } switches[] = {{Ctl<QPushButton>(Form, "QtpSim"), &Workspace::QtpSimulate},
                    {Ctl<QPushButton>(Form, "FlashPgmTest"), &Workspace::FlashPgmTestOn},
                    {Ctl<QPushButton>(Form, "btShowTime"), &Workspace::ShowProgramTime}};
    for (const auto& s : switches) {
        QTest::mouseClick(s.Button, Qt::LeftButton);
        EXPECT_TRUE(ws.*s.Flag) << s.Button->objectName().toStdString();
        EXPECT_EQ(s.Button->text(), "Disable");
        QTest::mouseClick(s.Button, Qt::LeftButton);
        EXPECT_FALSE(ws.*s.Flag);
        EXPECT_EQ(s.Button->text(), "Enable");
    }
}

TEST_F(AccessCodeTest, PulseWidthReachesTheOverWriteHeaderAndANegativeWidthNever)
{
    WriterBox box;
    ASSERT_TRUE(ServeAsCom1(box));
    DoubleClickAndType("MXQRT5");
    ASSERT_TRUE(PanelShown());

    Type(Ctl<QLineEdit>(Form, "PulseWidth"), "10");
    EXPECT_EQ(OverWritePulseByte(box), 0x14);

    Type(Ctl<QLineEdit>(Form, "PulseWidth"), "-5");
    EXPECT_EQ(Ctl<QLineEdit>(Form, "PulseWidth")->text(), "5") << "the sign is not taken";
    EXPECT_EQ(OverWritePulseByte(box), 0x0A);

    // With the panel hidden the header uses its own timing.
    QTest::mouseDClick(Ctl<QLabel>(Form, "Label3"), Qt::LeftButton);
    Form.Action("ForceWrite")->setVisible(true);
    EXPECT_EQ(OverWritePulseByte(box), 5);
    EXPECT_TRUE(Notes.Prompts.empty()) << Notes.LastText();
}
