// One running copy per user: the first start takes an exclusive lock on a
// file, a second start finds it taken. The lock belongs to the open file
// description, so the system drops it when the holder ends in any way,
// a crash included; a lock file left behind by a dead copy never blocks.
#pragma once

#include <string>

class InstanceLock {
public:
    // Tries to take the lock on the given file (created when missing).
    explicit InstanceLock(std::string path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this object holds the lock; false when another process
    // holds it or the file could not be opened.
    bool Acquired() const { return Fd >= 0; }
    const std::string& Path() const { return LockPath; }

    // The per-user lock file: $XDG_RUNTIME_DIR/krv-writer.lock when that
    // directory exists, else /tmp/krv-writer-<uid>.lock.
    static std::string DefaultPath();

private:
    std::string LockPath;
    int Fd = -1;
};
