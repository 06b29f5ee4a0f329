// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// One set request sent on a session's worker thread, its status handed to the thread that
// made the object (the UI thread) and delivered there through the event loop.
//
//   CTransferRequest m_cAddressSet{m_cCommonSNMP};   // after its session
//   m_cAddressSet.OnDone([this](int status) { ... });
//   m_cAddressSet.Start({{oid, kSnmpIpAddress, "10.0.0.5"}, ...}, 10000);
//
// A result that arrives after Abandon, a new Start or the object's end is never delivered.
#pragma once

#include "features/common/ThreadWakeUp.h"
#include "snmp/CommonSNMP.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CTransferRequest {
public:
    // status 0: the switch took the set; -1 no answer in time; anything else a failure.
    using DoneHandler = std::function<void(int status)>;

    struct Binding {
        std::string oid;
        int type; // SnmpValueType
        std::string value;
    };

    // `session` must outlive the request; the request closes it when it ends.
    explicit CTransferRequest(CCommonSNMP& session);
    ~CTransferRequest();
    CTransferRequest(const CTransferRequest&) = delete;
    CTransferRequest& operator=(const CTransferRequest&) = delete;

    void OnDone(DoneHandler handler) { m_onDone = std::move(handler); }

    // Sends the set. When it cannot even be prepared nothing goes out and the end is still
    // delivered later, with status kSnmpFailed.
    void Start(const std::vector<Binding>& bindings, unsigned timeoutMs);
    // Forgets the request under way (closes the session); nothing more is delivered.
    void Abandon();
    // From Start until the end has been delivered.
    bool IsRunning() const { return m_running; }

private:
    static unsigned Done(std::unique_ptr<CSnmp> response, int requestId, void* context, int status);
    bool Prepare(const std::vector<Binding>& bindings);
    void HandleDone(int requestId, int status);
    void HandOver(int status);
    void Deliver();
    void DropHandedOver();
    void WaitForCallbackToLeave();

    CCommonSNMP& m_session;
    DoneHandler m_onDone;
    bool m_running = false;

    std::mutex m_resultMutex;
    std::optional<int> m_result;
    CThreadWakeUp m_wakeUp{[this] { Deliver(); }};

    std::mutex m_callbackMutex;
    std::condition_variable m_callbackLeft;
    int m_callbacksRunning = 0;
};
