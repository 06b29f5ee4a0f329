// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// The running simulator, through Net-SNMP's command-line tools as an independent peer.
#include "sim/model/Oid.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/SimFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using testsupport::SimFixture;

namespace {

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kSysLocation = "1.3.6.1.2.1.1.6.0";
const std::string kUpTime = "1.3.6.1.2.1.1.3.0";
const std::string kGuests = "-v2c -c guests";
const std::string kKeepers = "-v2c -c keepers";
const std::string kQuick = " -t 0.3 -r 0"; // for requests that must go unanswered
const std::string kTimeout = "Timeout: No Response";

// One line of tests/data/known-oids.txt: an object the module reads or writes
// (scalars with ".0", table columns without an index).
struct KnownObject {
    bool scalar = false;
    std::string oid;
    bool poeOnly = false;
};

std::vector<KnownObject> KnownObjects() {
    std::ifstream input(std::string(KSX_SOURCE_DIR) + "/tests/data/known-oids.txt");
    const std::regex row("([^#|][^|]*)\\|([^|]*)\\|[^|]*\\|[^|]*\\|([^|]*)\\|[^|]*");
    std::vector<KnownObject> objects;
    std::smatch m;
    for (std::string line; std::getline(input, line);) {
        if (std::regex_match(line, m, row)) {
            objects.push_back({m[1] == "scalar", m[2], m[3] == "28P"});
        }
    }
    return objects;
}

class SimAgent : public ::testing::Test {
protected:
    void StartSim(SimFixture::Options options = {}) {
        ASSERT_TRUE(m_sim.Start(options)) << m_sim.Error();
    }
    // A Net-SNMP tool run against the simulator (no MIB files): what it prints, errors too.
    std::string Snmp(const std::string& tool, const std::string& options,
                     const std::string& arguments, int* code = nullptr) {
        return testsupport::RunCommand("MIBS= " + tool + " -On -Le -t 1 -r 1 " + options + " " +
                                           m_sim.Peer() + " " + arguments + " 2>&1",
                                       code);
    }
    // "TYPE: value" of each object, one per line.
    std::string Get(const std::string& oids, const std::string& who = kGuests) {
        return Snmp("snmpget", who + " -Ov", oids);
    }
    // The value of a number (TimeTicks as a count), or -1.
    long Number(const std::string& oid, const std::string& who = kGuests) {
        const std::string out = Snmp("snmpget", who + " -Oqvt", oid);
        char* end = nullptr;
        const long value = std::strtol(out.c_str(), &end, 10);
        return end != out.c_str() && std::string(end) == "\n" ? value : -1;
    }
    // "noError", or the error status and the failed object snmpset reports.
    std::string Set(const std::string& bindings, const std::string& who = kKeepers) {
        int code = -1;
        const std::string out = Snmp("snmpset", who, bindings, &code);
        std::smatch m;
        if (std::regex_search(out, m, std::regex("Reason: (\\w+).*\\nFailed object: \\.(\\S+)"))) {
            return m[1].str() + " at " + m[2].str();
        }
        return code == 0 ? "noError" : out;
    }

    // The set log, a line a request: version, security, result, error index, bindings.
    std::vector<std::string> SetLog() const {
        std::vector<std::string> lines;
        for (const auto& r : m_sim.SetLog()) {
            lines.push_back(r.version + " " + r.security + " " + r.result + " " +
                            std::to_string(r.errorIndex));
            for (const auto& b : r.bindings) {
                lines.back() += " " + b.oid + "=" + b.type + ":" + b.value;
            }
        }
        return lines;
    }

    SimFixture m_sim;
};

} // namespace

class SimModels : public SimAgent, public ::testing::WithParamInterface<const char*> {};

