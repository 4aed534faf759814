#include "GuiTest.h"
#include "files/FileNames.h"
#include "platform/ConfigFolder.h"
#include <filesystem>

namespace {

// COMn of the ports folder leads to target while this lives.
struct PortLink : std::filesystem::path {
    PortLink(int n, const std::string& target) : path(LinkedWriter::PortsFolder() + "/COM" + std::to_string(n))
    {
        std::filesystem::remove(*this), std::filesystem::create_symlink(target, *this);
    }
    ~PortLink() { std::filesystem::remove(*this); }
};

// The longest the GUI thread may stand still; the sanitiser trees run several times slower.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr qint64 kLongestStill = 250;
#else
constexpr qint64 kLongestStill = 100;
#endif

}  // namespace

// The exchanges the main window runs itself, with a writer that never
// answers: the window turns through the whole time-out (no gap between the
// ticks of a 20 ms timer reaches kLongestStill), busy, with the commands
// that use the line disabled, and the message comes after the time-out.
TEST(MainWindowWriter, WindowKeepsTurningWhileASilentWriterTimesOut)
{
    const std::pair<std::function<void(TMainForm&)>, std::string> rows[] = {
        {[](TMainForm& f) { f.show(); }, "Connect COM1 Timeout!!"},
        {[](TMainForm& f) { Ctl<QComboBox>(f, "ComboBox1")->setCurrentText("Com2"); }, "Connect COM2 Timeout!!"},
        {[](TMainForm& f) { f.Action("ReadSerialSet1")->trigger(); }, "Connet Time out!"},
    };
    for (const auto& [start, message] : rows) {
        SCOPED_TRACE(message);
        WriterBox box;
        ASSERT_TRUE(ServeAsCom1(box));
        const PortLink com2(2, box.SlavePath());
        RecordingNotifier notes;
        TMainForm form{&notes};
        form.LinkTimeouts.TimeoutHundredths = 50;
        ASSERT_TRUE(&start == &rows[0].first || ShowChecked(form));   // the other two need the window up
        box.SetFaults({.SilentFromByte = 0});
        QElapsedTimer clock;
        qint64 last = 0, widest = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { widest = std::max(widest, clock.elapsed() - last), last = clock.elapsed(); });
        tick.start(20), clock.start();
        start(form);
        if (&start == &rows[0].first) last = clock.elapsed();   // the first show builds its windows before it returns
        EXPECT_TRUE(notes.Prompts.empty());
        EXPECT_EQ(form.cursor().shape(), Qt::BusyCursor);
        EXPECT_FALSE(form.Action("AutoProgramAction")->isEnabled());
        ASSERT_TRUE(WaitUntil([&] { return !notes.Prompts.empty(); }));
        EXPECT_GE(clock.elapsed(), 500);
        EXPECT_LT(std::max(widest, clock.elapsed() - last), kLongestStill);   // up to the message
        EXPECT_EQ(notes.Texts(), std::vector<std::string>{message});
        ASSERT_TRUE(WriterIdle(form));
        EXPECT_EQ(form.GetWorkspace().LinkFailed, message.starts_with("Connect"));
        // The window is up all the same, with the first device's blank status.
        EXPECT_EQ(form.windowTitle(), "Writer V15");
        EXPECT_EQ(Ctl<QLabel>(form, "Label11")->text(), "F800");   // 1024 blank words of the 7-bit layout
        EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
        EXPECT_TRUE(form.Action("AutoProgramAction")->isEnabled());
    }
}

TEST(MainWindowWriter, PortChangesReportOnlyTheLastPortAndCloseEndsACheckAtOnce)
{
    RecordingNotifier notes;
    TMainForm form{&notes};
    ASSERT_TRUE(ShowChecked(form));
    EXPECT_TRUE(notes.Prompts.empty()) << "a writer that answers the first show is not announced";
    QComboBox* ports = Ctl<QComboBox>(form, "ComboBox1");
    QSignalSpy portChanges(ports, &QComboBox::currentIndexChanged);

    // COM2 is a link to nothing: the port cannot be opened.
    const PortLink com2(2, "/nonexistent/krv-port");
    ports->setCurrentText("Com2");
    ASSERT_TRUE(WriterIdle(form));
    EXPECT_EQ(notes.LastText(), "Open  COM2 Port Error!!\n/nonexistent/krv-port: No such file or directory");
    EXPECT_TRUE(form.GetWorkspace().LinkFailed);

    // COM3's writer never answers; back to COM1 during its check.
    WriterBox silent;
    ASSERT_TRUE(silent.Start());
    silent.SetFaults({.SilentFromByte = 0});
    const PortLink com3(3, silent.SlavePath());
    notes.Clear();
    form.LinkTimeouts.TimeoutHundredths = 50;
    ports->setCurrentText("Com3");
    ports->setCurrentText("Com1");
    ASSERT_TRUE(WriterIdle(form));
    EXPECT_EQ(notes.Texts(), std::vector<std::string>{"Connect OK!"});
    EXPECT_FALSE(form.GetWorkspace().LinkFailed);
    EXPECT_EQ(portChanges.count(), 3);

    // Closing during a check of 5 s ends it at once and writes Default.cfg.
    form.LinkTimeouts.TimeoutHundredths = 500;
    QElapsedTimer clock;
    clock.start();
    ports->setCurrentText("Com3");
    const QString config = QString::fromStdString(DefaultConfigPath(UserConfigFolder()));
    QFile::remove(config);
    form.close();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(QFile::exists(config));
    EXPECT_EQ(notes.Texts(), std::vector<std::string>{"Connect OK!"});
}
