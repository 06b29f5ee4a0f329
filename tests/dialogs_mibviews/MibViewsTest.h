// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the public MIB view tests share: the rows a dialog shows, and the same table as
// Net-SNMP's snmpwalk reads it, independently of the program's own SNMP layer.
#pragma once

#include "tests/support/AgentProcess.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/SnmpdFixture.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace mibviews {

using Rows = testsupport::TextRows;
using testsupport::ListRows;

// One line of snmpwalk -On -Oq output: the instance OID and the value.
struct WalkedValue {
    std::string oid;
    std::string value;
};

inline std::vector<WalkedValue> Snmpwalk(const std::string& peer, const std::string& column) {
    const std::string output = testsupport::RunCommand(
        "MIBS= " + testsupport::FindProgram("snmpwalk") + " -v2c -c guests -On -Oq -Ot -Oe " +
        peer + " " + column + " 2>/dev/null");
    std::vector<WalkedValue> values;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const auto blank = line.find(' ');
        if (line.empty() || line.front() != '.' || blank == std::string::npos) {
            continue;
        }
        values.push_back({line.substr(1, blank - 1), line.substr(blank + 1)});
    }
    return values;
}

// The index of a walked instance below `column`.
inline std::string IndexOf(const WalkedValue& value, const std::string& column) {
    return value.oid.substr(column.size() + 1);
}

// The interface table as snmpwalk reads it and the dialog shows it: index, status, speed in
// whole megabits.
inline Rows InterfacesBySnmpwalk(const std::string& peer) {
    const auto index = Snmpwalk(peer, "1.3.6.1.2.1.2.2.1.1");
    const auto status = Snmpwalk(peer, "1.3.6.1.2.1.2.2.1.8");
    const auto speed = Snmpwalk(peer, "1.3.6.1.2.1.2.2.1.5");
    Rows rows;
    for (std::size_t i = 0; i < index.size() && i < status.size() && i < speed.size(); ++i) {
        const std::string& s = status[i].value;
        rows.push_back({index[i].value,
                        s == "1"   ? "Connected"
                        : s == "2" ? "UnConnected"
                        : s == "3" ? "Test"
                                   : "Unknown",
                        std::to_string(std::stoull(speed[i].value) / 1000000) + "M"});
    }
    return rows;
}

inline bool WaitForWalk(const QWidget* dialog) {
    auto* refresh = testsupport::Find<QPushButton>(dialog, QStringLiteral("refreshButton"));
    return refresh != nullptr && testsupport::WaitUntil([&] { return refresh->isEnabled(); });
}

} // namespace mibviews
