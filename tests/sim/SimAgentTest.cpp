// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// The running simulator, through a real SNMP peer and through Net-SNMP's command-line tools.
#include "tests/sim/SnmpPeer.h"
#include "tests/support/SimFixture.h"
#include "tests/support/SnmpdFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

using ksxsim::Value;
using simtest::Credentials;
using simtest::SnmpPeer;
using testsupport::SimFixture;

namespace {

const std::string P = "1.3.6.1.4.1.99999.10.76.17";
constexpr int kNoSuchObject = 0x80;
constexpr long kNoAccess = 6;
constexpr long kWrongValue = 10;

Credentials Community(const std::string& name) {
    return {name, "", "", "", "", ""};
}

Credentials V3(const std::string& user, const std::string& auth, const std::string& authPass,
               const std::string& priv, const std::string& privPass) {
    return {"", user, auth, authPass, priv, privPass};
}

// One line of tests/data/known-oids.txt: an object the module reads or writes
// (scalars with ".0", table columns without an index).
struct KnownObject {
    bool scalar = false;
    std::string oid;
    bool poeOnly = false;
};

std::vector<KnownObject> KnownObjects() {
    std::ifstream input(std::string(KSX_SOURCE_DIR) + "/tests/data/known-oids.txt");
    std::vector<KnownObject> objects;
    for (std::string line; std::getline(input, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '|');) {
            fields.push_back(field);
        }
        if (!line.empty() && line[0] != '#' && fields.size() == 6) {
            objects.push_back({fields[0] == "scalar", fields[1], fields[4] == "28P"});
        }
    }
    return objects;
}

// Polls until the condition holds or the limit passes; the simulator's timed behaviours
// are short in tests, the limit only guards against a hang.
bool Eventually(const std::function<bool()>& condition, int limitMs = 15000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

class SimAgent : public ::testing::Test {
protected:
    void StartSim(SimFixture::Options options = {}) {
        ASSERT_TRUE(m_sim.Start(options)) << m_sim.Error();
    }
    std::string Address() const { return m_sim.Address() + ":" + std::to_string(m_sim.Port()); }
    std::unique_ptr<SnmpPeer> Peer(const Credentials& credentials, int timeoutMs = 1000,
                                   int retries = 1) {
        return std::make_unique<SnmpPeer>(Address(), credentials, timeoutMs, retries);
    }
    std::unique_ptr<SnmpPeer> Writer() { return Peer(Community("keepers")); }

    SimFixture m_sim;
};

} // namespace

class SimModels : public SimAgent, public ::testing::WithParamInterface<const char*> {};

TEST_P(SimModels, WholeTreeComesInOrderAndEveryObjectTheModuleUsesIsAnswered) {
    SimFixture::Options options;
    options.model = GetParam();
    StartSim(options);
    const bool poe = options.model == "KSX-7700-28P";
    auto peer = Peer(Community("guests"));
    auto rows = peer->Walk("1");
    ASSERT_GT(rows.size(), 1000u);
    for (size_t i = 1; i < rows.size(); ++i) {
        auto previous = ksxsim::ParseOid(rows[i - 1].oid);
        auto current = ksxsim::ParseOid(rows[i].oid);
        ASSERT_TRUE(previous && current);
        ASSERT_LT(*previous, *current) << rows[i].oid << " after " << rows[i - 1].oid;
    }
    EXPECT_EQ(rows.front().oid, "1.3.6.1.2.1.1.1.0");
    const auto objects = KnownObjects();
    ASSERT_GT(objects.size(), 250u);
    for (const auto& object : objects) {
        auto reply = object.scalar ? peer->Get({object.oid}) : peer->GetNext({object.oid});
        ASSERT_TRUE(reply.answered) << object.oid;
        ASSERT_EQ(reply.bindings.size(), 1u);
        const bool present = object.scalar ? reply.bindings[0].type < 0x80
                                           : reply.bindings[0].oid.rfind(object.oid + ".", 0) == 0;
        EXPECT_EQ(present, !object.poeOnly || poe) << object.oid;
    }
    if (!poe) {
        auto reply = peer->Get({P + ".22.6.0"});
        ASSERT_TRUE(reply.answered);
        EXPECT_EQ(reply.bindings[0].type, kNoSuchObject);
    }
}

