// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ksx-snmp run as a program against Net-SNMP's snmpd; Net-SNMP's own command-line tools
// give the values to compare with.
#include "tests/support/SimFixture.h"
#include "tests/support/SnmpdFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kSystemGroup = "1.3.6.1.2.1.1";
const std::string kSysDescr = "1.3.6.1.2.1.1.1.0";
const std::string kSysUpTime = "1.3.6.1.2.1.1.3.0";
const std::string kSysContact = "1.3.6.1.2.1.1.4.0";
const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kSysOrId = "1.3.6.1.2.1.1.9.1.2";
const std::vector<std::string> kV2c = {"-v2c", "-c", "guests"};
const std::vector<std::string> kIfColumns = {
    "1.3.6.1.2.1.2.2.1.1", // ifIndex: INTEGER
    "1.3.6.1.2.1.2.2.1.2", // ifDescr: text
    "1.3.6.1.2.1.2.2.1.5", // ifSpeed: Gauge32
    "1.3.6.1.2.1.2.2.1.6"  // ifPhysAddress: bytes, empty for the loopback interface
};
const std::vector<std::string> kIpAddrColumns = {
    "1.3.6.1.2.1.4.20.1.1", // ipAdEntAddr: IpAddress
    "1.3.6.1.2.1.4.20.1.2", // ipAdEntIfIndex: INTEGER
    "1.3.6.1.2.1.4.20.1.3"  // ipAdEntNetMask: IpAddress
};

struct ProcessResult {
    int exitCode = -1; // -1 when the program did not end normally
    std::string out;
    std::string err;
};

// A shell word that hands `text` to the program unchanged, whatever bytes it holds.
std::string Quoted(const std::string& text) {
    return "'" + std::regex_replace(text, std::regex("'"), "'\\''") + "'";
}

// Runs `program` with `args` as they are (stdin empty); `environment` is "NAME=value ...".
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& environment = "") {
    const std::string dir = testsupport::MakeTempDir("ksx-tool-run-");
    std::string line = environment + " exec " + Quoted(program);
    for (const std::string& arg : args) {
        line += " " + Quoted(arg);
    }
    ProcessResult result;
    result.out = testsupport::RunCommand(line + " </dev/null 2>" + dir + "/err", &result.exitCode);
    result.err = testsupport::ReadFile(dir + "/err");
    testsupport::RemoveTree(dir);
    return result;
}

// Values in a form both programs' output can be brought to, "OID|TAG|VALUE" each: octet
// strings always as lower-case hexadecimal under tag 4, every other value as text.
using Values = std::vector<std::string>;

bool IsPrintable(const std::string& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](unsigned char c) { return c >= 0x20 && c <= 0x7E; });
}

// ksx-snmp's OID|TAG|VALUE lines. Also checks the text-or-hex choice of octet strings.
Values ParseToolOutput(const std::string& output) {
    Values values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (!std::regex_match(line, m, std::regex("([^|]*)\\|([^|]*)\\|(.*)"))) {
            ADD_FAILURE() << "not an OID|TAG|VALUE line: " << line;
            continue;
        }
        std::string value = m[3], bytes;
        if (m[2] == "4") {
            EXPECT_TRUE(IsPrintable(value)) << line;
            std::swap(bytes, value);
            for (unsigned char c : bytes) {
                value += {"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 0x0F]};
            }
        } else if (m[2] == "4x") {
            for (size_t i = 0; i + 1 < value.size(); i += 2) {
                bytes += static_cast<char>(std::stoi(value.substr(i, 2), nullptr, 16));
            }
            EXPECT_FALSE(IsPrintable(bytes)) << "printable text shown as hex: " << line;
        }
        values.push_back(m[1].str() + "|" + (m[2] == "4x" ? "4" : m[2].str()) + "|" + value);
    }
    return values;
}

