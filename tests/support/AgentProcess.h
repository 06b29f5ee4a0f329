// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Helpers shared by the fixtures that run an SNMP agent as a child process.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A UDP port on 127.0.0.1 that nothing listens on right now.
int FreeUdpPort();
// Waits until something listens on 127.0.0.1:port (UDP), at most timeoutMs.
bool WaitForUdpListener(int port, int timeoutMs);
// A new private folder under the system's temporary folder.
std::string MakeTempDir(const std::string& prefix);
void RemoveTree(const std::string& path);
bool WriteFile(const std::string& path, const std::string& text);
std::string ReadFile(const std::string& path);

// Runs a command line through /bin/sh and returns its standard output.
std::string RunCommand(const std::string& commandLine, int* exitCode = nullptr);

// A child process started with fork/exec; stopped (SIGTERM, then SIGKILL) on destruction,
// and killed when the thread that started it (the test) dies.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // argv[0] is the program; stdout and stderr go to logPath.
    bool Start(const std::vector<std::string>& argv, const std::string& logPath,
               const std::vector<std::string>& environment = {});
    void Stop();
    void Pause();  // SIGSTOP
    void Resume(); // SIGCONT
    bool Running() const;
    int Pid() const { return m_pid; }

private:
    int m_pid = -1;
};

} // namespace testsupport
