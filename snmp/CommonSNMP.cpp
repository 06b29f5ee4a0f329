// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/CommonSNMP.h"

#include "platform/Trace.h"
#include "snmp/SessionParameters.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Process-wide request ids: the first asynchronous request gets 1.
std::atomic<int> g_requestCounter{0};

constexpr std::chrono::milliseconds kWorkerStopLimit{3000};

int LeadingNumber(const std::string& text) {
    return std::atoi(text.c_str());
}

uint16_t PortNumber(const std::string& text) {
    const int port = LeadingNumber(text);
    return (port > 0 && port <= 65535) ? static_cast<uint16_t>(port) : 161;
}

} // namespace

CCommonSNMP::CCommonSNMP() {
    const SessionParametersData& parameters = SessionParameters();
    m_version = LeadingNumber(parameters.SnmpVersion);
    m_address = parameters.DeviceAddress;
    m_port = PortNumber(parameters.SnmpPort);
    m_timeoutMs = static_cast<unsigned>(std::max(0, LeadingNumber(parameters.RequestTimeout)));
    m_readCommunity = parameters.ReadCommunity;
    m_writeCommunity = parameters.WriteCommunity;
    m_securityLevel = parameters.SecurityLevel;
    m_authProtocol = parameters.AuthProtocol;
    m_privProtocol = parameters.PrivProtocol;
    m_userName = parameters.UserName;
    m_authPassword = parameters.AuthPassword;
    m_privPassword = parameters.PrivPassword;
    if (m_version == 1) {
        m_message = std::make_unique<CSnmpV1>(0);
    } else if (m_version == 3) {
        m_message = std::make_unique<CSnmpV3>(0);
    }
    if (m_message) {
        m_message->setPort(m_port);
        m_table = std::make_unique<CSnmpTable>(m_message.get());
    }
}

CCommonSNMP::~CCommonSNMP() {
    m_cancelled = true;
    StopWorker();
    std::lock_guard lock(m_lock);
    m_table.reset();
    m_message.reset();
}

int CCommonSNMP::LastRequestId() {
    return g_requestCounter.load();
}

bool CCommonSNMP::HasBindings() const {
    return m_message && m_message->getValuesCount() > 0;
}

void CCommonSNMP::SetIdle(bool idle) {
    {
        std::lock_guard state(m_stateMutex);
        m_idle = idle;
    }
    m_stateChanged.notify_all();
}

bool CCommonSNMP::IsIdle() const {
    std::lock_guard state(m_stateMutex);
    return m_idle;
}

bool CCommonSNMP::HasWorker() const {
    std::lock_guard state(m_stateMutex);
    return m_workerActive;
}

bool CCommonSNMP::WaitForWorkerExit(std::chrono::milliseconds limit) {
    std::unique_lock state(m_stateMutex);
    return m_stateChanged.wait_for(state, limit, [this] { return !m_workerActive; });
}

// Ends the worker: its request in flight is cut short and its result dropped. The worker is
// never killed; a callback that runs past the limit is waited for, and said so in the trace.
void CCommonSNMP::StopWorker() {
    m_stopping = true;
    m_running = false;
    if (m_message) {
        m_message->cancel();
    }
    const bool onWorker = std::this_thread::get_id() == m_workerId;
    if (!onWorker && !WaitForWorkerExit(kWorkerStopLimit)) {
        platform::DebugTrace("CCommonSNMP: worker still busy after 3000 ms, waiting for it");
        WaitForWorkerExit(std::chrono::hours(24 * 365));
    }
    {
        std::lock_guard state(m_stateMutex);
        if (!onWorker && m_worker.joinable()) {
            m_worker.join();
        }
    }
    m_stopping = false;
}

int CCommonSNMP::Open(int pduType) {
    if (!m_message || !m_table) {
        return 0;
    }
    StopWorker();
    std::lock_guard lock(m_lock);
    m_message->resetCancel();
    m_message->setType(pduType);
    m_message->clearVarBindList();
    if (m_version == 1) {
        auto* message = static_cast<CSnmpV1*>(m_message.get());
        if (pduType == kPduGet || pduType == kPduGetNext) {
            message->setCommunity(m_readCommunity);
        } else if (pduType == kPduSet) {
            message->setCommunity(m_writeCommunity);
        } else {
            return 0;
        }
    } else {
        ApplyV3Security();
    }
    m_cancelled = false;
    return 1;
}

void CCommonSNMP::ApplyV3Security() {
    auto* message = static_cast<CSnmpV3*>(m_message.get());
    message->setMsgMaxSize(1024);
    message->setMsgSecurityModel(3);
    message->setUserName(m_userName);
    const bool authenticated = m_securityLevel == "2" || m_securityLevel == "3";
    const bool knownAuth = m_authProtocol == "2" || m_authProtocol == "3";
    if (!authenticated || !knownAuth) {
        // Without a known authentication algorithm nothing can be authenticated (or
        // encrypted): the request goes out as noAuthNoPriv.
        message->setMsgFlags(0);
        return;
    }
    message->setAuthArith(m_authProtocol == "2" ? 0 : 1);
    message->setAuthPwd(m_authPassword.data(), static_cast<unsigned>(m_authPassword.size()));
    if (m_securityLevel == "2") {
        message->setMsgFlags(1);
        return;
    }
    if (m_privProtocol == "2") {
        message->setMsgFlags(3);
        message->setPriArith(0);
        message->setPriPwd(m_privPassword.data(), static_cast<unsigned>(m_privPassword.size()));
    } else {
        message->setMsgFlags(1);
    }
}

