// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Tests of the dialog pattern against ksx-sim: a 28-port switch whose trunk table holds
// group 1 (ports 3 and 4) and group 2 (ports 2 and 8). Net-SNMP's snmpget reads values back
// independently of the program's own session layer.
#pragma once

#include "features/common/SnmpRequests.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/SnmpdFixture.h"

#include <string>

inline const std::string kSysContact = ScalarOid("1.3.6.1.2.1.1.4");
inline const std::string kSysName = ScalarOid("1.3.6.1.2.1.1.5");
inline const std::string kSysLocation = ScalarOid("1.3.6.1.2.1.1.6");
inline const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";
inline const std::string kPortSpeed = PrivateOid("1.13.1.2");
inline const std::string kPortFlowControl = PrivateOid("1.13.1.5");

class PatternTest : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        const std::string trunks = PrivateOid("8.1.3.1.2");
        return {"KSX-7700-28", DataArguments({trunks + ".1|4x|3000000000000000",
                                              trunks + ".2|4x|4100000000000000"})};
    }

    // A value as Net-SNMP's snmpget prints it alone (strings without their quotes).
    std::string ToolGet(const std::string& oid) const {
        std::string output =
            testsupport::RunCommand("MIBS= " + testsupport::FindProgram("snmpget") +
                                    " -v2c -c guests -Oqv " + sim.Peer() + " " + oid + " 2>&1");
        output.erase(output.find_last_not_of("\n\"") + 1);
        return output.erase(0, output.find_first_not_of('"'));
    }
};
