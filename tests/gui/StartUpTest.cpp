#include "GuiTest.h"
#include "app/forms/StartUp.h"
#include "platform/InstanceLock.h"
#include <cstdio>
#include <unistd.h>

namespace {

struct StartUpTest : ::testing::Test {
    const std::string Path = "/tmp/krv-startup-test-" + std::to_string(::getpid()) + ".lock";
    RecordingNotifier Notes;
    int Run() { return RunWriter(*qobject_cast<QApplication*>(QCoreApplication::instance()), Path, Notes); }
    ~StartUpTest() override { std::remove(Path.c_str()); }
};

} // namespace

TEST_F(StartUpTest, SecondCopyShowsProcessIsRunningAndCreatesNoWindow)
{
    const InstanceLock firstCopy(Path);
    ASSERT_TRUE(firstCopy.Acquired());
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(Notes.Prompts.size(), 1u);
    EXPECT_EQ(Notes.Prompts[0].Text, "Process is running!");
    EXPECT_FALSE(Notes.Prompts[0].IsQuestion);
    EXPECT_EQ(MainForm, nullptr);
}

TEST_F(StartUpTest, FirstCopyRunsTheMaximisedMainWindowUntilItCloses)
{
    bool maximised = false;
    QTimer::singleShot(100, [&] {
        ASSERT_NE(MainForm, nullptr);
        maximised = MainForm->windowState().testFlag(Qt::WindowMaximized);
        EXPECT_FALSE(InstanceLock(Path).Acquired());   // taken while this copy runs
        MainForm->Action("FileExit1")->trigger();
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(maximised);
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_TRUE(Notes.Prompts.empty());
    EXPECT_TRUE(InstanceLock(Path).Acquired());
}
