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

class SimFixture : public AgentFixture {
public:
    struct Options {
        std::string model = "KSX-7700-52";
        // Further command-line options, for example {"--transfer-seconds", "0.2"}.
        std::vector<std::string> arguments;
        bool requestLog = false;
    };

    // Starts ksx-sim and waits for its ready file. False (with Error()) when it cannot.
    bool Start(const Options& options);
    bool Start() { return Start(Options()); }
    // A private folder that lives as long as the simulator (for overlay files and the like).
    const std::string& Dir() const { return m_dir; }

    std::vector<SimSetRecord> SetLog() const;
    std::vector<SimRequestRecord> RequestLog() const;

    // The ksx-sim program of this build.
    static std::string Program();
};

} // namespace testsupport
