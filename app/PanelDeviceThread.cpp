// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/PanelDeviceThread.h"

#include "app/PanelPoll.h"
#include "platform/Trace.h"
#include "snmp/SessionParameters.h"

CPanelDeviceThread::~CPanelDeviceThread() {
    Stop();
    Join();
}

void CPanelDeviceThread::Resume() {
    if (m_Thread.joinable()) {
        return;
    }
    m_Thread = std::thread([this] { SignalEnd(Run()); });
}

void CPanelDeviceThread::Stop() {
    {
        std::lock_guard lock(m_Mutex);
        m_nStop = 1;
    }
    m_Wake.notify_all();
}

bool CPanelDeviceThread::WaitForEnd(std::chrono::milliseconds limit) {
    std::unique_lock lock(m_Mutex);
    return m_Wake.wait_for(lock, limit, [this] { return m_bEnded; });
}

void CPanelDeviceThread::Join() {
    if (m_Thread.joinable()) {
        m_Thread.join();
    }
}

std::chrono::milliseconds CPanelDeviceThread::Interval() {
    return std::chrono::milliseconds(SessionParameters().SnmpVersion == "1" ? 500 : 1000);
}

void CPanelDeviceThread::SignalEnd(int result) {
    m_nResult = result;
    {
        std::lock_guard lock(m_Mutex);
        m_bEnded = true;
    }
    m_Wake.notify_all();
}

bool CPanelDeviceThread::Sleep(std::chrono::milliseconds duration) {
    std::unique_lock lock(m_Mutex);
    return !m_Wake.wait_for(lock, duration, [this] { return m_nStop.load() != 0; });
}

bool CPanelDeviceThread::SleepIntervals(int count) {
    for (int i = 0; i < count; ++i) {
        if (!Sleep(m_Interval)) {
            return false;
        }
    }
    return true;
}

int CPanelDeviceThread::Run() {
    if (m_pOwner == nullptr) {
        return -1;
    }
    CPanelPoll& owner = *m_pOwner;
    m_Interval = Interval();
    const CPanelPoll::Sleeper sleep = [this](std::chrono::milliseconds duration) {
        return Sleep(duration);
    };
    int kept = 0;
    while (!IsStopping()) {
        if (!Sleep(kCyclePause)) {
            break;
        }
        if (!owner.IsBusy()) {
            if (owner.HasFan()) {
                owner.GetGetFanStatus();
            }
            if (owner.IsPoeModel()) {
                kept = owner.Get10PPOEOrLinkStatus(sleep);
            } else {
                owner.GetLinkStatus();
            }
        }
        if (kept != -1) {
            SleepIntervals(kIntervalsAfterCycle);
        } else {
            platform::DebugTrace(pollTrace::kSkipped);
            SleepIntervals(kIntervalsAfterSkip);
        }
    }
    return 0;
}