INSTANTIATE_TEST_SUITE_P(Models, SimModels,
                         ::testing::Values("KSX-7700-20", "KSX-7700-28", "KSX-7700-28P",
                                           "KSX-7700-48", "KSX-7700-52"));

TEST_F(SimAgent, SetsFollowTheCommunitiesAreCheckedAndLogged) {
    StartSim();
    auto reader = Peer(Community("guests"));
    auto writer = Writer();
    EXPECT_EQ(reader->Value("1.3.6.1.2.1.1.5.0")->bytes, "KSX-7700-52");
    auto refused = reader->Set({{"1.3.6.1.2.1.1.5.0", Value::Str("lab")}});
    ASSERT_TRUE(refused.answered);
    EXPECT_EQ(refused.errorStatus, kNoAccess);
    auto accepted = writer->Set({{"1.3.6.1.2.1.1.5.0", Value::Str("lab")}});
    ASSERT_TRUE(accepted.answered);
    EXPECT_EQ(accepted.errorStatus, 0);
    EXPECT_EQ(reader->Value("1.3.6.1.2.1.1.5.0")->bytes, "lab");
    auto stranger = Peer(Community("public"), 300, 0);
    EXPECT_FALSE(stranger->Get({"1.3.6.1.2.1.1.5.0"}).answered);

    // Refused sets change nothing.
    auto reply = writer->Set(
        {{"1.3.6.1.2.1.1.5.0", Value::Str("never")}, {P + ".1.13.1.2.3", Value::Int(9)}});
    ASSERT_TRUE(reply.answered);
    EXPECT_EQ(reply.errorStatus, kWrongValue);
    EXPECT_EQ(reply.errorIndex, 2);
    EXPECT_EQ(writer->Value("1.3.6.1.2.1.1.5.0")->bytes, "lab");
    EXPECT_EQ(writer->Set({{P + ".7.6.1.1.77", Value::Str("x")}}).errorStatus, 11) << "noCreation";
    EXPECT_EQ(writer->Set({{"1.3.6.1.2.1.1.5.0", Value::Int(3)}}).errorStatus, 7) << "wrongType";
    EXPECT_EQ(writer->Set({{"1.3.6.1.2.1.1.3.0", Value::Ticks(3)}}).errorStatus, 17)
        << "notWritable";

    auto log = m_sim.SetLog();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[0].security, "guests");
    EXPECT_EQ(log[0].result, "noAccess");
    EXPECT_EQ(log[1].security, "keepers");
    EXPECT_EQ(log[1].version, "2c");
    EXPECT_EQ(log[1].result, "noError");
    ASSERT_EQ(log[1].bindings.size(), 1u);
    EXPECT_EQ(log[1].bindings[0].type, "OCTET STRING");
    EXPECT_EQ(log[1].bindings[0].value, "lab");
    EXPECT_EQ(log[2].result, "wrongValue");
    EXPECT_EQ(log[2].errorIndex, 2);
    ASSERT_EQ(log[2].bindings.size(), 2u);
    EXPECT_EQ(log[2].bindings[1].oid, P + ".1.13.1.2.3");
    EXPECT_EQ(log[2].bindings[1].type, "INTEGER");
    EXPECT_EQ(log[2].bindings[1].value, "9");
    EXPECT_EQ(log[3].result, "noCreation");
    EXPECT_EQ(log[4].result, "wrongType");
    EXPECT_EQ(log[5].result, "notWritable");

    // Rows are created and destroyed.
    const std::string index = ".4.108.97.98.115"; // community "labs"
    const std::string status = P + ".25.5.1.1.3" + index;
    ASSERT_EQ(writer->Set({{status, Value::Int(5)}}).errorStatus, 0);
    EXPECT_EQ(writer->Number(status), 2);
    ASSERT_EQ(writer->Set({{P + ".25.5.1.1.2" + index, Value::Str("keepers")}}).errorStatus, 0);
    ASSERT_EQ(writer->Set({{status, Value::Int(1)}}).errorStatus, 0);
    std::vector<std::string> listed;
    for (const auto& row : writer->Walk(P + ".25.5.1.1.1")) {
        listed.push_back(row.value.bytes);
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"labs", "guests", "keepers"}));
    ASSERT_EQ(writer->Set({{status, Value::Int(6)}}).errorStatus, 0);
    EXPECT_EQ(writer->Walk(P + ".25.5.1.1.1").size(), 2u);
}

