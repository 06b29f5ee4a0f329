// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A small synchronous SNMP client on Net-SNMP's single-session API, the independent peer
// the simulator's tests talk through.
#pragma once

#include "sim/model/Value.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace simtest {

struct Credentials {
    std::string community = "guests";
    // SNMPv3 when user is not empty.
    std::string user;
    std::string auth; // "", "MD5" or "SHA"
    std::string authPassword;
    std::string priv; // "", "DES" or "AES"
    std::string privPassword;
};

struct Bound {
    std::string oid;
    int type = 0; // BER tag, or 0x80/0x81/0x82 for noSuchObject/noSuchInstance/endOfMibView
    ksxsim::Value value;
};

struct Reply {
    bool answered = false; // false: time-out or a refused request (see error)
    std::string error;     // the library's text when not answered
    long errorStatus = 0;
    long errorIndex = 0;
    std::vector<Bound> bindings;
};

class SnmpPeer {
public:
    SnmpPeer(const std::string& address, Credentials credentials, int timeoutMs = 1000,
             int retries = 1);
    ~SnmpPeer();
    SnmpPeer(const SnmpPeer&) = delete;
    SnmpPeer& operator=(const SnmpPeer&) = delete;

    Reply Get(const std::vector<std::string>& oids);
    Reply GetNext(const std::vector<std::string>& oids);
    Reply Set(const std::vector<std::pair<std::string, ksxsim::Value>>& bindings);
    // Every binding from root on (get-next until the first OID outside root).
    std::vector<Bound> Walk(const std::string& root);

    // The value of one object, or nothing.
    std::optional<ksxsim::Value> Value(const std::string& oid);
    long Number(const std::string& oid, long fallback = -1);

private:
    Reply Request(int command, const std::vector<std::pair<std::string, ksxsim::Value>>& bindings);

    void* m_session = nullptr;
};

} // namespace simtest
