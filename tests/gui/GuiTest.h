// What the GUI tests share: the widgets, waiting for a state with the event
// loop running, a program an auto program runs through, a progress dialog
// run to its end, a modal dialog driven from inside its own loop, and a
// shown main window on its own simulated writer.
#pragma once

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "LinkedWriter.h"
#include "RecordingNotifier.h"
#include "WriterBox.h"
#include "workspace/OptionModel.h"
#include "app/forms/MainForm.h"
#include "editors/forms/FillBufferForm.h"
#include "files/forms/FileForms.h"
#include "link/forms/ProgramVerifyForm.h"

// A control of the main window by its name: the status panel's and the tool
// bar's before any child window's of the same name.
template <class W>
W* Ctl(const QWidget& window, const char* name)
{
    const QString objectName = QString::fromLatin1(name);
    for (const char* area : {"Panel1", "ToolBar2"})
        if (const QWidget* part = window.findChild<QWidget*>(QString::fromLatin1(area)))
            if (W* found = part->findChild<W*>(objectName)) return found;
    return window.findChild<W*>(objectName);
}

// The status panel's caption and value of option item i (0..12; 5 is the security item).
inline QLabel* OptionCaption(const QWidget& window, int i)
{
    return Ctl<QLabel>(window, i == 5 ? "stSecurity" : qPrintable(QStringLiteral("stOption%1").arg(i + 1)));
}
inline QLabel* OptionValue(const QWidget& window, int i)
{
    return Ctl<QLabel>(window, i == 5 ? "lbSecurity" : qPrintable(QStringLiteral("lbOption%1").arg(i + 1)));
}

inline bool WaitUntil(const std::function<bool()>& condition, int ms = 15000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}

// Starts the box and makes it the writer on COM1 (the test main's writer
// takes COM1 back before the next test).
inline bool ServeAsCom1(WriterBox& box) { return box.Start() && box.LinkAs(LinkedWriter::PortsFolder() + "/COM1"); }

// The main window's writer check, or another exchange of its own, has ended.
inline bool WriterIdle(const TMainForm& form) { return WaitUntil([&form] { return !form.WriterBusy(); }); }

// Shows the main window and waits for the end of its writer check.
inline bool ShowChecked(TMainForm& form) { return form.show(), WriterIdle(form); }

// Shows the window and waits until it is the active one (and a main
// window's writer check has ended).
inline bool ShowActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    const auto* main = qobject_cast<TMainForm*>(&window);
    return QTest::qWaitForWindowActive(&window) && (!main || WriterIdle(*main));
}

// Words that differ from each other and every option item set to a choice
// (or left blank).
inline void SetProgrammableData(Workspace& ws, bool options = true)
{
    for (uint32_t k = 0; 2 * k < ws.RomBytes; ++k) ws.ProgramMemory[2 * k] = uint8_t((k * 3 + 1) & 0x7F);
    if (options) ws.OptionWords[0] = 0x26, ws.OptionWords[1] = 0x55;
    UpdateOption(ws);
}

// Runs `start`, a command that opens the progress dialog, and leaves the
// dialog with Exit once the run has ended. Returns the data line shown then
// (empty when the run never ended).
inline QString RunToEnd(const std::function<void()>& start)
{
    QString data;
    QTimer::singleShot(0, [&] {
        if (!WaitUntil([] { return fmProgramVerify && fmProgramVerify->btExit->isEnabled(); })) return;
        data = fmProgramVerify->Label(ProgressLabel::Data)->text();
        QTest::mouseClick(fmProgramVerify->btExit, Qt::LeftButton);
    });
    start();
    return data;
}

// Triggers the command and, once its dialog (the form's global pointer) is
// on screen and active, runs `drive` on it inside the dialog's modal loop.
template <class Dialog>
bool Drive(QAction* command, Dialog* const& dialog, const std::function<void(Dialog&)>& drive)
{
    bool ran = false;
    QTimer poll;   // ticks in whatever loop runs: the dialog's own, or the wait below
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!dialog || !dialog->isVisible()) return;
        poll.stop();
        QApplication::setActiveWindow(dialog);
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        drive(*dialog);
        ran = true;
    });
    poll.start(10);
    command->trigger();
    WaitUntil([&] { return ran; });   // a command with an exchange off the GUI thread returns first
    return ran;
}

// Runs `work` on the dialog of type D once it is the modal window (for
// dialogs that no global pointer tracks); sets `done` after it.
template <typename D>
void WhenModal(std::function<void(D*)> work, bool* done)
{
    QTimer::singleShot(0, [work, done] {
        ASSERT_TRUE(WaitUntil([] { return qobject_cast<D*>(QApplication::activeModalWidget()) != nullptr; }));
        work(qobject_cast<D*>(QApplication::activeModalWidget()));
        *done = true;
    });
}

// Confirms the fill dialog with start, end and value (hex texts) once it is
// the modal window; `check` sees the workspace it opened on first.
inline void FillWhenAsked(const char* start, const char* end, const char* value, bool* done,
                          std::function<void(TFillBufferForm*)> check = {})
{
    WhenModal<TFillBufferForm>([=](TFillBufferForm* d) {
        if (check) check(d);
        d->Edit1->setText(QString::fromLatin1(start));
        d->Edit2->setText(QString::fromLatin1(end));
        d->Edit3->setText(QString::fromLatin1(value));
        d->BitBtn1->click();
    }, done);
}

// Replaces a field's text as the user types it, keys through its filter.
inline void Type(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Runs the command's chip operation through the progress dialog: `atChip`
// sees each finished chip, "Continue" programs the next, "Exit" closes.
inline void RunChips(QAction* command, int chips, const std::function<void(int)>& atChip = {})
{
    QTimer::singleShot(0, [&] {
        for (int i = 0; i < chips; ++i) {
            if (!WaitUntil([] { return fmProgramVerify && fmProgramVerify->btExit->isEnabled(); })) {
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
        ASSERT_TRUE(ServeAsCom1(Box));
        ASSERT_TRUE(ShowChecked(Form));
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

// The first over-write command header the writer received, if any.
inline std::optional<RecordedRequest> OverWriteHeader(const WriterBox& box)
{
    for (const RecordedRequest& r : box.Requests())
        if (r.Name == "command header" && r.Bytes.size() == 10 && (r.Bytes[9] & 0xBF) == 0xA7) return r;
    return std::nullopt;
}

// The engineering panel's button with this caption.
inline QPushButton* PanelButton(const TMainForm& form, const QString& caption)
{
    for (QPushButton* b : Ctl<QFrame>(form, "Panel2")->findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

// Answers the file dialogs while it lives: records each request and gives
// Path (empty: cancelled) with FilterIndex (0: the one the request proposed).
struct ScriptedFileDialogs {
    std::vector<file_forms::FileDialogRequest> Requests;
    QString Path;
    int FilterIndex = 0;
    ScriptedFileDialogs()
    {
        file_forms::SetFileDialogRunner([this](const file_forms::FileDialogRequest& r) {
            Requests.push_back(r);
            return file_forms::FileDialogChoice{Path, FilterIndex ? FilterIndex : r.FilterIndex};
        });
    }
    ~ScriptedFileDialogs() { file_forms::SetFileDialogRunner({}); }
};
