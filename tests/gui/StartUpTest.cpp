#include "app/forms/MainForm.h"
#include "app/forms/StartUp.h"
#include "platform/InstanceLock.h"
#include "RecordingNotifier.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string TestLockPath()
{
    return "/tmp/krv-startup-test-" + std::to_string(::getpid()) + ".lock";
}

} // namespace

TEST(StartUpTest, SecondCopyShowsProcessIsRunningAndCreatesNoWindow)
{
    const std::string path = TestLockPath();
    const InstanceLock firstCopy(path);
    ASSERT_TRUE(firstCopy.Acquired());
    RecordingNotifier notes;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    EXPECT_EQ(RunWriter(*app, path, notes), 0);
    ASSERT_EQ(notes.Prompts.size(), 1u);
    EXPECT_EQ(notes.Prompts[0].Text, "Process is running!");
    EXPECT_FALSE(notes.Prompts[0].IsQuestion);
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_TRUE(firstCopy.Acquired());
    std::remove(path.c_str());
}

TEST(StartUpTest, FirstCopyRunsTheMainWindowUntilItCloses)
{
    const std::string path = TestLockPath();
    RecordingNotifier notes;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    QString title;
    bool maximisedRequest = false;
    QTimer::singleShot(100, [&] {
        ASSERT_NE(MainForm, nullptr);
        title = MainForm->windowTitle();
        maximisedRequest = MainForm->windowState().testFlag(Qt::WindowMaximized);
        // While this copy runs, the lock is taken.
        EXPECT_FALSE(InstanceLock(path).Acquired());
        MainForm->Action("FileExit1")->trigger();
    });
    EXPECT_EQ(RunWriter(*app, path, notes), 0);
    EXPECT_EQ(title, "Writer V15");
    EXPECT_TRUE(maximisedRequest);
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_TRUE(notes.Prompts.empty());
    EXPECT_TRUE(InstanceLock(path).Acquired());
    std::remove(path.c_str());
}
