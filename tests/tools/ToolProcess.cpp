// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/tools/ToolProcess.h"

#include "tests/support/AgentProcess.h"
#include "tests/support/SnmpdFixture.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

extern char** environ;

namespace tooltest {

namespace {

std::vector<char*> CStrings(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// True when `entry` ("NAME=value") names a variable that `environment` sets.
bool Overridden(const std::string& entry, const std::vector<std::string>& environment) {
    const std::string name = entry.substr(0, entry.find('=') + 1);
    for (const std::string& setting : environment) {
        if (setting.compare(0, name.size(), name) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
    ProcessResult result;
    const std::string dir = testsupport::MakeTempDir("ksx-tool-run-");
    const std::string outPath = dir + "/out";
    const std::string errPath = dir + "/err";
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!Overridden(*entry, environment)) {
            env.emplace_back(*entry);
        }
    }
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char*> argvPointers = CStrings(argv);
    std::vector<char*> envPointers = CStrings(env);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(),
                                    envPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned == 0) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = testsupport::ReadFile(outPath);
        result.err = testsupport::ReadFile(errPath);
    } else {
        result.err = std::string("cannot start ") + program + ": " + std::strerror(spawned);
    }
    testsupport::RemoveTree(dir);
    return result;
}

std::string RunNetSnmpCommand(const std::string& program, const std::vector<std::string>& args) {
    return RunProgram(testsupport::FindProgram(program), args, {"MIBS="}).out;
}

} // namespace tooltest
