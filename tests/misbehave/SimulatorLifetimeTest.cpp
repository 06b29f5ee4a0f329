// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A ksx-sim started by a test dies with the test process, even when that process is killed.
#include "tests/support/DialogTesting.h"
#include "tests/support/SimFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr char kPidFileVariable[] = "KSX_DYING_TEST_PID_FILE";

// Run only inside the process the next test starts: a test that starts its simulator, names
// its pid and is killed.
TEST(SimulatorLifetime, DyingTest) {
    const char* pidFile = std::getenv(kPidFileVariable);
    if (pidFile == nullptr) {
        GTEST_SKIP() << "started by SimulatorLifetime.SimulatorDiesWithAKilledTest";
    }
    testsupport::ChildProcess sim;
    ASSERT_TRUE(sim.Start({testsupport::SimFixture::Program(), "--listen", "udp:127.0.0.1:0"},
                          std::string(pidFile) + ".log"));
    std::ofstream(pidFile) << sim.Pid() << "\n";
    raise(SIGKILL);
}

TEST(SimulatorLifetime, SimulatorDiesWithAKilledTest) {
    const std::string dir = testsupport::MakeTempDir("ksx-lifetime-");
    const std::string pidFile = dir + "/pid";
    const std::string variable = std::string(kPidFileVariable) + "=" + pidFile;
    std::string self(4096, '\0');
    self.resize(static_cast<size_t>(
        std::max<ssize_t>(0, readlink("/proc/self/exe", self.data(), self.size() - 1))));
    std::string filter = "--gtest_filter=SimulatorLifetime.DyingTest";
    char* argv[] = {self.data(), filter.data(), nullptr};
    std::vector<char*> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.push_back(*entry);
    }
    environment.push_back(const_cast<char*>(variable.c_str()));
    environment.push_back(nullptr);
    const pid_t test = fork();
    ASSERT_GE(test, 0);
    if (test == 0) {
        execve(argv[0], argv, environment.data());
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(test, &status, 0), test);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    int simPid = 0;
    std::ifstream(pidFile) >> simPid;
    ASSERT_GT(simPid, 1);
    // Gone, or a zombie waiting for init to reap it.
    const auto gone = [simPid] {
        const std::string stat = testsupport::ReadFile("/proc/" + std::to_string(simPid) + "/stat");
        return stat.empty() || stat.find(") Z") != std::string::npos;
    };
    EXPECT_TRUE(testsupport::WaitUntil(gone, 10000));
    testsupport::RemoveTree(dir);
}

} // namespace
