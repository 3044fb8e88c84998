#pragma once
// Numbers this running instance: the lowest n whose lock file
// "Vantora_instance_counter<n>" nobody holds is locked with flock and kept
// until destruction. The kernel drops the lock when the process dies, so a
// crashed instance's number is free again.
#include <string>

class InstanceLock {
public:
    // Lock files in the per-user runtime directory.
    InstanceLock();
    // Lock files in the given directory (tests).
    explicit InstanceLock(const std::string& directory);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // The instance number, from 1.
    int number() const { return m_number; }
    // Whether the number is reserved by a held lock. False only when the lock
    // directory is unusable; the instance then runs with the number it found.
    bool isHeld() const { return m_fd >= 0; }

    // $XDG_RUNTIME_DIR, else a per-user directory in the temporary one.
    static std::string defaultDirectory();

private:
    int m_number = 0;
    int m_fd = -1;
};