TEST_P(SimModels, WholeTreeComesInOrderAndEveryObjectTheModuleUsesIsAnswered) {
    StartSim({GetParam(), {}});
    const bool poe = std::string(GetParam()) == "KSX-7700-28P";
    int code = -1;
    std::istringstream lines(Snmp("snmpwalk", kGuests + " -Oq", "1", &code));
    EXPECT_EQ(code, 0);
    std::vector<std::string> walked;
    for (std::string line; std::getline(lines, line);) {
        if (line.ends_with("(It is past the end of the MIB tree)")) {
            break;
        }
        if (line.starts_with(".")) { // not the rest of a value spread over lines
            walked.push_back(line.substr(1, line.find(' ') - 1));
        }
    }
    ASSERT_GT(walked.size(), 1000u);
    EXPECT_EQ(walked.front(), "1.3.6.1.2.1.1.1.0");
    for (size_t i = 1; i < walked.size(); ++i) {
        ASSERT_LT(*ksxsim::ParseOid(walked[i - 1]), *ksxsim::ParseOid(walked[i])) << walked[i];
    }
    const std::set<std::string> names(walked.begin(), walked.end());
    const auto objects = KnownObjects();
    ASSERT_GT(objects.size(), 250u);
    std::string scalars;
    for (const auto& object : objects) {
        auto next = names.lower_bound(object.oid + (object.scalar ? "" : "."));
        const bool present = next != names.end() &&
                             (object.scalar ? *next == object.oid : next->starts_with(object.oid));
        EXPECT_EQ(present, !object.poeOnly || poe) << object.oid;
        if (object.scalar && present) {
            scalars += " " + object.oid;
        }
    }
    // every scalar answers a get of its own, too
    const std::string got = Get(scalars);
    EXPECT_EQ(std::count(got.begin(), got.end(), '\n'),
              std::count(scalars.begin(), scalars.end(), ' '));
    EXPECT_EQ(got.find("No Such"), std::string::npos) << got;
    if (!poe) {
        EXPECT_EQ(Get(P + ".22.6.0"), "No Such Object available on this agent at this OID\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Models, SimModels,
                         ::testing::Values("KSX-7700-20", "KSX-7700-28", "KSX-7700-28P",
                                           "KSX-7700-48", "KSX-7700-52"));

TEST_F(SimAgent, SetsFollowTheCommunitiesAreCheckedAndLogged) {
    StartSim();
    EXPECT_EQ(Get(kSysName), "STRING: \"KSX-7700-52\"\n");
    EXPECT_EQ(Set(kSysName + " s lab", kGuests), "noAccess at " + kSysName);
    EXPECT_EQ(Set(kSysName + " s lab"), "noError");
    EXPECT_EQ(Get(kSysName), "STRING: \"lab\"\n");
    EXPECT_NE(Get(kSysName, "-v2c -c public" + kQuick).find(kTimeout), std::string::npos);

    // Refused sets change nothing.
    EXPECT_EQ(Set(kSysName + " s never " + P + ".1.13.1.2.3 i 9"),
              "wrongValue at " + P + ".1.13.1.2.3");
    EXPECT_EQ(Get(kSysName), "STRING: \"lab\"\n");
    EXPECT_EQ(Set(P + ".7.6.1.1.77 s x"), "noCreation at " + P + ".7.6.1.1.77");
    EXPECT_EQ(Set(kSysName + " i 3"), "wrongType at " + kSysName);
    EXPECT_EQ(Set(kUpTime + " t 3"), "notWritable at " + kUpTime);

    const std::string name = kSysName + "=OCTET STRING:";
    EXPECT_EQ(SetLog(),
              (std::vector<std::string>{
                  "2c guests noAccess 0 " + name + "lab", "2c keepers noError 0 " + name + "lab",
                  "2c keepers wrongValue 2 " + name + "never " + P + ".1.13.1.2.3=INTEGER:9",
                  "2c keepers noCreation 1 " + P + ".7.6.1.1.77=OCTET STRING:x",
                  "2c keepers wrongType 1 " + kSysName + "=INTEGER:3",
                  "2c keepers notWritable 1 " + kUpTime + "=TimeTicks:3"}));
}

TEST_F(SimAgent, CustomCommunitiesAndVersion3UsersReadAndWrite) {
    StartSim({"KSX-7700-52",
              {"--ro-community", "look", "--rw-community", "touch", "--v3-user",
               "alice:SHA:alicepass1:DES:aliceprivate", "--v3-user",
               "bert:MD5:bertpass12:AES:bertprivate1", "--v3-user", "cleo:none::none:"}});
    const std::string alice =
        "-v3 -u alice -l authPriv -a SHA -A alicepass1 -x DES -X aliceprivate";
    EXPECT_EQ(Set(kSysLocation + " s 'room 5'", alice), "noError");
    EXPECT_EQ(Get(kSysLocation, alice), "STRING: \"room 5\"\n");
    EXPECT_EQ(
        Get(kSysLocation, "-v3 -u bert -l authPriv -a MD5 -A bertpass12 -x AES -X bertprivate1"),
        "STRING: \"room 5\"\n");
    EXPECT_EQ(Get(kSysLocation, "-v3 -u cleo -l noAuthNoPriv"), "STRING: \"room 5\"\n");
    // wrong keys, a level below the user's, an unknown user
    for (const std::string who :
         {"-v3 -u alice -l authPriv -a SHA -A wrongpass1 -x DES -X aliceprivate",
          "-v3 -u alice -l authPriv -a SHA -A alicepass1 -x DES -X wrongprivate",
          "-v3 -u alice -l authNoPriv -a SHA -A alicepass1",
          "-v3 -u mallory -l authPriv -a SHA -A alicepass1 -x DES -X aliceprivate"}) {
        EXPECT_EQ(Get(kSysLocation, who + kQuick).find("room 5"), std::string::npos) << who;
    }
    // the switch's own user table lists the agent's users
    EXPECT_EQ(Number(P + ".25.2.1.1.4.5.97.108.105.99.101.3", alice), 3);
    EXPECT_EQ(SetLog(), std::vector<std::string>{"3 alice noError 0 " + kSysLocation +
                                                 "=OCTET STRING:room 5"});
    // custom communities replace the default ones
    EXPECT_NE(Get(kSysName, kKeepers + kQuick).find(kTimeout), std::string::npos);
    EXPECT_EQ(Set(P + ".1.12.0 i 1", "-v2c -c touch"), "noError");
    EXPECT_EQ(Number(P + ".1.12.0", "-v2c -c look"), 1);
}

TEST_F(SimAgent, SaveRebootAndFirmwareUpgradeRunTheirCourse) {
    StartSim({"KSX-7700-52",
              {"--save-seconds", "0.3", "--transfer-seconds", "0.3", "--reboot-seconds", "0.8"}});
    const auto started = std::chrono::steady_clock::now();
    const std::string writer = kKeepers + kQuick;
    // a save reads one while it runs
    ASSERT_EQ(Set(kSysLocation + " s saved"), "noError");
    ASSERT_EQ(Set(P + ".1.10.0 i 1"), "noError");
    EXPECT_EQ(Number(P + ".1.10.0", writer), 1);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return Number(P + ".1.10.0", writer) == 2; }));

    // a reboot silences the switch and restarts it
    ASSERT_EQ(Set(kSysName + " s unsaved"), "noError");
    ASSERT_EQ(Set(P + ".1.9.0 i 1"), "noError");
    EXPECT_EQ(Number(kUpTime, writer), -1);
    ASSERT_TRUE(testsupport::WaitUntil([&] { return Number(kUpTime, writer) >= 0; }));
    long uptime = Number(kUpTime, writer);
    auto lived = std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - started)
                     .count();
    EXPECT_LT(uptime * 10, lived) << "sysUpTime started again";
    EXPECT_EQ(Get(kSysName), "STRING: \"KSX-7700-52\"\n") << "what was not saved is gone";
    EXPECT_EQ(Get(kSysLocation), "STRING: \"saved\"\n");

    // a firmware upgrade transfers, restarts and succeeds
    ASSERT_EQ(Set(P + ".3.1.0 a 192.0.2.9 " + P + ".3.2.0 s image.bin"), "noError");
    ASSERT_EQ(Set(P + ".3.3.0 i 1"), "noError");
    EXPECT_EQ(Number(P + ".3.4.0", writer), 4);
    bool sawApplying = false, sawSilence = false;
    ASSERT_TRUE(testsupport::WaitUntil([&] {
        const long state = Number(P + ".3.4.0", writer);
        sawSilence = sawSilence || state == -1;
        sawApplying = sawApplying || state == 3;
        return state == 1;
    }));
    EXPECT_TRUE(sawApplying);
    EXPECT_TRUE(sawSilence);
}

