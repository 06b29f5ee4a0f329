// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Wakes the thread that made it (the UI thread) from any thread. Notify may be called from
// anywhere; the handler runs on the maker's event loop, once for one or more Notify calls.
//
// A worker hands its results over under its own lock and then only rings this bell: no Qt
// object is made on the worker, and the handover stays visible to the thread sanitizer.
#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

class CThreadWakeUp {
public:
    explicit CThreadWakeUp(std::function<void()> handler);
    ~CThreadWakeUp();
    CThreadWakeUp(const CThreadWakeUp&) = delete;
    CThreadWakeUp& operator=(const CThreadWakeUp&) = delete;

    // Any thread.
    void Notify();

private:
    void Woken();

    int m_eventFd;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void()> m_handler;
};
