#include "platform/InstanceLock.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

TEST(InstanceLock, LockFileLeftByAKilledCopyDoesNotBlock)
{
    TempDir dir;
    const std::string path = dir.File("stale.lock");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        InstanceLock lock(path);
        const char c = lock.Acquired() ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        ::pause();   // holds the lock until killed
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    EXPECT_FALSE(InstanceLock(path).Acquired());   // the other copy is alive: it blocks
    ::kill(pid, SIGKILL);                          // dies without any clean-up
    ::waitpid(pid, nullptr, 0);
    ASSERT_TRUE(std::filesystem::exists(path));    // the file stays behind
    EXPECT_TRUE(InstanceLock(path).Acquired());
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_FALSE(InstanceLock("/nonexistent-dir/krv.lock").Acquired()) << "an unusable lock file counts as refused";
}
