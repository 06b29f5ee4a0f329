// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/Repainting.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <thread>

namespace kit {
namespace {

thread_local int waitDepth = 0;

bool OnUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

class WaitScope {
public:
    WaitScope() { ++waitDepth; }
    ~WaitScope() { --waitDepth; }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;
};

} // namespace

void RunRepainting(const std::function<void()>& work) {
    if (!OnUiThread()) {
        work();
        return;
    }
    const WaitScope scope;
    QEventLoop loop;
    std::thread worker([&loop, &work] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
}

void PauseRepainting(unsigned ms) {
    if (ms == 0) {
        return;
    }
    if (QCoreApplication::instance() == nullptr) {
        // Without an application no event loop can run (only a test of a data class gets
        // here): there is nothing to serve while waiting.
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    // A timer on this thread's own loop: the UI thread repaints meanwhile, a worker thread
    // keeps serving its queued calls.
    const WaitScope scope;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool IsWaitingRepainting() {
    return waitDepth > 0;
}

} // namespace kit
