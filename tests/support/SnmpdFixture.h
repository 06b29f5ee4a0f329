// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Net-SNMP's own snmpd as a test peer: a private configuration on a free loopback port,
// nothing read from or written to the system's SNMP folders.
#pragma once

#include "tests/support/AgentProcess.h"

#include <string>
#include <vector>

namespace testsupport {

struct SnmpdUser {
    std::string name;
    std::string auth; // "", "MD5" or "SHA"
    std::string authPassword;
    std::string priv; // "", "DES" or "AES"
    std::string privPassword;
};

class SnmpdFixture : public AgentFixture {
public:
    struct Options {
        std::string roCommunity = "guests";
        std::string rwCommunity = "keepers";
        std::vector<SnmpdUser> users;
    };

    // Starts snmpd and waits until it listens. False (with Error()) when it cannot.
    bool Start(const Options& options);
    bool Start() { return Start(Options()); }

    // The users most tests need: noAuthNoPriv, MD5, SHA and SHA+DES.
    static std::vector<SnmpdUser> StandardUsers();
};

// Path of a system program (snmpd, snmpwalk, ...), empty when missing.
std::string FindProgram(const std::string& name);

} // namespace testsupport