TEST_F(SimAgent, FaultsDropAndDelayAnswers) {
    StartSim(
        {"KSX-7700-28P",
         {"--drop", P + ".22", "--drop", "1.3.6.1.2.1.17.7", "--drop-after", "6", "--delay", "5"},
         true});
    const std::string quick = kGuests + kQuick;
    EXPECT_EQ(Get(kSysName, quick), "STRING: \"KSX-7700-28P\"\n");
    EXPECT_NE(Get(P + ".22.6.0", quick).find(kTimeout), std::string::npos);
    EXPECT_NE(Snmp("snmpgetnext", quick, "1.3.6.1.2.1.17.6").find(kTimeout), std::string::npos)
        << "the next object is dropped";
    for (int i = 0; i < 5; ++i) {
        EXPECT_GE(Number(kUpTime, quick), 0);
    }
    EXPECT_EQ(Number(kUpTime, quick), -1) << "six answers, then none";
    auto log = m_sim.RequestLog();
    ASSERT_EQ(log.size(), 9u);
    EXPECT_EQ(log[1].reason, "drop");
    EXPECT_EQ(log[1].oids, std::vector<std::string>{P + ".22.6.0"});
    EXPECT_EQ(log[8].reason, "drop-after");
    EXPECT_TRUE(log[0].answered);
}

TEST_F(SimAgent, AnimationChangesLinksAndThePoeLampMode) {
    StartSim({"KSX-7700-28P", {"--animate", "--animate-seconds", "0.05"}});
    const auto links = [&] { return Snmp("snmpwalk", kGuests, "1.3.6.1.2.1.2.2.1.8"); };
    const std::string first = links(), mode = Get(P + ".22.8.0");
    EXPECT_TRUE(testsupport::WaitUntil([&] { return links() != first; }));
    EXPECT_TRUE(testsupport::WaitUntil([&] { return Get(P + ".22.8.0") != mode; }));
}
