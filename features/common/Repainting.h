// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Waiting without freezing the window. A synchronous request (a set, or a read the dialog must
// have before it goes on) runs on a worker thread while the calling thread's event loop keeps
// repainting; the administrator's input is held back until it ends, so the order of the
// requests stays the one the caller wrote. A pause between two steps is a timer on the same
// loop, never a sleep.
//
// Events other than input (timers, finished walks, repaints) are delivered meanwhile: the
// caller must not rely on its own state being untouched across the call, only on its order.
#pragma once

#include <functional>

namespace kit {

// Runs `work` on a worker thread and returns when it has ended; on the UI thread, the window
// repaints meanwhile. Off the UI thread (no event loop to serve) it simply runs `work`.
void RunRepainting(const std::function<void()>& work);

// Waits `ms` milliseconds on a timer of the calling thread's event loop; on the UI thread,
// repainting meanwhile.
void PauseRepainting(unsigned ms);

// True while RunRepainting or PauseRepainting waits on this thread (a dialog refuses to close
// then: its caller still runs on its stack).
bool IsWaitingRepainting();

} // namespace kit