TEST_F(SimAgent, CustomCommunitiesAndVersion3UsersReadAndWrite) {
    SimFixture::Options options;
    options.arguments = {"--ro-community", "look",
                         "--rw-community", "touch",
                         "--v3-user",      "alice:SHA:alicepass1:DES:aliceprivate",
                         "--v3-user",      "bert:MD5:bertpass12:AES:bertprivate1",
                         "--v3-user",      "cleo:none::none:"};
    StartSim(options);
    auto alice = Peer(V3("alice", "SHA", "alicepass1", "DES", "aliceprivate"));
    auto reply = alice->Set({{"1.3.6.1.2.1.1.6.0", Value::Str("room 5")}});
    ASSERT_TRUE(reply.answered) << reply.error;
    EXPECT_EQ(reply.errorStatus, 0);
    EXPECT_EQ(alice->Value("1.3.6.1.2.1.1.6.0")->bytes, "room 5");
    EXPECT_TRUE(
        Peer(V3("bert", "MD5", "bertpass12", "AES", "bertprivate1"))->Value("1.3.6.1.2.1.1.6.0"));
    EXPECT_TRUE(Peer(V3("cleo", "", "", "", ""))->Value("1.3.6.1.2.1.1.6.0"));
    // Wrong keys are tried from a process of their own: Net-SNMP keeps the first keys of a
    // user for the whole process.
    if (!testsupport::FindProgram("snmpget").empty()) {
        int code = 0;
        const auto snmpget = [&](const std::string& keys) {
            return testsupport::RunCommand("MIBS= snmpget -v3 -u alice -l authPriv -a SHA -x DES " +
                                               keys + " -r 0 -t 1 " + m_sim.Peer() +
                                               " 1.3.6.1.2.1.1.6.0 2>&1",
                                           &code);
        };
        std::string out = snmpget("-A wrongpass1 -X aliceprivate");
        EXPECT_NE(code, 0) << out;
        out = snmpget("-A alicepass1 -X wrongprivate");
        EXPECT_EQ(out.find("room 5"), std::string::npos) << out;
    }
    EXPECT_FALSE(Peer(V3("alice", "SHA", "alicepass1", "", ""), 500, 0)->Value("1.3.6.1.2.1.1.6.0"))
        << "alice must use privacy";
    EXPECT_FALSE(Peer(V3("mallory", "SHA", "alicepass1", "DES", "aliceprivate"), 500, 0)
                     ->Value("1.3.6.1.2.1.1.6.0"));
    // the switch's own user table lists the agent's users
    EXPECT_EQ(alice->Number(P + ".25.2.1.1.4.5.97.108.105.99.101.3"), 3);
    auto log = m_sim.SetLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].version, "3");
    EXPECT_EQ(log[0].security, "alice");
    // custom communities replace the default ones
    EXPECT_FALSE(Peer(Community("keepers"), 300, 0)->Get({"1.3.6.1.2.1.1.1.0"}).answered);
    EXPECT_EQ(Peer(Community("touch"))->Set({{P + ".1.12.0", Value::Int(1)}}).errorStatus, 0);
    EXPECT_EQ(Peer(Community("look"))->Number(P + ".1.12.0"), 1);
}

