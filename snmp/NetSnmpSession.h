// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Net-SNMP side of the message layer: one single-session handle per message, requests
// whose wait can be cut short from another thread, and SNMPv3 engine-ID discovery. Private
// to snmp/; this header deliberately includes no Net-SNMP header.
#pragma once

#include "snmp/Snmp.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace snmpnet {

// Library start-up; safe to call more than once.
void InitLibrary();

// "udp:ADDRESS:PORT" (or "udp6:[ADDRESS]:PORT").
std::string PeerName(const std::string& address, uint16_t port);

class Deadline {
public:
    explicit Deadline(unsigned timeoutMs)
        : m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)) {}
    unsigned RemainingMs() const { return static_cast<unsigned>(RemainingUs() / 1000); }
    long RemainingUs() const {
        auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            m_end - std::chrono::steady_clock::now());
        return left.count() > 0 ? static_cast<long>(left.count()) : 0;
    }

private:
    std::chrono::steady_clock::time_point m_end;
};

enum class Version { V2c, V3 };
enum class SecurityLevel { NoAuthNoPriv, AuthNoPriv, AuthPriv };

struct SessionSettings {
    Version version = Version::V2c;
    std::string peer;
    // SNMPv3
    std::string userName;
    std::string engineId;
    int msgMaxSize = 1024;
    int securityModel = 3;
    SecurityLevel level = SecurityLevel::NoAuthNoPriv;
    bool authSha = false;
    std::string authPassword;
    std::string privPassword;

    // Everything that needs a new Net-SNMP session when it changes.
    std::string Key() const;
};

struct Request {
    int command = kPduGet;
    int maxRepetitions = 0; // above 0: a GETBULK instead of `command`
    int nonRepeaters = 0;   // of a GETBULK: the leading bindings asked for once
    const std::vector<SnmpVarBind>* bindings = nullptr;
    std::string community; // SNMPv2c
};

struct Answer {
    long errorStatus = 0;
    unsigned long errorIndex = 0;
    std::vector<SnmpVarBind> bindings;
};

class Transport {
public:
    Transport();
    ~Transport();
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // One request, one answer. kSnmpOk with `answer` filled, or a failure status.
    int Exchange(const SessionSettings& settings, const Request& request, const Deadline& deadline,
                 Answer& answer);
    // Asks the agent at `peer` for its SNMPv3 engine ID.
    int DiscoverEngineId(const std::string& peer, const Deadline& deadline, std::string& engineId);

    void Cancel();
    void ResetCancel();
    bool IsCancelled() const { return m_cancelled.load(); }

    // Called from Net-SNMP's callback; public for that reason only.
    void OnCallback(int operation, int requestId, void* pdu);

private:
    int OpenSession(const SessionSettings& settings);
    void CloseSession();
    int SendPdu(void* pdu);
    int WaitForAnswer(const Deadline& deadline);

    void* m_session = nullptr;
    std::string m_sessionKey;
    int m_wakeFd = -1;
    std::atomic<bool> m_cancelled{false};

    // The request in hand (touched only under the library mutex).
    int m_expectedRequestId = 0;
    bool m_done = false;
    int m_status = kSnmpOk;
    Answer* m_answer = nullptr;
    std::string* m_discoveredEngineId = nullptr;
};

} // namespace snmpnet
