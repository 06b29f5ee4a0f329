// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The one way results cross from a session's worker thread to the thread that made the
// object (the UI thread): a locked queue, a wake-up, and a count of the callbacks under way.
//
//   CHandBack<Result> m_handBack{[this](Result&& result) { ... }};   // runs on the UI thread
//
//   static unsigned Done(..., void* context, int status) {            // the worker thread
//       auto* self = static_cast<CMyRequest*>(context);
//       CHandBack<Result>::CallbackScope scope(self->m_handBack);      // before anything else
//       ...
//       self->m_handBack.Post(result);
//       return 0;                                                      // scope: last access
//   }
//
// The owner's destructor first stops the worker (closes the session) and then calls
// WaitForCallbacksToLeave(), so no callback touches it once it is gone; what was posted and
// not yet delivered is never delivered.
#pragma once

#include "features/common/ThreadWakeUp.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

template <class T> class CHandBack {
public:
    explicit CHandBack(std::function<void(T&&)> deliver) : m_deliver(std::move(deliver)) {}
    CHandBack(const CHandBack&) = delete;
    CHandBack& operator=(const CHandBack&) = delete;

    // Marks a callback under way for as long as it lives (the worker thread).
    class CallbackScope {
    public:
        explicit CallbackScope(CHandBack& handBack) : m_handBack(handBack) {
            std::lock_guard lock(m_handBack.m_callbackMutex);
            ++m_handBack.m_callbacksRunning;
        }
        ~CallbackScope() {
            std::lock_guard lock(m_handBack.m_callbackMutex);
            --m_handBack.m_callbacksRunning;
            m_handBack.m_callbackLeft.notify_all();
        }
        CallbackScope(const CallbackScope&) = delete;
        CallbackScope& operator=(const CallbackScope&) = delete;

    private:
        CHandBack& m_handBack;
    };

    // Any thread: queues the item and wakes the owner's thread.
    void Post(T item) {
        {
            std::lock_guard lock(m_queueMutex);
            m_queue.push_back(std::move(item));
        }
        m_wakeUp.Notify();
    }

    // The owner's thread: forgets what was posted and not yet delivered.
    void DropPosted() {
        std::lock_guard lock(m_queueMutex);
        m_queue.clear();
    }

    // The owner's thread, after the worker was stopped: returns once no callback runs.
    void WaitForCallbacksToLeave() {
        std::unique_lock lock(m_callbackMutex);
        m_callbackLeft.wait(lock, [this] { return m_callbacksRunning == 0; });
    }

private:
    // One item at a time, so that a handler may drop the rest (a restarted walk).
    void DeliverPosted() {
        for (;;) {
            T next;
            {
                std::lock_guard lock(m_queueMutex);
                if (m_queue.empty()) {
                    return;
                }
                next = std::move(m_queue.front());
                m_queue.pop_front();
            }
            m_deliver(std::move(next));
        }
    }

    std::function<void(T&&)> m_deliver;
    std::mutex m_queueMutex;
    std::deque<T> m_queue;
    std::mutex m_callbackMutex;
    std::condition_variable m_callbackLeft;
    int m_callbacksRunning = 0;
    CThreadWakeUp m_wakeUp{[this] { DeliverPosted(); }};
};
