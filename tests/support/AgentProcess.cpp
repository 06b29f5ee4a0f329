// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/support/AgentProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

namespace testsupport {

int FreeUdpPort() {
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const bool bound = fd >= 0 &&
                       bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                       getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    if (fd >= 0) {
        close(fd);
    }
    return bound ? ntohs(address.sin_port) : -1;
}

std::string MakeTempDir(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
    return mkdtemp(pattern.data()) == nullptr ? std::string() : pattern;
}

void RemoveTree(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored); // an empty path removes nothing
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string RunCommand(const std::string& commandLine, int* exitCode) {
    std::string output;
    FILE* pipe = popen(commandLine.c_str(), "r");
    char buffer[4096];
    for (size_t got = 0; pipe != nullptr && (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    if (exitCode != nullptr) {
        *exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return output;
}

ChildProcess::~ChildProcess() {
    Stop();
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const std::string& logPath,
                         const std::vector<std::string>& environment) {
    Stop();
    std::vector<char*> arguments;
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        return false;
    }
    if (pid == 0) {
        // The child dies with the test, even when the test crashes or is killed; a test
        // that died before this line leaves the child to init.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) {
            _exit(127);
        }
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
            close(log);
        }
        for (const std::string& assignment : environment) {
            putenv(const_cast<char*>(assignment.c_str()));
        }
        execvp(arguments[0], arguments.data());
        _exit(127);
    }
    m_pid = pid;
    return true;
}

void ChildProcess::Stop() {
    if (m_pid <= 0) {
        return;
    }
    kill(m_pid, SIGCONT);
    kill(m_pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
            m_pid = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

void ChildProcess::Signal(int signal) const {
    if (m_pid > 0) {
        kill(m_pid, signal);
    }
}

bool ChildProcess::Running() const {
    return m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0;
}

void AgentFixture::Stop() {
    m_process.Stop();
    RemoveTree(m_dir);
    m_dir.clear();
    m_port = -1;
}

bool AgentFixture::WaitUntilReady(const std::function<bool()>& ready, const std::string& name) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < end) {
        if (ready()) {
            return true;
        }
        if (!m_process.Running()) {
            m_error = name + " ended: " + Log();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_error = name + " did not get ready: " + Log();
    Stop();
    return false;
}

std::string AgentFixture::Log() const {
    return m_dir.empty() ? std::string() : ReadFile(LogPath());
}

} // namespace testsupport
