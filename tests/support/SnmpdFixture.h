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

class SnmpdFixture {
public:
    struct Options {
        std::string roCommunity = "guests";
        std::string rwCommunity = "keepers";
        std::vector<SnmpdUser> users;
    };

    SnmpdFixture() = default;
    ~SnmpdFixture();

    // Starts snmpd and waits until it listens. False (with Error()) when it cannot.
    bool Start(const Options& options);
    bool Start() { return Start(Options()); }
    void Stop();
    void Pause() { m_process.Pause(); }
    void Resume() { m_process.Resume(); }

    int Port() const { return m_port; }
    std::string Address() const { return "127.0.0.1"; }
    // "127.0.0.1:PORT" for Net-SNMP's command-line tools.
    std::string Peer() const { return "udp:127.0.0.1:" + std::to_string(m_port); }
    const std::string& Error() const { return m_error; }
    std::string Log() const;

    // The users most tests need: noAuthNoPriv, MD5, SHA and SHA+DES.
    static std::vector<SnmpdUser> StandardUsers();

private:
    ChildProcess m_process;
    std::string m_dir;
    int m_port = -1;
    std::string m_error;
};

// Path of a system program (snmpd, snmpwalk, ...), empty when missing.
std::string FindProgram(const std::string& name);

} // namespace testsupport
