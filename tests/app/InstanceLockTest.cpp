// Instance numbers held by lock files, across processes.
#include "app/InstanceLock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Another running instance: a child process that takes its number, reports
// it and holds it until told to quit or killed.
class ChildInstance {
public:
    explicit ChildInstance(const std::string& directory) {
        int report[2];
        int hold[2];
        if (::pipe(report) != 0 || ::pipe(hold) != 0) {
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(report[0]);
            ::close(hold[1]);
            InstanceLock lock(directory);
            const int number = lock.number();
            (void)!::write(report[1], &number, sizeof number);
            char byte = 0;
            (void)!::read(hold[0], &byte, 1); // returns when the parent closes it
            ::_exit(0);
        }
        ::close(report[1]);
        ::close(hold[0]);
        m_hold = hold[1];
        if (m_pid < 0 || ::read(report[0], &m_number, sizeof m_number) != sizeof m_number) {
            m_number = -1;
        }
        ::close(report[0]);
    }
    ~ChildInstance() { quit(); }
    ChildInstance(const ChildInstance&) = delete;
    ChildInstance& operator=(const ChildInstance&) = delete;

    int number() const { return m_number; }
    void kill() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            reap();
        }
    }
    void quit() {
        if (m_hold >= 0) {
            ::close(m_hold);
            m_hold = -1;
        }
        reap();
    }

private:
    void reap() {
        if (m_pid > 0) {
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }
    pid_t m_pid = -1;
    int m_hold = -1;
    int m_number = -1;
};

class InstanceLockTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    std::string dir() const { return m_dir.path().toStdString(); }
};

TEST_F(InstanceLockTest, ThirdInstanceGetsThreeWhileTwoHoldTheirs) {
    ChildInstance first(dir());
    ChildInstance second(dir());
    ASSERT_EQ(first.number(), 1);
    ASSERT_EQ(second.number(), 2);

    InstanceLock third(dir());
    EXPECT_EQ(third.number(), 3);
    EXPECT_TRUE(third.isHeld());
}

TEST_F(InstanceLockTest, KilledInstanceFreesItsNumber) {
    ChildInstance first(dir());
    ChildInstance second(dir());
    ASSERT_EQ(second.number(), 2);

    first.kill();

    InstanceLock next(dir());
    EXPECT_EQ(next.number(), 1);
    ChildInstance after(dir());
    EXPECT_EQ(after.number(), 3);
}

TEST_F(InstanceLockTest, DestroyedLockFreesItsNumberInTheSameProcess) {
    // Separate opens of the same file conflict even within one process.
    auto lock = std::make_unique<InstanceLock>(dir());
    ASSERT_EQ(lock->number(), 1);
    InstanceLock other(dir());
    EXPECT_EQ(other.number(), 2);
    lock.reset();
    EXPECT_EQ(InstanceLock(dir()).number(), 1);
}

TEST_F(InstanceLockTest, UnusableDirectoryRunsUnreserved) {
    InstanceLock lock(dir() + "/missing/dir");
    EXPECT_EQ(lock.number(), 1);
    EXPECT_FALSE(lock.isHeld());
}

} // namespace
