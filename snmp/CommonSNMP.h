// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// CCommonSNMP: the one SNMP session object of the program. Every dialog, feature data
// class, the module window and the panel poller own one per independent request stream.
#pragma once

#include "snmp/Snmp.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Called on the session's worker thread. status 0: `response` holds the answer and belongs
// to the callback. Non-zero: -1 no answer in time, -2 end of table, anything else a failure.
using SnmpResultCallback = unsigned (*)(std::unique_ptr<CSnmp> response, int requestId,
                                        void* context, int status);

class CCommonSNMP {
public:
    // Copies the process-wide session parameters.
    CCommonSNMP();
    virtual ~CCommonSNMP();
    CCommonSNMP(const CCommonSNMP&) = delete;
    CCommonSNMP& operator=(const CCommonSNMP&) = delete;

    // 1 ready, 0 refused (unsupported version, or a PDU type version 1 has no community for).
    int Open(int pduType);
    int AddValue(const std::string& oid, int valueType, const std::string& value);
    int AddValue(const std::string& oid, int valueType, const char* value, unsigned length);
    // Synchronous request; 0 with a response the caller owns, otherwise a status.
    int Send(std::unique_ptr<CSnmp>& response, unsigned timeoutMs = 0);
    // Synchronous request through the table walker (a get-next moves the bindings on).
    int GetNext(std::unique_ptr<CSnmp>& response, unsigned timeoutMs = 0);
    int GetSuffix(int index, const CSnmp& response, std::string& suffix);
    // Scalars (".0") read with the first request of every later walk; false for an OID that
    // is none. Their answer once it came: the bindings in the order asked.
    bool SetLeadingScalars(const std::vector<std::string>& objects);
    std::vector<SnmpVarBind> TakeLeadingAnswer();
    // The GetNext request on the worker thread; the result goes to `callback`. Always -1.
    int StartRequest(SnmpResultCallback callback, void* context, uintptr_t unusedWindow,
                     unsigned timeoutMs);
    int StartRequest(SnmpResultCallback callback, void* context, unsigned timeoutMs = 0);
    // 1 if the id was pending (now removed), 0 if not.
    int RemovePending(int requestId);
    void SignalIdle();
    // Cancels: no new asynchronous request until the next Open; waits for the worker to go
    // idle (at most timeout + 1000 ms); forgets the pending ids.
    void Close();

    // For tests and diagnostics.
    int Version() const { return m_version; }
    unsigned TimeoutMs() const { return m_timeoutMs; }
    bool IsIdle() const;
    bool HasWorker() const;
    CSnmp* Message() const { return m_message.get(); }
    static int LastRequestId();

private:
    void StopWorker();
    bool WaitForWorkerExit(std::chrono::milliseconds limit);
    void WorkerLoop();
    bool HasBindings() const;
    void ApplyV3Security();
    void SetIdle(bool idle);

    int m_version = 0;
    std::unique_ptr<CSnmp> m_message;
    std::unique_ptr<CSnmpTable> m_table;
    std::string m_address;
    uint16_t m_port = 161;
    unsigned m_timeoutMs = 3000;
    std::string m_readCommunity;
    std::string m_writeCommunity;
    std::string m_securityLevel;
    std::string m_authProtocol;
    std::string m_privProtocol;
    std::string m_userName;
    std::string m_authPassword;
    std::string m_privPassword;

    // Guards the library objects and the request in hand.
    mutable std::mutex m_lock;
    SnmpResultCallback m_callback = nullptr;
    void* m_context = nullptr;
    unsigned m_requestTimeoutMs = 0;
    int m_requestId = 0;

    // Guards the pending ids, the idle state and the worker's life.
    mutable std::mutex m_stateMutex;
    std::condition_variable m_stateChanged;
    std::vector<int> m_pending;
    bool m_idle = true;
    bool m_workerActive = false;
    std::thread m_worker;
    std::thread::id m_workerId;

    std::atomic<bool> m_running{false};
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_stopping{false}; // Open or the destructor is stopping the worker
};

// Closes `session` and writes the "==================<name>.Close===============" line.
void CloseAndTrace(CCommonSNMP& session, const char* memberName);
