// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ksx-sim, the simulated switch, as a test peer: started on a free loopback port with any
// of its options, its set log read back as records.
#pragma once

#include "tests/support/AgentProcess.h"

#include <string>
#include <vector>

namespace testsupport {

struct SimSetBinding {
    std::string oid;
    std::string type; // "INTEGER", "OCTET STRING", "IpAddress", ...
    std::string value;
};

// One set request as the simulator logged it.
struct SimSetRecord {
    std::string version;  // "1", "2c" or "3"
    std::string security; // community or SNMPv3 user
    std::vector<SimSetBinding> bindings;
    std::string result; // "noError", "wrongValue", ...
    int errorIndex = 0;
};

// One request as the simulator logged it (--request-log).
struct SimRequestRecord {
    std::string pdu; // "get", "getnext", "getbulk", "set", "unknown"
    std::string security;
    std::vector<std::string> oids;
    bool answered = false;
    std::string reason;  // why it was not answered
    int repetitions = 0; // max-repetitions of a GETBULK
};

class SimFixture {
public:
    struct Options {
        std::string model = "KSX-7700-52";
        // Further command-line options, for example {"--transfer-seconds", "0.2"}.
        std::vector<std::string> arguments;
        bool requestLog = false;
    };

    SimFixture() = default;
    ~SimFixture();
    SimFixture(const SimFixture&) = delete;
    SimFixture& operator=(const SimFixture&) = delete;

    // Starts ksx-sim and waits for its ready file. False (with Error()) when it cannot.
    bool Start(const Options& options);
    bool Start() { return Start(Options()); }
    void Stop();
    void Pause() { m_process.Pause(); }
    void Resume() { m_process.Resume(); }

    int Port() const { return m_port; }
    std::string Address() const { return "127.0.0.1"; }
    // "udp:127.0.0.1:PORT" for Net-SNMP's command-line tools.
    std::string Peer() const { return "udp:127.0.0.1:" + std::to_string(m_port); }
    const std::string& Error() const { return m_error; }
    // What the simulator wrote to stdout and stderr.
    std::string Log() const;
    // A private folder that lives as long as the fixture (for overlay files and the like).
    const std::string& Dir() const { return m_dir; }

    std::vector<SimSetRecord> SetLog() const;
    std::vector<SimRequestRecord> RequestLog() const;

    // The ksx-sim program of this build.
    static std::string Program();

private:
    ChildProcess m_process;
    std::string m_dir;
    int m_port = -1;
    std::string m_error;
};

} // namespace testsupport
