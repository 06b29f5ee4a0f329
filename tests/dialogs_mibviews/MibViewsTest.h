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

// Walks each column with snmpwalk and puts the values side by side, row by row; `cell`
// turns (column number, value) into the text the dialog shows.
template <class Cell>
Rows SnmpwalkRows(const std::string& peer, const std::vector<std::string>& columns, Cell cell) {
    std::vector<std::vector<WalkedValue>> walked;
    for (const std::string& column : columns) {
        walked.push_back(Snmpwalk(peer, column));
    }
    Rows rows(walked.front().size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < columns.size(); ++column) {
            const std::string value =
                row < walked[column].size() ? walked[column][row].value : "<missing>";
            rows[row].push_back(cell(column, value));
        }
    }
    return rows;
}

// The interface table's columns (index, status, speed) and how the dialog shows them.
inline const std::vector<std::string> kInterfaceColumns = {
    "1.3.6.1.2.1.2.2.1.1", "1.3.6.1.2.1.2.2.1.8", "1.3.6.1.2.1.2.2.1.5"};
inline std::string InterfaceCell(std::size_t column, const std::string& value) {
    if (column == 1) {
        return value == "1"   ? "Connected"
               : value == "2" ? "UnConnected"
               : value == "3" ? "Test"
                              : "Unknown";
    }
    return column == 2 ? std::to_string(std::stoull(value) / 1000000) + "M" : value;
}

inline bool WaitForWalk(const QWidget* dialog) {
    auto* refresh = testsupport::Find<QPushButton>(dialog, QStringLiteral("refreshButton"));
    return refresh != nullptr && testsupport::WaitUntil([&] { return refresh->isEnabled(); });
}

} // namespace mibviews