int CCommonSNMP::AddValue(const std::string& oid, int valueType, const std::string& value) {
    std::lock_guard lock(m_lock);
    if (!m_message) {
        return -1;
    }
    return m_message->addValue(oid, valueType, value);
}

int CCommonSNMP::AddValue(const std::string& oid, int valueType, const char* value,
                          unsigned length) {
    std::lock_guard lock(m_lock);
    if (!m_message) {
        return -1;
    }
    return m_message->addValue(oid, valueType, value, length);
}

int CCommonSNMP::Send(std::unique_ptr<CSnmp>& response, unsigned timeoutMs) {
    std::lock_guard lock(m_lock);
    if (!m_message || !m_table || !HasBindings()) {
        return -1;
    }
    return m_message->send(m_address, response, timeoutMs != 0 ? timeoutMs : m_timeoutMs);
}

int CCommonSNMP::GetNext(std::unique_ptr<CSnmp>& response, unsigned timeoutMs) {
    std::lock_guard lock(m_lock);
    if (!m_message || !m_table || !HasBindings()) {
        return -1;
    }
    return m_table->getNext(m_address, response, timeoutMs != 0 ? timeoutMs : m_timeoutMs);
}

int CCommonSNMP::GetSuffix(int index, const CSnmp& response, std::string& suffix) {
    std::lock_guard lock(m_lock);
    if (!m_table) {
        return -1;
    }
    return m_table->getSuffix(index, response, suffix);
}

bool CCommonSNMP::SetLeadingScalars(const std::vector<std::string>& objects) {
    std::vector<std::vector<uint32_t>> oids;
    for (const std::string& object : objects) {
        oids.push_back(ParseOid(object));
        if (oids.back().size() < 2 || oids.back().back() != 0) {
            return false;
        }
    }
    std::lock_guard lock(m_lock);
    if (!m_table) {
        return false;
    }
    m_table->setLeadingScalars(oids);
    return true;
}

std::vector<SnmpVarBind> CCommonSNMP::TakeLeadingAnswer() {
    std::lock_guard lock(m_lock);
    return m_table ? m_table->takeLeadingAnswer() : std::vector<SnmpVarBind>{};
}

int CCommonSNMP::StartRequest(SnmpResultCallback callback, void* context,
                              uintptr_t /*unusedWindow*/, unsigned timeoutMs) {
    return StartRequest(callback, context, timeoutMs);
}

int CCommonSNMP::StartRequest(SnmpResultCallback callback, void* context, unsigned timeoutMs) {
    std::lock_guard lock(m_lock);
    if (m_cancelled || m_stopping || !m_table || !HasBindings() || callback == nullptr) {
        SetIdle(true);
        return -1;
    }
    if (m_version != 1 && m_version != 3) {
        return -1;
    }
    m_callback = callback;
    m_context = context;
    m_requestTimeoutMs = timeoutMs != 0 ? timeoutMs : m_timeoutMs;
    m_requestId = ++g_requestCounter;
    std::lock_guard state(m_stateMutex);
    m_pending.push_back(m_requestId);
    m_running = true;
    m_idle = false;
    if (!m_workerActive) {
        if (m_worker.joinable()) {
            m_worker.join(); // a worker that has left its loop and is about to end
        }
        m_workerActive = true;
        m_worker = std::thread([this] { WorkerLoop(); });
        m_workerId = m_worker.get_id();
    }
    return -1;
}

void CCommonSNMP::WorkerLoop() {
    for (;;) {
        {
            std::lock_guard state(m_stateMutex);
            if (!m_running) {
                m_workerActive = false;
                m_idle = true;
                m_stateChanged.notify_all();
                return;
            }
        }
        std::unique_lock lock(m_lock);
        if (!m_running) {
            continue;
        }
        if (!HasBindings()) {
            m_running = false;
            continue;
        }
        const SnmpResultCallback callback = m_callback;
        void* const context = m_context;
        const int requestId = m_requestId;
        std::unique_ptr<CSnmp> response;
        const int status = m_table->getNext(m_address, response, m_requestTimeoutMs);
        lock.unlock();
        if (!m_running.exchange(false)) {
            continue; // closed or reopened meanwhile: the result is dropped
        }
        callback(std::move(response), requestId, context, status);
    }
}

int CCommonSNMP::RemovePending(int requestId) {
    std::lock_guard state(m_stateMutex);
    auto found = std::find(m_pending.begin(), m_pending.end(), requestId);
    if (found == m_pending.end()) {
        return 0;
    }
    m_pending.erase(found);
    return 1;
}

void CCommonSNMP::SignalIdle() {
    SetIdle(true);
}

void CCommonSNMP::Close() {
    m_cancelled = true;
    m_running = false;
    if (m_message) {
        m_message->cancel();
    }
    std::unique_lock state(m_stateMutex);
    m_stateChanged.wait_for(state, std::chrono::milliseconds(m_timeoutMs + 1000),
                            [this] { return m_idle; });
    m_pending.clear();
}

void CloseAndTrace(CCommonSNMP& session, const char* memberName) {
    session.Close();
    platform::DebugTrace(platform::FramedTraceLine(std::string(memberName) + ".Close"));
}
