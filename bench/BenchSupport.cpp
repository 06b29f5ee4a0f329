// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "bench/BenchSupport.h"

#include "tests/support/AgentProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <sstream>

extern char** environ;

namespace bench {

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double TimeProgram(const std::vector<std::string>& argv) {
    std::vector<std::string> texts = argv;
    std::vector<char*> args;
    for (std::string& text : texts) {
        args.push_back(text.data());
    }
    args.push_back(nullptr);
    std::vector<std::string> environment = {"MIBS="};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("MIBS=", 0) != 0) {
            environment.emplace_back(*entry);
        }
    }
    std::vector<char*> env;
    for (std::string& entry : environment) {
        env.push_back(entry.data());
    }
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const Clock::time_point start = Clock::now();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const double seconds = SecondsSince(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

std::size_t CountSnmpwalkObjects(const std::string& snmpwalk, const std::string& peer,
                                 const std::string& subtree) {
    std::istringstream lines(testsupport::RunCommand("MIBS= " + snmpwalk + " -v2c -c guests -On " +
                                                     peer + " " + subtree));
    std::size_t objects = 0;
    std::string line;
    while (std::getline(lines, line)) {
        objects += !line.empty() && line[0] == '.';
    }
    return objects;
}

} // namespace bench