TEST_F(SimAgent, SaveRebootAndFirmwareUpgradeRunTheirCourse) {
    SimFixture::Options options;
    options.arguments = {"--save-seconds",   "0.3", "--transfer-seconds", "0.3",
                         "--reboot-seconds", "0.8"};
    StartSim(options);
    const auto started = std::chrono::steady_clock::now();
    auto writer = Peer(Community("keepers"), 300, 0);
    // a save reads one while it runs
    ASSERT_EQ(writer->Set({{P + ".1.10.0", Value::Int(1)}}).errorStatus, 0);
    EXPECT_EQ(writer->Number(P + ".1.10.0"), 1);
    EXPECT_TRUE(Eventually([&] { return writer->Number(P + ".1.10.0") == 2; }));

    // a reboot silences the switch and restarts it
    ASSERT_EQ(writer->Set({{"1.3.6.1.2.1.1.5.0", Value::Str("unsaved")}}).errorStatus, 0);
    ASSERT_EQ(writer->Set({{P + ".1.9.0", Value::Int(1)}}).errorStatus, 0);
    EXPECT_FALSE(writer->Get({"1.3.6.1.2.1.1.3.0"}).answered);
    ASSERT_TRUE(Eventually([&] { return writer->Get({"1.3.6.1.2.1.1.3.0"}).answered; }));
    long uptime = writer->Number("1.3.6.1.2.1.1.3.0");
    auto lived = std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now() - started)
                     .count();
    EXPECT_LT(uptime * 10, lived) << "sysUpTime started again";
    EXPECT_EQ(writer->Value("1.3.6.1.2.1.1.5.0")->bytes, "KSX-7700-52")
        << "what was not saved is gone";

    // a firmware upgrade transfers, restarts and succeeds
    ASSERT_EQ(writer
                  ->Set({{P + ".3.1.0", Value::Ip(192, 0, 2, 9)},
                         {P + ".3.2.0", Value::Str("image.bin")}})
                  .errorStatus,
              0);
    ASSERT_EQ(writer->Set({{P + ".3.3.0", Value::Int(1)}}).errorStatus, 0);
    EXPECT_EQ(writer->Number(P + ".3.4.0"), 4);
    bool sawApplying = false, sawSilence = false;
    ASSERT_TRUE(Eventually([&] {
        auto reply = writer->Get({P + ".3.4.0"});
        if (!reply.answered) {
            sawSilence = true;
            return false;
        }
        long state = static_cast<long>(reply.bindings[0].value.number);
        sawApplying = sawApplying || state == 3;
        return state == 1;
    }));
    EXPECT_TRUE(sawApplying);
    EXPECT_TRUE(sawSilence);
}

TEST_F(SimAgent, FailingTransferEndsInFailure) {
    SimFixture::Options options;
    options.arguments = {"--transfer-seconds", "0.2", "--transfer-fail"};
    StartSim(options);
    auto writer = Writer();
    ASSERT_EQ(writer
                  ->Set({{P + ".3.5.0", Value::Ip(192, 0, 2, 9)},
                         {P + ".3.6.0", Value::Str("config.cfg")}})
                  .errorStatus,
              0);
    ASSERT_EQ(writer->Set({{P + ".3.7.0", Value::Int(2)}}).errorStatus, 0);
    EXPECT_EQ(writer->Number(P + ".3.8.0"), 4);
    EXPECT_TRUE(Eventually([&] { return writer->Number(P + ".3.8.0") == 2; }));
}

TEST_F(SimAgent, OverlayWinsOverDefaults) {
    SimFixture::Options options;
    const std::string dir = testsupport::MakeTempDir("ksx-sim-overlay-");
    const std::string data = dir + "/overlay.snmprec";
    ASSERT_TRUE(testsupport::WriteFile(data, "1.3.6.1.2.1.1.5.0|4|edge-3\n" + P +
                                                 ".7.6.1.1.12|4|voice\n" + P + ".1.15.1.0|2|2\n"));
    options.arguments = {"--data", data};
    StartSim(options);
    auto reader = Peer(Community("guests"));
    EXPECT_EQ(reader->Value("1.3.6.1.2.1.1.5.0")->bytes, "edge-3");
    EXPECT_EQ(reader->Value(P + ".7.6.1.1.12")->bytes, "voice");
    EXPECT_EQ(reader->Number(P + ".7.6.1.5.12"), 1);
    EXPECT_EQ(reader->Number(P + ".1.15.1.0"), 2);
    testsupport::RemoveTree(dir);
}