// Hexadecimal digits as Net-SNMP prints them, without blanks and in lower case.
std::string HexDigits(std::string text) {
    std::erase_if(text, [](unsigned char c) { return std::isspace(c); });
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// snmpwalk/snmpget output with -On -Ox: every octet string in hexadecimal, possibly spread
// over several lines; an empty one shows as "".
Values ParseNetSnmpOutput(const std::string& output) {
    static const std::vector<std::pair<std::string, std::string>> kTags = {
        {"INTEGER: ", "2"},  {"Hex-STRING: ", "4"}, {"OID: .", "6"},
        {"\"\"", "4"},       {"IpAddress: ", "64"}, {"Counter32: ", "65"},
        {"Gauge32: ", "66"}, {"Counter64: ", "70"}, {"Timeticks: (", "67"}};
    Values values;
    std::string tag;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(".")) {
            if (tag == "4") { // a hex string goes on
                values.back() += HexDigits(line);
            }
            continue;
        }
        const size_t equals = line.find(" = ");
        std::string value = line.substr(equals + 3);
        tag = "?";
        for (const auto& [prefix, code] : kTags) {
            if (value.starts_with(prefix)) {
                tag = code;
                value.erase(0, prefix.size());
            }
        }
        values.push_back(line.substr(1, equals - 1) + "|" + tag + "|" +
                         (tag == "67"  ? value.substr(0, value.find(')'))
                          : tag == "4" ? HexDigits(value)
                                       : value));
    }
    return values;
}

// sysUpTime moves on between two reads: take it as equal when both are TimeTicks no more
// than a minute apart, then blank it out so that everything else compares exactly.
void MatchUpTimeLoosely(Values& ours, Values& theirs) {
    const std::string prefix = kSysUpTime + "|67|";
    std::vector<long> ticks;
    for (Values* values : {&ours, &theirs}) {
        for (std::string& value : *values) {
            if (value.starts_with(prefix)) {
                ticks.push_back(std::stol(value.substr(prefix.size())));
                value = prefix;
            }
        }
    }
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_LE(std::labs(ticks[0] - ticks[1]), 6000L);
}

// ksx-sim standing where an agent would, answering nothing and logging what arrives.
struct SilentAgent : testsupport::SimFixture {
    SilentAgent() { EXPECT_TRUE(Start({"KSX-7700-52", {"--drop-after", "0"}, true})) << Error(); }
};

class KsxSnmpTool : public testsupport::SnmpdSuite {
protected:
    static std::string V1CommandLine(const std::string& writeCommunity = "keepers", int port = 0) {
        return "/Nksx /I127.0.0.1 /Rguests /W" + writeCommunity + " /Efalse /V1 /P" +
               std::to_string(port != 0 ? port : agent->Port());
    }
    // User shadesuser, SHA and DES. Fields 8 and 9 are skipped; 10 is read and used by nothing.
    static std::string V3CommandLine(const std::string& privPassword) {
        return "/Nksx /I127.0.0.1 /Rguests /Wkeepers /Efalse /V3 /P" +
               std::to_string(agent->Port()) + " /a /b /c1 /L3 /Ushadesuser /Ashapassword /X" +
               privPassword + " /H3 /D2";
    }

    static ProcessResult Tool(const std::vector<std::string>& args) {
        return RunProgram(KSX_SNMP_TOOL, args);
    }
    // What snmpwalk or snmpget (no MIB files loaded) prints for `oids`.
    static Values NetSnmp(const std::string& program, std::vector<std::string> args,
                          const std::vector<std::string>& oids) {
        args.insert(args.end(), {"-On", "-Ox", agent->Peer()});
        args.insert(args.end(), oids.begin(), oids.end());
        return ParseNetSnmpOutput(RunProgram(testsupport::FindProgram(program), args, "MIBS=").out);
    }
    static Values Snmpwalk(const std::string& oid) { return NetSnmp("snmpwalk", kV2c, {oid}); }

    // What a walk of `columns` must print: row after row, each row's values in column order.
    static Values RowsBySnmpwalk(const std::vector<std::string>& columns) {
        std::vector<Values> byColumn;
        for (const std::string& column : columns) {
            byColumn.push_back(Snmpwalk(column));
            EXPECT_EQ(byColumn.back().size(), byColumn.front().size()) << column;
        }
        Values rows;
        for (size_t row = 0; row < byColumn.front().size(); ++row) {
            for (const Values& column : byColumn) {
                rows.push_back(column.at(row));
            }
        }
        return rows;
    }
};

TEST_F(KsxSnmpTool, WalksMatchSnmpwalk) {
    const ProcessResult walk = Tool({V1CommandLine(), "walk", kSystemGroup});
    Values theirs = Snmpwalk(kSystemGroup);
    ASSERT_EQ(walk.exitCode, 0) << walk.err;
    EXPECT_EQ(walk.err, "");
    Values ours = ParseToolOutput(walk.out);
    ASSERT_GT(theirs.size(), 10u);
    MatchUpTimeLoosely(ours, theirs);
    EXPECT_EQ(ours, theirs);
    // Several columns print row by row, like snmpwalk of each column side by side.
    for (const auto& columns : {kIfColumns, kIpAddrColumns}) {
        std::vector<std::string> args = {V1CommandLine(), "walk"};
        args.insert(args.end(), columns.begin(), columns.end());
        const ProcessResult walk = Tool(args);
        ASSERT_EQ(walk.exitCode, 0) << walk.err;
        const Values expected = RowsBySnmpwalk(columns);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(ParseToolOutput(walk.out), expected);
    }
}

