#include "platform/InstanceLock.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs a child process that tries the lock and exits with 0 when it got it,
// 1 when it was refused.
int ChildTriesLock(const std::string& path)
{
    pid_t pid = ::fork();
    if (pid == 0) {
        InstanceLock lock(path);
        ::_exit(lock.Acquired() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(InstanceLock, LockFileLeftByAKilledCopyDoesNotBlock)
{
    TempDir dir;
    const std::string path = dir.File("stale.lock");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t pid = ::fork();
    if (pid == 0) {
        InstanceLock lock(path);
        char c = lock.Acquired() ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        ::pause();   // holds the lock until killed
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    EXPECT_EQ(ChildTriesLock(path), 1);        // alive: it blocks
    ::kill(pid, SIGKILL);                      // dies without any clean-up
    ::waitpid(pid, nullptr, 0);
    ASSERT_TRUE(std::filesystem::exists(path)); // the file stays behind
    InstanceLock next(path);
    EXPECT_TRUE(next.Acquired());
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(InstanceLock, UnusableLockFileCountsAsRefused)
{
    InstanceLock lock("/nonexistent-dir/krv.lock");
    EXPECT_FALSE(lock.Acquired());
}