TEST_F(SimAgent, FaultsDropAndDelayAnswers) {
    SimFixture::Options options;
    options.arguments = {"--drop",       P + ".22", "--drop",  "1.3.6.1.2.1.17.7",
                         "--drop-after", "6",       "--delay", "5"};
    options.model = "KSX-7700-28P";
    options.requestLog = true;
    StartSim(options);
    auto peer = Peer(Community("guests"), 300, 0);
    EXPECT_TRUE(peer->Get({"1.3.6.1.2.1.1.5.0"}).answered);
    EXPECT_FALSE(peer->Get({P + ".22.6.0"}).answered);
    EXPECT_FALSE(peer->GetNext({"1.3.6.1.2.1.17.6"}).answered) << "the next object is dropped";
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(peer->Get({"1.3.6.1.2.1.1.1.0"}).answered);
    }
    EXPECT_FALSE(peer->Get({"1.3.6.1.2.1.1.1.0"}).answered) << "six answers, then none";
    auto log = m_sim.RequestLog();
    ASSERT_EQ(log.size(), 9u);
    EXPECT_EQ(log[1].reason, "drop");
    EXPECT_EQ(log[1].oids, std::vector<std::string>{P + ".22.6.0"});
    EXPECT_EQ(log[8].reason, "drop-after");
    EXPECT_TRUE(log[0].answered);
}

TEST_F(SimAgent, AnimationChangesLinks) {
    SimFixture::Options options;
    options.arguments = {"--animate", "--animate-seconds", "0.05"};
    StartSim(options);
    auto peer = Peer(Community("guests"));
    auto first = peer->Walk("1.3.6.1.2.1.2.2.1.8");
    EXPECT_TRUE(Eventually([&] {
        auto now = peer->Walk("1.3.6.1.2.1.2.2.1.8");
        for (size_t i = 0; i < now.size() && i < first.size(); ++i) {
            if (now[i].value.number != first[i].value.number) {
                return true;
            }
        }
        return false;
    }));
}

TEST_F(SimAgent, StoppedProcessAnswersAgainAndNetSnmpToolsWorkAsAgainstASwitch) {
    StartSim();
    auto peer = Peer(Community("guests"), 300, 0);
    m_sim.Pause();
    EXPECT_FALSE(peer->Get({"1.3.6.1.2.1.1.1.0"}).answered);
    m_sim.Resume();
    EXPECT_TRUE(Eventually([&] { return peer->Get({"1.3.6.1.2.1.1.1.0"}).answered; }));
    if (testsupport::FindProgram("snmpget").empty()) {
        GTEST_SKIP() << "Net-SNMP's command-line tools are not installed";
    }
    const std::string common = " -On -Le -r 1 -t 2 " + m_sim.Peer() + " ";
    int code = -1;
    std::string out = testsupport::RunCommand(
        "MIBS= snmpget -v2c -c guests" + common + "1.3.6.1.2.1.1.1.0 2>&1", &code);
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find("KSX-7700-52"), std::string::npos) << out;
    out = testsupport::RunCommand("MIBS= snmpset -v2c -c keepers" + common + P + ".7.6.1.5.9 i 4 " +
                                      P + ".7.6.1.1.9 s printers 2>&1",
                                  &code);
    EXPECT_EQ(code, 0) << out;
    out = testsupport::RunCommand("MIBS= snmpwalk -v2c -c guests" + common + P + ".7.6.1.1 2>&1",
                                  &code);
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find("\"default\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"printers\""), std::string::npos) << out;
    out = testsupport::RunCommand(
        "MIBS= snmpbulkwalk -v2c -c guests" + common + "1.3.6.1.2.1.2.2.1.1 2>&1", &code);
    EXPECT_EQ(code, 0) << out;
    EXPECT_NE(out.find(".1.3.6.1.2.1.2.2.1.1.1001 = INTEGER: 1001"), std::string::npos) << out;
}