TEST_F(KsxSnmpTool, GetAndGetNextPrintEveryBindingInOrder) {
    const ProcessResult get = Tool({V1CommandLine(), "get", kSysName, kSysDescr,
                                    "1.3.6.1.2.1.11.1.0", "1.3.6.1.2.1.31.1.1.1.6.1"});
    ASSERT_EQ(get.exitCode, 0) << get.err;
    const Values values = ParseToolOutput(get.out);
    ASSERT_EQ(values.size(), 4u) << get.out;
    EXPECT_EQ(Values(values.begin(), values.begin() + 2),
              NetSnmp("snmpget", kV2c, {kSysName, kSysDescr}));
    // snmpInPkts and ifHCInOctets move with the traffic: their tags and digits are what counts.
    EXPECT_TRUE(values[2].starts_with("1.3.6.1.2.1.11.1.0|65|")) << values[2];
    EXPECT_TRUE(values[3].starts_with("1.3.6.1.2.1.31.1.1.1.6.1|70|")) << values[3];
    EXPECT_GT(std::stoull(values[2].substr(values[2].rfind('|') + 1)), 0ull);

    const ProcessResult next = Tool({V1CommandLine(), "getnext", kSysDescr, kSysOrId});
    ASSERT_EQ(next.exitCode, 0) << next.err;
    const Values walked = Snmpwalk(kSysOrId);
    ASSERT_FALSE(walked.empty());
    const Values nextValues = ParseToolOutput(next.out);
    ASSERT_EQ(nextValues.size(), 2u);
    EXPECT_TRUE(nextValues[0].starts_with("1.3.6.1.2.1.1.2.0|6|")) << nextValues[0];
    EXPECT_EQ(nextValues[1], walked.front());
}

TEST_F(KsxSnmpTool, SetRoundTripsThroughTheTool) {
    const ProcessResult set = Tool({V1CommandLine(), "set", kSysContact, "2", "noc | on call",
                                    kSysName, "2x", "6b73782d3031"});
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out, kSysContact + "|4|noc | on call\n" + kSysName + "|4|ksx-01\n");

    const ProcessResult get = Tool({V1CommandLine(), "get", kSysContact, kSysName});
    ASSERT_EQ(get.exitCode, 0) << get.err;
    EXPECT_EQ(get.out, set.out);
    EXPECT_EQ(ParseToolOutput(get.out), NetSnmp("snmpget", kV2c, {kSysContact, kSysName}));
}

// What version 1 reads is checked against Net-SNMP above; the session's own version 3
// levels and protocols are checked with the session layer.
TEST_F(KsxSnmpTool, Version3ShaDesGetSeesWhatVersion1Sees) {
    const ProcessResult get = Tool({V3CommandLine("despassword"), "get", kSysDescr, kSysName});
    ASSERT_EQ(get.exitCode, 0) << get.err;
    EXPECT_EQ(get.out, Tool({V1CommandLine(), "get", kSysDescr, kSysName}).out);
}

TEST_F(KsxSnmpTool, FailedRequestsExitWithOneAndTheStatus) {
    SilentAgent deadAgent;
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{V1CommandLine(), "set", kSysContact, "1", "5"}, "set failed: status 7 (wrongType)"},
        // The write community goes with sets: here it is the agent's read-only one.
        {{V1CommandLine("guests"), "set", kSysContact, "2", "nobody"}, "set failed: status"},
        {{V1CommandLine(), "get", "1.3.6.1.2.1.1.99.0"}, "get failed: status 2 (noSuchName)"},
        // One missing object fails the whole request, as with an SNMPv1 agent.
        {{V1CommandLine(), "get", kSysDescr, "1.3.6.1.2.1.1.99.0"}, "get failed: status 2"},
        {{"--timeout", "1500", V3CommandLine("wrongpassword"), "get", kSysDescr},
         "get failed: status"},
        {{"-t", "300", V1CommandLine("keepers", deadAgent.Port()), "walk", kSystemGroup},
         "walk failed: status -1"}};
    for (const auto& c : cases) {
        const ProcessResult result = Tool(c.args);
        EXPECT_EQ(result.exitCode, 1) << c.error;
        EXPECT_EQ(result.out, "") << c.error;
        EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
    }
    ASSERT_FALSE(deadAgent.RequestLog().empty()); // it did ask at the port of field 7
    EXPECT_EQ(deadAgent.RequestLog()[0].oids, std::vector<std::string>{kSystemGroup});

    // A walk outside the agent's objects is no failure: it ends quietly.
    const ProcessResult walk = Tool({V1CommandLine(), "walk", "1.3.6.1.2.1.1.99"});
    EXPECT_EQ(walk.exitCode, 0) << walk.err;
    EXPECT_EQ(walk.out, "");
    EXPECT_EQ(walk.err, "");
}

