// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// One get or set sent on a session's worker thread; its answer is delivered on the thread
// that made the object (the UI thread), through the event loop.
//
//   CBackgroundRequest m_cRead{m_cCommonSNMP};   // after its session
//   m_cRead.OnDone(this, [this](const CBackgroundRequest::Answer& answer) { ... });
//   m_cRead.Start(kPduGet, {{oid, kSnmpNull, ""}, ...}, 4000);
//
// An answer that arrives after Abandon, a new Start or the object's end is never delivered, and
// a receiver that is gone is never called (CListeners).
#pragma once

#include "features/common/HandBack.h"
#include "features/common/Listeners.h"
#include "features/common/SnmpRequests.h"
#include "snmp/CommonSNMP.h"

#include <functional>
#include <string>
#include <vector>

class CBackgroundRequest {
public:
    using Binding = CSetRequest::Binding;
    struct Answer {
        int status = -1;                 // 0, -1 no answer in time, else the failure
        std::vector<std::string> values; // the answer's values in order, when status is 0
    };
    using DoneHandler = std::function<void(const Answer& answer)>;

    // `session` must outlive the request; the request closes it when it ends.
    explicit CBackgroundRequest(CCommonSNMP& session) : m_session(session) {}
    ~CBackgroundRequest();
    CBackgroundRequest(const CBackgroundRequest&) = delete;
    CBackgroundRequest& operator=(const CBackgroundRequest&) = delete;

    // `receiver`'s handler for every answer; an empty one removes it.
    void OnDone(const QObject* receiver, DoneHandler handler) {
        m_onDone.Add(receiver, std::move(handler));
    }

    // Sends the request. When it cannot even be prepared nothing goes out and the end is still
    // delivered later, with status kSnmpFailed.
    void Start(int pduType, const std::vector<Binding>& bindings, unsigned timeoutMs);
    // Forgets the request under way (closes the session); nothing more is delivered.
    void Abandon();
    // From Start until the answer has been delivered.
    bool IsRunning() const { return m_running; }

private:
    static unsigned Done(std::unique_ptr<CSnmp> response, int requestId, void* context, int status);
    bool Prepare(int pduType, const std::vector<Binding>& bindings);
    void HandleDone(std::unique_ptr<CSnmp> response, int requestId, int status);
    void Deliver(Answer&& answer);

    CCommonSNMP& m_session;
    CListeners<const Answer&> m_onDone;
    bool m_running = false;
    bool m_reportsRead = false; // a get that went out: its answer tells whether the switch answers
    CHandBack<Answer> m_handBack{[this](Answer&& answer) { Deliver(std::move(answer)); }};
};
