#include "app/SingleInstance.h"

#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using State = CSingleInstanceGuard::State;

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("vistrel-instance-" + std::to_string(getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        m_lock = (m_folder / "Vistrel_ONEINSTANCE_MUTEX").string();
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
    std::string m_lock;
};

// Reads one byte from `fd`, waiting at most five seconds; -1 when none came.
int ReadByte(int fd) {
    pollfd ready{fd, POLLIN, 0};
    unsigned char byte = 0;
    if (poll(&ready, 1, 5000) != 1 || read(fd, &byte, 1) != 1) {
        return -1;
    }
    return byte;
}

} // namespace

TEST(SingleInstanceLockPath, LivesInTheRuntimeFolderElseInTmpByUser) {
    const std::string perUser = "/tmp/Vistrel_ONEINSTANCE_MUTEX-" + std::to_string(getuid());
    const struct {
        const char* runtime;
        std::string expected;
    } cases[] = {
        {"/run/user/1000", "/run/user/1000/Vistrel_ONEINSTANCE_MUTEX"},
        {"", perUser},
        {nullptr, perUser},
    };
    for (const auto& c : cases) {
        CScopedEnvironment runtime("XDG_RUNTIME_DIR", c.runtime);
        EXPECT_EQ(SingleInstanceLockPath(), c.expected) << (c.runtime ? c.runtime : "unset");
    }
}

TEST_F(SingleInstanceTest, ASecondOpenFindsTheLockTakenUntilTheFirstGuardGoes) {
    {
        CSingleInstanceGuard first(m_lock);
        EXPECT_EQ(first.GetState(), State::Acquired);
        CSingleInstanceGuard second(m_lock);
        EXPECT_EQ(second.GetState(), State::AlreadyRunning);
    }
    CSingleInstanceGuard again(m_lock);
    EXPECT_EQ(again.GetState(), State::Acquired);
}

TEST_F(SingleInstanceTest, AnotherProcessHoldsTheLockUntilItEnds) {
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The first instance: takes the lock, reports, and runs until told to end.
        close(toParent[0]);
        close(toChild[1]);
        CSingleInstanceGuard guard(m_lock);
        const unsigned char state = static_cast<unsigned char>(guard.GetState());
        [[maybe_unused]] ssize_t written = write(toParent[1], &state, 1);
        ReadByte(toChild[0]);
        _exit(0);
    }
    close(toParent[1]);
    close(toChild[0]);
    EXPECT_EQ(ReadByte(toParent[0]), static_cast<int>(State::Acquired));
    {
        CSingleInstanceGuard second(m_lock);
        EXPECT_EQ(second.GetState(), State::AlreadyRunning);
    }
    close(toChild[1]); // the first instance ends
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(toParent[0]);

    CSingleInstanceGuard afterwards(m_lock);
    EXPECT_EQ(afterwards.GetState(), State::Acquired);
}

TEST_F(SingleInstanceTest, ALockFileThatCannotBeOpenedLeavesTheStateUnknown) {
    // A missing folder, and a symbolic link planted under the name.
    CSingleInstanceGuard missing((m_folder / "missing" / "lock").string());
    EXPECT_EQ(missing.GetState(), State::Unavailable);
    fs::create_symlink(m_folder / "elsewhere", m_lock);
    CSingleInstanceGuard planted(m_lock);
    EXPECT_EQ(planted.GetState(), State::Unavailable);
    EXPECT_FALSE(fs::exists(m_folder / "elsewhere"));
}
