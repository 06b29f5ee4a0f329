// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tools/SessionWalk.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

struct WalkState {
    CCommonSNMP* session = nullptr;
    const WalkRowHandler* onRow = nullptr;
    unsigned timeoutMs = 0;
    std::mutex mutex;
    std::condition_variable finishedChanged;
    bool finished = false;
    int status = 0;
};

// Follows the session's callback contract: take the id back first, a non-zero status ends
// the walk, a row is handed on and the next one asked for.
unsigned OnWalkResult(std::unique_ptr<CSnmp> response, int requestId, void* context, int status) {
    auto* state = static_cast<WalkState*>(context);
    if (state->session->RemovePending(requestId) == 0) {
        return 0;
    }
    if (status != 0) {
        {
            std::lock_guard lock(state->mutex);
            state->status = status;
            state->finished = true;
        }
        state->session->SignalIdle();
        state->finishedChanged.notify_all();
        return 0;
    }
    (*state->onRow)(*response);
    state->session->StartRequest(OnWalkResult, state, state->timeoutMs);
    return 0;
}

// StartRequest says nothing about whether it took the request: a refused one leaves the
// session idle and never calls back.
int WaitForWalkEnd(WalkState& state) {
    std::unique_lock lock(state.mutex);
    while (!state.finished) {
        if (state.finishedChanged.wait_for(lock, std::chrono::milliseconds(50),
                                           [&] { return state.finished; })) {
            break;
        }
        lock.unlock();
        const bool idle = state.session->IsIdle() && !state.session->HasWorker();
        lock.lock();
        if (idle && !state.finished) {
            return kSnmpFailed;
        }
    }
    return state.status;
}

} // namespace

int WalkColumns(CCommonSNMP& session, const std::vector<std::string>& columns,
                const WalkRowHandler& onRow, unsigned timeoutMs) {
    if (columns.empty() || session.Open(kPduGetNext) != 1) {
        return kSnmpFailed;
    }
    for (const std::string& column : columns) {
        if (session.AddValue(column, kSnmpNull, "") != 0) {
            return kSnmpFailed;
        }
    }
    WalkState state;
    state.session = &session;
    state.onRow = &onRow;
    state.timeoutMs = timeoutMs;
    session.StartRequest(OnWalkResult, &state, timeoutMs);
    const int status = WaitForWalkEnd(state);
    session.Close();
    return status;
}
