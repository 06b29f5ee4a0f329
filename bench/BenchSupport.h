// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What several benchmarks share: wall time, medians, and Net-SNMP's tools timed or counted.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start);
double Median(std::vector<double> values);

// Runs a program with MIBS empty (no MIB files loaded) and its output thrown away; the wall
// time from start to exit, or a negative number when it failed.
double TimeProgram(const std::vector<std::string>& argv);

// How many objects snmpwalk (community "guests", no MIB files) lists under `subtree`.
std::size_t CountSnmpwalkObjects(const std::string& snmpwalk, const std::string& peer,
                                 const std::string& subtree);

} // namespace bench