TEST_F(KsxSnmpTool, BadArgumentsExitWithUsageErrorAndSendNothing) {
    SilentAgent device;
    const std::string port = std::to_string(device.Port());
    const std::string commandLine = V1CommandLine("keepers", device.Port());
    const std::vector<std::vector<std::string>> cases = {
        {},
        {commandLine},
        {commandLine, "fetch", kSysDescr},
        {commandLine, "get"},
        {commandLine, "walk"},
        {commandLine, "get", "1.3.x.1"},
        {commandLine, "get", "1"},
        {commandLine, "get", kSysDescr, ""},
        {commandLine, "getnext", std::string(600, '1')},
        {commandLine, "get", std::string("\xff\xfe\x01", 3)},
        {commandLine, "set", kSysContact, "2"},
        {commandLine, "set", kSysContact, "4", "x"},
        {commandLine, "set", kSysContact, "1", "abc"},
        {commandLine, "set", kSysContact, "1", "99999999999"},
        {commandLine, "set", kSysContact, "8", "300.1.2.3"},
        {commandLine, "set", kSysContact, "10", "-1"},
        {commandLine, "set", kSysContact, "2x", "abc"},
        {commandLine, "set", kSysContact, "2x", "zz"},
        {commandLine, "set", kSysContact, "2", "ok", "1.3", "1"},
        {"", "get", kSysDescr},
        {"   ", "get", kSysDescr},
        {"/Nksx", "get", kSysDescr},
        {"/Nksx /I /Rguests /V1 /P" + port, "get", kSysDescr},
        {"/Nksx /I127.0.0.1 /Rguests /Wkeepers /Efalse /V2 /P" + port, "get", kSysDescr},
        {"--timeout", "abc", commandLine, "get", kSysDescr},
        {"--timeout"},
        {"-t", "0", commandLine, "get", kSysDescr},
        {"--verbose", commandLine, "get", kSysDescr}};
    for (const std::vector<std::string>& args : cases) {
        const ProcessResult result = Tool(args);
        std::string shown;
        for (const std::string& arg : args) {
            shown += "[" + arg + "] ";
        }
        EXPECT_EQ(result.exitCode, 2) << shown << result.err;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_EQ(result.err.rfind("ksx-snmp: ", 0), 0u) << shown << result.err;
    }
    EXPECT_TRUE(device.RequestLog().empty());
}

TEST_F(KsxSnmpTool, HelpPrintsTheUsage) {
    for (const char* option : {"--help", "-h"}) {
        const ProcessResult help = Tool({option});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.rfind("Usage: ksx-snmp", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("OID|TAG|VALUE"), std::string::npos);
        EXPECT_EQ(help.err, "");
    }
}

