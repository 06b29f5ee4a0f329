// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Helpers shared by the fixtures that run an SNMP agent as a child process.
#pragma once

#include <csignal>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// A UDP port on 127.0.0.1 that nothing listens on right now.
int FreeUdpPort();
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
    void Signal(int signal) const;
    bool Running() const;
    int Pid() const { return m_pid; }

private:
    int m_pid = -1;
};

// What the fixtures of an agent run as a child process share: its loopback port, a private
// folder (removed when it stops) and what it wrote to stdout and stderr.
class AgentFixture {
public:
    AgentFixture(const AgentFixture&) = delete;
    AgentFixture& operator=(const AgentFixture&) = delete;

    void Stop();
    void Pause() { m_process.Signal(SIGSTOP); }
    void Resume() { m_process.Signal(SIGCONT); }
    int Port() const { return m_port; }
    std::string Address() const { return "127.0.0.1"; }
    // "udp:127.0.0.1:PORT" for Net-SNMP's command-line tools.
    std::string Peer() const { return "udp:127.0.0.1:" + std::to_string(m_port); }
    const std::string& Error() const { return m_error; }
    std::string Log() const;

protected:
    AgentFixture() = default;
    ~AgentFixture() { Stop(); }
    std::string LogPath() const { return m_dir + "/agent.log"; }
    // Waits until `ready` holds; false (with Error()) when the agent ends or is still not
    // ready after 15 s, and then it is stopped.
    bool WaitUntilReady(const std::function<bool()>& ready, const std::string& name);

    ChildProcess m_process;
    std::string m_dir;
    int m_port = -1;
    std::string m_error;
};

} // namespace testsupport
