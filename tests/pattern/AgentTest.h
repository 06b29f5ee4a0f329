// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Tests of the dialog pattern against Net-SNMP's snmpd. Besides MIB-II it serves a small
// trunk table (group 1: ports 3 and 4, group 2: ports 2 and 8) and one VLAN row of the
// switch's private MIB. Net-SNMP's own command-line tools check what reached the agent.
#pragma once

#include "features/common/SnmpRequests.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/SnmpdFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class AgentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        agent = std::make_unique<testsupport::SnmpdFixture>();
        testsupport::SnmpdFixture::Options options;
        const std::string trunks = ".1.3.6.1.4.1.99999.10.76.17.8.1.3.1.2";
        const std::string vlans = ".1.3.6.1.4.1.99999.10.76.17.7.6.1";
        // PortList octets that snmpd takes as plain text: "0" is 0x30 (ports 3 and 4),
        // "A" is 0x41 (ports 2 and 8).
        options.extraConfig = {
            "override " + trunks + ".1 octet_str \"0\"",
            "override " + trunks + ".2 octet_str \"A\"",
            "override " + vlans + ".1.1 octet_str \"default\"",
            "override " + vlans + ".5.1 integer 1",
        };
        started = agent->Start(options);
    }
    static void TearDownTestSuite() { agent.reset(); }

    void SetUp() override {
        ASSERT_TRUE(started) << agent->Error();
        SessionParameters() = SessionParametersData();
        SessionParameters().DeviceAddress = agent->Address();
        SessionParameters().SnmpPort = std::to_string(agent->Port());
        SessionParameters().RequestTimeout = "2000";
        DeviceValues() = DeviceValuesData();
    }

    // A value as Net-SNMP's snmpget prints it alone (strings without quotes).
    static std::string ToolGet(const std::string& oid) {
        const std::string command = "MIBS= " + testsupport::FindProgram("snmpget") +
                                    " -v2c -c guests -Oqv " + agent->Peer() + " " + oid + " 2>&1";
        std::string output = testsupport::RunCommand(command);
        while (!output.empty() && (output.back() == '\n' || output.back() == '"')) {
            output.pop_back();
        }
        if (!output.empty() && output.front() == '"') {
            output.erase(0, 1);
        }
        return output;
    }

    // How many set requests the agent has received (snmpInSetRequests).
    static long SetRequestsReceived() { return std::stol(ToolGet("1.3.6.1.2.1.11.17.0")); }

    // The number of rows of one column, as Net-SNMP's snmpwalk counts them.
    static int ToolRowCount(const std::string& column) {
        const std::string command = "MIBS= " + testsupport::FindProgram("snmpwalk") +
                                    " -v2c -c guests -On " + agent->Peer() + " " + column;
        const std::string output = testsupport::RunCommand(command);
        int rows = 0;
        for (char c : output) {
            rows += c == '\n' ? 1 : 0;
        }
        return rows;
    }

    testsupport::MessageScript messages;
    testsupport::TraceCapture trace;

    static inline std::unique_ptr<testsupport::SnmpdFixture> agent;
    static inline bool started = false;
};

inline const std::string kSysContact = ScalarOid("1.3.6.1.2.1.1.4");
inline const std::string kSysName = ScalarOid("1.3.6.1.2.1.1.5");
inline const std::string kSysLocation = ScalarOid("1.3.6.1.2.1.1.6");
inline const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";
inline const std::string kIfDescr = "1.3.6.1.2.1.2.2.1.2";
