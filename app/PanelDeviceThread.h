// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// CPanelDeviceThread: the thread that keeps the panel current. Every cycle it sleeps, then
// (unless a command dialog is open) runs the owner's poll steps, then sleeps ten intervals
// (two after a skipped cycle). Stopping is cooperative: the stop flag ends every sleep at
// once, and the owner's requests are cut short by cancelling them.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class CPanelPoll;

class CPanelDeviceThread {
public:
    static constexpr std::chrono::milliseconds kCyclePause{500};
    static constexpr int kIntervalsAfterCycle = 10;
    static constexpr int kIntervalsAfterSkip = 2;

    // Created suspended: set m_pOwner, then Resume.
    CPanelDeviceThread() = default;
    // Stops the thread and waits for it.
    ~CPanelDeviceThread();
    CPanelDeviceThread(const CPanelDeviceThread&) = delete;
    CPanelDeviceThread& operator=(const CPanelDeviceThread&) = delete;

    void Resume();
    // Sets the stop flag; the thread ends after the step it is in.
    void Stop();
    // Waits for the end of the run (the end event); true when it has ended.
    bool WaitForEnd(std::chrono::milliseconds limit);
    // Waits for the thread without a limit (after Stop).
    void Join();

    // 500 ms with the community-based SNMP version "1", otherwise 1000 ms.
    static std::chrono::milliseconds Interval();

    // The result of the run: 0, or -1 when it had no owner.
    int Result() const { return m_nResult.load(); }
    bool IsStopping() const { return m_nStop.load() != 0; }

    CPanelPoll* m_pOwner = nullptr;

private:
    int Run();
    // Sleeps unless stopped; false when the stop flag is set.
    bool Sleep(std::chrono::milliseconds duration);
    bool SleepIntervals(int count);
    void SignalEnd(int result);

    std::chrono::milliseconds m_Interval{500}; // the run's thread only
    std::atomic<int> m_nStop{0};
    std::atomic<int> m_nResult{0};
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    bool m_bEnded = false;
    std::thread m_Thread;
};
