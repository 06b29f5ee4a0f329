// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ThreadWakeUp.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

CThreadWakeUp::CThreadWakeUp(std::function<void()> handler)
    : m_eventFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)), m_handler(std::move(handler)) {
    if (m_eventFd < 0) {
        qFatal("CThreadWakeUp: no event descriptor left");
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_eventFd, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { Woken(); });
}

CThreadWakeUp::~CThreadWakeUp() {
    m_notifier.reset();
    close(m_eventFd);
}

void CThreadWakeUp::Notify() {
    const std::uint64_t one = 1;
    // The counter only overflows after 2^64 - 1 rings without a wake-up: never.
    [[maybe_unused]] const ssize_t written = write(m_eventFd, &one, sizeof one);
}

void CThreadWakeUp::Woken() {
    std::uint64_t rings = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_eventFd, &rings, sizeof rings);
    if (m_handler) {
        m_handler();
    }
}
