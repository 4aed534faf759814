// Helpers of the GUI tests that drive a modal dialog from inside its own
// loop and run automatic programs against the simulated writer.
#pragma once

#include "LinkedWriter.h"
#include "RecordingNotifier.h"
#include "WriterBox.h"
#include "app/forms/MainForm.h"
#include "link/forms/ProgramVerifyForm.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace dialogs {

// Polls until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 15000); }

// Triggers the command and, once its dialog (the form's global pointer) is
// on screen and active, runs `drive` on it inside the dialog's modal loop.
template <class Dialog>
bool Drive(QAction* command, Dialog* const& dialog, const std::function<void(Dialog&)>& drive)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        if (!WaitFor([&] { return dialog && dialog->isVisible(); })) return;
        QApplication::setActiveWindow(dialog);
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        drive(*dialog);
        ran = true;
    });
    command->trigger();
    return ran;
}

// Replaces a field's text as the user types it, keys through its filter.
inline void Type(QLineEdit* field, const char* text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, QString::fromLatin1(text));
}

// Runs the command's chip operation through the progress dialog: `atChip`
// sees each finished chip, "Continue" programs the next, "Exit" closes.
inline void RunChips(QAction* command, int chips, const std::function<void(int)>& atChip = {})
{
    QTimer::singleShot(0, [&] {
        for (int i = 0; i < chips; ++i) {
            if (!WaitFor([] { return fmProgramVerify && fmProgramVerify->btExit->isEnabled(); })) {
                ADD_FAILURE() << "the run did not end";
                return;
            }
            if (atChip) atChip(i);
            if (i + 1 < chips) QTest::mouseClick(fmProgramVerify->btContinue, Qt::LeftButton);
        }
        QTest::mouseClick(fmProgramVerify->btExit, Qt::LeftButton);
    });
    command->trigger();
}

// A shown main window on its own simulated writer, with a program whose
// reset vector is set.
class WriterFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Box.Start());
        ASSERT_TRUE(Box.LinkAs(LinkedWriter::PortsFolder() + "/COM1"));
        Form.show();
        for (uint32_t k = 0; 2 * k < Ws().RomBytes; ++k) {
            Ws().ProgramMemory[2 * k] = uint8_t((k * 3 + 1) & 0x7F);
            Ws().ProgramMemory[2 * k + 1] = uint8_t((k >> 2) & 0x7F);
        }
    }
    Workspace& Ws() { return Form.GetWorkspace(); }

    WriterBox Box;
    RecordingNotifier Notes;
    TMainForm Form{&Notes};
};

}  // namespace dialogs