// Snapshots of ksx-sim and their differences, with the switch and between two files, with an
// exit status as diff's; a switch that leaves one group unanswered gives no file.
TEST_F(KsxSnmpTool, SnapshotsOfTheSwitchAndTheirDifferences) {
    testsupport::SimFixture sim;
    ASSERT_TRUE(
        sim.Start({"KSX-7700-28", {"--v3-user", "ops3:SHA:auth-pass9:DES:priv-pass9"}, false}))
        << sim.Error();
    const std::string dir = testsupport::MakeTempDir("ksx-snapshot");
    const std::string commandLine = V1CommandLine("keepers", sim.Port());
    ASSERT_EQ(Tool({commandLine, "snapshot", dir + "/a"}).exitCode, 0);
    const ProcessResult same = Tool({commandLine, "diff", dir + "/a"});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");

    // One change in each of eleven dialogs, from the switch's console, and a RADIUS key.
    const std::string p = "1.3.6.1.4.1.99999.10.76.17.";
    const std::vector<std::vector<std::string>> changes{
        {p + "16.1.1.0", "8", "10.0.0.9"},  {p + "26.1.3.0", "1", "0"},
        {p + "1.12.0", "1", "1"},           {"1.3.6.1.2.1.17.2.2.0", "1", "4096"},
        {p + "7.8.1.2.1", "1", "1"},        {p + "10.1.3.0", "1", "300"},
        {p + "14.7.1.0", "2x", "c0000000"}, {p + "13.3.2.0", "1", "2"},
        {p + "14.10.1.1.2.3", "1", "1"},    {p + "11.2.9.1.2.4", "1", "1"},
        {p + "25.8.2.0", "1", "2"},         {p + "11.1.2.0", "2", "s3cret-key"}};
    for (const auto& change : changes) {
        ASSERT_EQ(Tool({commandLine, "set", change[0], change[1], change[2]}).exitCode, 0)
            << change[0];
    }
    std::string changed;
    for (const char* line :
         {"System / Syslog Host Configuration / Host IP: 0.0.0.0 -> 10.0.0.9",
          "VLAN / Auto Surveillance VLAN Setting / Priority: High -> Highest",
          "L2 Function / Jumbo Frame Configuration / Enable Jumbo Frame: Disabled -> Enabled",
          "L2 Function / Spanning Tree / Priority: 32768 -> 4096",
          "L2 Function / Multicast Filtering Mode configuration / VLAN 1 / Multicast Filtering "
          "Mode: Forward Unregistered Groups -> Filtering Unregistered Groups",
          "L2 Function / IGMP Snooping Configuration / Host Timeout(130-153025 sec): 260 -> 300",
          "Security / DHCP Server Screening Port Configuration / DHCP Server Trusted Port:  -> "
          "1-2",
          "Security / Storm Control Settings / Storm Control Type: Broadcast Only -> Multicast & "
          "Broadcast",
          "Security / Smart Binding / Smart Binding Settings / Port 3 / Admin State: Disabled -> "
          "Enabled",
          "AAA / 802.1X  Settings / Port 4 / AuthControlledPortControl: Force Authorized -> Force "
          "Unauthorized",
          "SNMP / SNMP Trap Configuration / Device Bootup: Enabled -> Disabled"}) {
        changed += "Device Manager / " + std::string(line) + "\n";
    }
    const ProcessResult withSwitch = Tool({commandLine, "diff", dir + "/a"});
    EXPECT_EQ(withSwitch.exitCode, 1);
    EXPECT_EQ(withSwitch.out, changed);
    ASSERT_EQ(Tool({commandLine, "snapshot", dir + "/b"}).exitCode, 0);
    const ProcessResult files = Tool({"", "diff", dir + "/a", dir + "/b"});
    EXPECT_EQ(files.exitCode, 1);
    EXPECT_EQ(files.out, changed);
    const std::string text = testsupport::ReadFile(dir + "/b");
    EXPECT_NE(text.find("\"Port 28\"]"), std::string::npos);
    EXPECT_NE(text.find("Radius Server IP"), std::string::npos);
    for (const char* secret : {"keepers", "guests", "s3cret-key", "auth-pass9", "priv-pass9"}) {
        EXPECT_EQ(text.find(secret), std::string::npos) << secret;
    }

    std::ofstream(dir + "/c") << "hostname core\n";
    const ProcessResult foreign = Tool({"", "diff", dir + "/a", dir + "/c"});
    EXPECT_EQ(foreign.exitCode, 2);
    EXPECT_EQ(foreign.err, "ksx-snmp: " + dir + "/c: not a settings snapshot\n");

    sim.Stop();
    ASSERT_TRUE(sim.Start({"KSX-7700-28", {"--drop", "1.3.6.1.4.1.99999.10.76.17.16"}, false}));
    const ProcessResult unanswered =
        Tool({V1CommandLine("keepers", sim.Port()), "snapshot", dir + "/d"});
    EXPECT_EQ(unanswered.exitCode, 1);
    EXPECT_EQ(unanswered.err, "ksx-snmp: The switch did not answer while reading Device Manager "
                              "/ System / Syslog Host Configuration.\n");
    EXPECT_FALSE(std::ifstream(dir + "/d").good());
    testsupport::RemoveTree(dir);
}

} // namespace
