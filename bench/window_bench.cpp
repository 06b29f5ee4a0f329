// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The module against a blinking ksx-sim, as the user runs it (offscreen): the time from the
// start of the process to the first painted panel, the processor time over 30 s of polling
// and blinking, the peak memory, and how long the process takes to end when it is closed
// (SIGTERM, which closes the window) while a walk waits for the switch. Prints the figures;
// never fails on a time.
// Run: build/default/bin/window_bench [seconds]   (default 30)
#include "app/ModuleWindow.h"
#include "tests/support/AgentProcess.h"
#include "tests/support/SimFixture.h"

#include <csignal>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using testsupport::ChildProcess;
using testsupport::SimFixture;

constexpr char kModel[] = "KSX-7700-52";
constexpr auto kWaitLimit = std::chrono::seconds(60);

double Ms(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// utime + stime of a process, in seconds.
double ProcessorSeconds(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t afterName = text.rfind(')');
    if (afterName == std::string::npos) {
        return -1;
    }
    std::istringstream fields(text.substr(afterName + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) { // field 3 is the state
        if (index == 14) {
            utime = std::stoull(field);
        } else if (index == 15) {
            stime = std::stoull(field);
            break;
        }
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// VmHWM (peak resident memory) in MB.
double PeakMemoryMb(int pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atof(line.c_str() + 6) / 1024.0;
        }
    }
    return -1;
}

bool LogHas(const std::string& logPath, const std::string& line) {
    return testsupport::ReadFile(logPath).find(line + "\n") != std::string::npos;
}

// Waits (polling every millisecond) until the log holds `line`; the moment it was seen.
bool WaitForLine(const std::string& logPath, const std::string& line, Clock::time_point& seen) {
    const auto end = Clock::now() + kWaitLimit;
    while (Clock::now() < end) {
        if (LogHas(logPath, line)) {
            seen = Clock::now();
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

class ModuleRun {
public:
    ModuleRun(const SimFixture& sim, const std::string& dir) : m_log(dir + "/module.log") {
        std::vector<std::string> environment = {
            "QT_QPA_PLATFORM=offscreen",
            "KSX_TRACE=1",
            "KSX_MESSAGES=stderr",
            "XDG_RUNTIME_DIR=" + dir,
            "KSX_USER_INI=" + std::string(KSX_SOURCE_DIR) + "/resources/userini/" + kModel +
                "/User.ini",
        };
        const std::vector<std::string> argv = {std::string(KSX_BIN_DIR) + "/ksx-module",
                                               "/Nbench",
                                               "/I" + sim.Address(),
                                               "/Rguests",
                                               "/Wkeepers",
                                               "/Etrue",
                                               "/V1",
                                               "/P" + std::to_string(sim.Port())};
        m_started = Clock::now();
        m_process.Start(argv, m_log, environment);
    }

    int Pid() const { return m_process.Pid(); }
    const std::string& Log() const { return m_log; }
    Clock::time_point Started() const { return m_started; }
    bool Running() const { return m_process.Running(); }
    void Stop() { m_process.Stop(); }

    // Waits for the process to end; the moment it was seen gone.
    bool WaitForEnd(Clock::time_point& ended) {
        const auto end = Clock::now() + kWaitLimit;
        while (Clock::now() < end) {
            if (!m_process.Running()) {
                ended = Clock::now();
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

private:
    std::string m_log;
    ChildProcess m_process;
    Clock::time_point m_started;
};

bool StartSim(SimFixture& sim, std::vector<std::string> arguments) {
    SimFixture::Options options;
    options.model = kModel;
    options.arguments = std::move(arguments);
    if (!sim.Start(options)) {
        std::fprintf(stderr, "window_bench: ksx-sim did not start: %s\n", sim.Error().c_str());
        return false;
    }
    return true;
}

// Start-up, processor use and memory while the panel blinks against an animated switch.
bool MeasureRunning(const std::string& dir, int seconds) {
    SimFixture sim;
    if (!StartSim(sim, {"--all-giga", "--animate", "--animate-seconds", "2"})) {
        return false;
    }
    ModuleRun module(sim, dir);
    Clock::time_point painted;
    if (!WaitForLine(module.Log(), kPanelPaintedTrace, painted)) {
        std::fprintf(stderr, "window_bench: the panel was never painted\n%s\n",
                     testsupport::ReadFile(module.Log()).c_str());
        return false;
    }
    std::printf("start to first painted panel:     %8.1f ms   (target < 300 ms)\n",
                Ms(painted - module.Started()));
    // Let the first poll results arrive and the lamps blink before measuring.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const double cpuBefore = ProcessorSeconds(module.Pid());
    const auto wallBefore = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu = ProcessorSeconds(module.Pid()) - cpuBefore;
    const double wall = Ms(Clock::now() - wallBefore) / 1000.0;
    std::printf("processor use over %3d s:          %8.2f %% of one core (target <= 2 %%)\n",
                seconds, 100.0 * cpu / wall);
    std::printf("peak memory (VmHWM):              %8.1f MB   (target < 80 MB)\n",
                PeakMemoryMb(module.Pid()));
    module.Stop();
    return true;
}

// True once the simulator has been asked for the first row of the link walk.
bool LinkWalkAsked(const SimFixture& sim) {
    for (const testsupport::SimRequestRecord& request : sim.RequestLog()) {
        if (request.pdu == "getnext" && !request.oids.empty() &&
            request.oids.front() == "1.3.6.1.2.1.2.2.1.3") {
            return true;
        }
    }
    return false;
}

// The module is told to close (SIGTERM, handled as closing the window) while its link walk
// waits for a switch that does not answer it.
bool MeasureCloseDuringWalk(const std::string& dir) {
    SimFixture sim;
    SimFixture::Options options;
    options.model = kModel;
    options.arguments = {"--drop", "1.3.6.1.2.1.2.2.1"};
    options.requestLog = true;
    if (!sim.Start(options)) {
        std::fprintf(stderr, "window_bench: ksx-sim did not start: %s\n", sim.Error().c_str());
        return false;
    }
    ModuleRun module(sim, dir);
    const auto limit = Clock::now() + kWaitLimit;
    while (!LinkWalkAsked(sim) && Clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!LinkWalkAsked(sim)) {
        std::fprintf(stderr, "window_bench: the link walk never started\n");
        return false;
    }
    const auto closed = Clock::now();
    kill(module.Pid(), SIGTERM);
    Clock::time_point ended;
    if (!module.WaitForEnd(ended)) {
        std::fprintf(stderr, "window_bench: the module did not end\n");
        return false;
    }
    const bool clean =
        LogHas(module.Log(), "==================m_cCommonSNMPPoeStat.Close===============");
    std::printf("close during a walk to process end: %6.1f ms   (target < 1500 ms)%s\n",
                Ms(ended - closed), clean ? "" : "  [sessions not closed!]");
    return clean;
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const std::string dir = testsupport::MakeTempDir("ksx-window-bench");
    std::printf("ksx-module %s against ksx-sim, offscreen\n", kModel);
    const bool ok = MeasureRunning(dir, seconds) && MeasureCloseDuringWalk(dir);
    testsupport::RemoveTree(dir);
    return ok ? 0 : 1;
}
