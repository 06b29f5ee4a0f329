// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/BackgroundRequest.h"

#include "features/common/ReadRound.h"

CBackgroundRequest::~CBackgroundRequest() {
    // Closing cancels the request and refuses a new one; a callback already running is
    // waited for, so none touches this object once it is gone.
    m_session.Close();
    m_handBack.WaitForCallbacksToLeave();
}

void CBackgroundRequest::Start(int pduType, const std::vector<Binding>& bindings,
                               unsigned timeoutMs) {
    // Open stops the session's worker: whatever is still queued belongs to an earlier request.
    const bool read = pduType != kPduSet;
    if (read && kit::ReadsHeldBack()) {
        m_handBack.DropPosted();
        m_running = true;
        m_reportsRead = false;
        m_handBack.Post({kSnmpTimeout, {}});
        return;
    }
    const bool prepared = Prepare(pduType, bindings);
    m_handBack.DropPosted();
    m_running = true;
    m_reportsRead = read && prepared;
    if (!prepared) {
        m_handBack.Post({kSnmpFailed, {}});
        return;
    }
    m_session.StartRequest(&CBackgroundRequest::Done, this, timeoutMs);
}

bool CBackgroundRequest::Prepare(int pduType, const std::vector<Binding>& bindings) {
    return OpenWithBindings(m_session, pduType, bindings);
}

void CBackgroundRequest::Abandon() {
    m_session.Close();
    m_handBack.WaitForCallbacksToLeave();
    m_handBack.DropPosted();
    m_running = false;
}

unsigned CBackgroundRequest::Done(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                  int status) {
    auto* request = static_cast<CBackgroundRequest*>(context);
    const CHandBack<Answer>::CallbackScope scope(request->m_handBack); // left last
    request->HandleDone(std::move(response), requestId, status);
    return 0;
}

// Runs on the session's worker thread.
void CBackgroundRequest::HandleDone(std::unique_ptr<CSnmp> response, int requestId, int status) {
    if (m_session.RemovePending(requestId) == 0) {
        return; // closed or reopened meanwhile
    }
    Answer answer{status, {}};
    if (status == 0 && response) {
        answer.values.resize(static_cast<std::size_t>(std::max(0, response->getValuesCount())));
        for (std::size_t i = 0; i < answer.values.size(); ++i) {
            int type = 0;
            response->getValue(static_cast<int>(i), type, answer.values[i]);
        }
    }
    m_session.SignalIdle();
    m_handBack.Post(std::move(answer));
}

// The owner's thread. The handler may start the request again.
void CBackgroundRequest::Deliver(Answer&& answer) {
    m_running = false;
    if (m_reportsRead) {
        kit::ReportRead(answer.status != kSnmpTimeout);
    }
    m_onDone.Notify(answer);
}
