// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/TransferRequest.h"

CTransferRequest::CTransferRequest(CCommonSNMP& session) : m_session(session) {}

CTransferRequest::~CTransferRequest() {
    // Closing cancels the request and refuses a new one; a callback already running is
    // waited for, so none touches this object once it is gone.
    m_session.Close();
    WaitForCallbackToLeave();
}

void CTransferRequest::Start(const std::vector<Binding>& bindings, unsigned timeoutMs) {
    // Open stops the session's worker: whatever is still queued belongs to an earlier request.
    const bool prepared = Prepare(bindings);
    DropHandedOver();
    m_running = true;
    if (!prepared) {
        HandOver(kSnmpFailed);
        return;
    }
    m_session.StartRequest(&CTransferRequest::Done, this, timeoutMs);
}

bool CTransferRequest::Prepare(const std::vector<Binding>& bindings) {
    if (bindings.empty() || m_session.Open(kPduSet) != 1) {
        return false;
    }
    for (const Binding& binding : bindings) {
        const int added = m_session.AddValue(binding.oid, binding.type, binding.value.data(),
                                             static_cast<unsigned>(binding.value.size()));
        if (added != 0) {
            m_session.Open(kPduSet); // nothing of a half-built request may go out later
            return false;
        }
    }
    return true;
}

void CTransferRequest::Abandon() {
    m_session.Close();
    WaitForCallbackToLeave();
    DropHandedOver();
    m_running = false;
}

unsigned CTransferRequest::Done(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                int status) {
    auto* request = static_cast<CTransferRequest*>(context);
    {
        std::lock_guard lock(request->m_callbackMutex);
        ++request->m_callbacksRunning;
    }
    response.reset(); // the answer of a set says nothing the status does not
    request->HandleDone(requestId, status);
    std::lock_guard lock(request->m_callbackMutex); // the last access to the request
    --request->m_callbacksRunning;
    request->m_callbackLeft.notify_all();
    return 0;
}

// Runs on the session's worker thread.
void CTransferRequest::HandleDone(int requestId, int status) {
    if (m_session.RemovePending(requestId) == 0) {
        return; // closed or reopened meanwhile
    }
    m_session.SignalIdle();
    HandOver(status);
}

// Any thread.
void CTransferRequest::HandOver(int status) {
    {
        std::lock_guard lock(m_resultMutex);
        m_result = status;
    }
    m_wakeUp.Notify();
}

// The owner's thread. The handler may start the request again.
void CTransferRequest::Deliver() {
    std::optional<int> result;
    {
        std::lock_guard lock(m_resultMutex);
        result.swap(m_result);
    }
    if (!result) {
        return;
    }
    m_running = false;
    if (m_onDone) {
        m_onDone(*result);
    }
}

void CTransferRequest::DropHandedOver() {
    std::lock_guard lock(m_resultMutex);
    m_result.reset();
}

void CTransferRequest::WaitForCallbackToLeave() {
    std::unique_lock lock(m_callbackMutex);
    m_callbackLeft.wait(lock, [this] { return m_callbacksRunning == 0; });
}
