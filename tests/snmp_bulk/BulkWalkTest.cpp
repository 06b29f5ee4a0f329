// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Walks with GETBULK must give every caller exactly what one get-next per step gives: the
// same rows, statuses, suffixes and moved bindings. Each walk runs twice on the same agent,
// once with bulk walks off and once on, and the two transcripts are compared.
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/SimFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace testsupport;

const std::string T = "1.3.6.1.4.1.99998";
const std::string P = "1.3.6.1.4.1.99999.10.76.17";
const std::string kLast = "1.3.9999.1.1"; // nothing follows it in the agent's MIB view
constexpr unsigned kStepTimeoutMs = 1500;
// Read with each walk's first request: sysContact and a scalar the agent lacks.
const std::vector<std::string> kLeading = {"1.3.6.1.2.1.1.4.0", "1.3.6.1.2.1.1.99.0"};

// Tables of the test's own: 37 rows ending before a further object; a sparse one; columns of
// 40, 12 and 25 rows; and one at the very end of the MIB view.
std::string TestTables() {
    std::string lines;
    auto put = [&lines](const std::string& oid, int tag, const std::string& value) {
        lines += oid + "|" + std::to_string(tag) + "|" + value + "\n";
    };
    for (int i = 1; i <= 37; ++i) {
        put(T + ".1.1.1." + std::to_string(i), 2, std::to_string(i * 7));
        put(T + ".1.1.2." + std::to_string(i), 4, "row-" + std::to_string(i));
    }
    put(T + ".2.1.1.1", 2, "7");
    for (int i = 1; i <= 30; ++i) {
        put(T + ".3.1.1." + std::to_string(i), 2, std::to_string(i));
        if (i % 4 != 0) {
            put(T + ".3.1.2." + std::to_string(i), 4, std::string(static_cast<size_t>(i), 'x'));
        }
        if (i % 3 == 1) {
            put(T + ".3.1.3." + std::to_string(i) + ".10.0.0." + std::to_string(i), 2, "1");
        }
    }
    for (int i = 1; i <= 40; ++i) {
        put(T + ".4.1.1." + std::to_string(i), 2, std::to_string(i));
        if (i <= 12) {
            put(T + ".4.1.2." + std::to_string(i), 4, "short");
        }
        if (i <= 25) {
            put(T + ".4.1.3." + std::to_string(i), 2, "-5");
        }
    }
    for (int i = 1; i <= 23; ++i) {
        put(kLast + ".1." + std::to_string(i), 2, std::to_string(i));
        put(kLast + ".2." + std::to_string(i), 4, "end");
    }
    return lines;
}

struct WalkCase {
    const char* name;
    std::vector<std::string> columns;
};

const std::vector<WalkCase>& WalkCases() {
    static const std::vector<WalkCase> cases = {
        {"ends in the middle of an answer", {T + ".1.1.1", T + ".1.1.2"}},
        {"sparse", {T + ".3.1.1", T + ".3.1.2", T + ".3.1.3"}},
        {"columns of different lengths", {T + ".4.1.1", T + ".4.1.2", T + ".4.1.3"}},
        {"shorter column first", {T + ".4.1.3", T + ".4.1.1"}},
        {"end of the MIB view", {kLast + ".1", kLast + ".2"}},
        {"port table",
         {P + ".1.13.1.2", P + ".1.13.1.3", P + ".1.13.1.5", P + ".12.3.1.1.2", P + ".1.13.1.6",
          P + ".1.13.1.7"}},
        {"panel link columns",
         {"1.3.6.1.2.1.2.2.1.3", "1.3.6.1.2.1.2.2.1.5", "1.3.6.1.2.1.2.2.1.7",
          "1.3.6.1.2.1.2.2.1.8", P + ".1.13.1.7"}},
        {"forwarding table", {"1.3.6.1.2.1.17.7.1.2.2.1.2", "1.3.6.1.2.1.17.7.1.2.2.1.3"}},
        {"a whole subtree", {"1.3.6.1.2.1.17.1"}}};
    return cases;
}

// What a caller sees of one step.
std::string StepText(CCommonSNMP& session, int status, const CSnmp* response) {
    std::string text = "status " + std::to_string(status);
    for (int i = 0; response != nullptr && i < response->getValuesCount(); ++i) {
        std::string suffix;
        int type = 0;
        std::string value;
        const int found = session.GetSuffix(i, *response, suffix);
        response->getValue(i, type, value);
        text += " | " + std::to_string(found) + ":" + suffix + " " + std::to_string(type) + ":" +
                value + " -> " + session.Message()->getOid(i);
    }
    return text;
}

std::vector<std::string> Steps(CCommonSNMP& session, int count) {
    std::vector<std::string> steps;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<CSnmp> response;
        const int status = session.GetNext(response, kStepTimeoutMs);
        steps.push_back(StepText(session, status, response.get()));
        if (status != kSnmpOk) {
            break;
        }
    }
    return steps;
}

// `leading`: scalars read in the walk's first request; what came back ends the transcript.
std::vector<std::string> Walk(CCommonSNMP& session, const std::vector<std::string>& columns,
                              const std::vector<std::string>& leadingScalars = {}) {
    session.Open(kPduGetNext);
    session.SetLeadingScalars(leadingScalars);
    for (const std::string& column : columns) {
        session.AddValue(column, kSnmpNull, "");
    }
    std::vector<std::string> steps = Steps(session, 100000);
    if (leadingScalars.empty()) {
        return steps;
    }
    std::string leading = "leading";
    for (const SnmpVarBind& binding : session.TakeLeadingAnswer()) {
        leading +=
            " " + OidToText(binding.oid) + " " + std::to_string(binding.type) + ":" + binding.value;
    }
    steps.push_back(leading);
    return steps;
}

int Count(const std::vector<SimRequestRecord>& log, size_t from, const std::string& pdu) {
    return static_cast<int>(std::count_if(log.begin() + static_cast<long>(from), log.end(),
                                          [&pdu](const auto& r) { return r.pdu == pdu; }));
}

class BulkWalkBase : public ::testing::Test {
protected:
    void StartSim(std::vector<std::string> arguments, bool v3 = false) {
        SnmpInit();
        m_dataDir = testsupport::MakeTempDir("ksx-bulk");
        const std::string data = m_dataDir + "/tables.snmprec";
        ASSERT_TRUE(testsupport::WriteFile(data, TestTables()));
        SimFixture::Options options;
        options.requestLog = true;
        options.arguments = {"--data", data, "--fdb", "200"};
        options.arguments.insert(options.arguments.end(), arguments.begin(), arguments.end());
        if (v3) {
            options.arguments.insert(options.arguments.end(),
                                     {"--v3-user", "walker:SHA:walkpass1:DES:walkpriv1"});
        }
        ASSERT_TRUE(m_sim.Start(options)) << m_sim.Error();
        SessionParametersData& p = SessionParameters() = SessionParametersData(); // version 1
        p.DeviceAddress = m_sim.Address();
        p.SnmpPort = std::to_string(m_sim.Port());
        if (v3) {
            std::tie(p.SnmpVersion, p.UserName, p.SecurityLevel, p.AuthProtocol, p.AuthPassword,
                     p.PrivProtocol, p.PrivPassword) =
                std::tie("3", "walker", "3", "3", "walkpass1", "2", "walkpriv1");
        }
    }
    void TearDown() override {
        SetSnmpBulkWalks(true);
        m_sim.Stop();
        testsupport::RemoveTree(m_dataDir);
    }

    SimFixture m_sim;
    std::string m_dataDir;
};

// ---- every table, against agents that treat GETBULK in every way ----

enum class Expect { Bulk, HalvedOnTooBig, GetNextAfterRefusal };

struct AgentCase {
    const char* name;
    std::vector<std::string> arguments;
    Expect expect;
    int refusedBulks = 0; // GETBULKs sent before the session settles on get-next
    bool v3 = false;
    int fewerRequests = 4; // the bulk walks need at most 1/N of the get-next requests
};

class BulkWalkAgents : public BulkWalkBase, public ::testing::WithParamInterface<AgentCase> {};

TEST_P(BulkWalkAgents, GiveTheSameStepsAsGetNext) {
    const AgentCase& agent = GetParam();
    StartSim(agent.arguments, agent.v3);
    CCommonSNMP plain;
    CCommonSNMP bulk; // one session for every walk: what it learns, it keeps
    int plainRequests = 0;
    for (const WalkCase& walk : WalkCases()) {
        SCOPED_TRACE(walk.name);
        SetSnmpBulkWalks(false);
        size_t mark = m_sim.RequestLog().size();
        const std::vector<std::string> expected = Walk(plain, walk.columns, kLeading);
        plainRequests += static_cast<int>(m_sim.RequestLog().size() - mark);
        ASSERT_GT(expected.size(), 2u);
        EXPECT_EQ(expected[expected.size() - 2].rfind("status -2", 0), 0u);
        EXPECT_EQ(expected.back(),
                  "leading 1.3.6.1.2.1.1.4.0 2:network operations 1.3.6.1.2.1.1.99.0 128:");

        SetSnmpBulkWalks(true);
        mark = m_sim.RequestLog().size();
        EXPECT_EQ(Walk(bulk, walk.columns, kLeading), expected);
        const auto log = m_sim.RequestLog();
        if (agent.expect != Expect::GetNextAfterRefusal) {
            EXPECT_EQ(Count(log, mark, "getnext"), 0);
            EXPECT_GT(Count(log, mark, "getbulk"), 0);
        }
    }
    const auto log = m_sim.RequestLog();
    int bulkRequests = Count(log, 0, "getbulk");
    switch (agent.expect) {
    case Expect::Bulk:
        EXPECT_LT(bulkRequests * agent.fewerRequests, plainRequests);
        break;
    case Expect::HalvedOnTooBig: {
        // a refused GETBULK is asked again from the same place for half the rows
        bool halved = false;
        for (size_t i = 1; i < log.size(); ++i) {
            halved = halved || (log[i].pdu == "getbulk" && log[i - 1].pdu == "getbulk" &&
                                log[i].oids == log[i - 1].oids &&
                                log[i].repetitions == log[i - 1].repetitions / 2);
        }
        EXPECT_TRUE(halved);
        break;
    }
    case Expect::GetNextAfterRefusal:
        EXPECT_EQ(bulkRequests, agent.refusedBulks);
        EXPECT_EQ(Count(log, 0, "getnext"), 2 * plainRequests);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Agents, BulkWalkAgents,
    ::testing::Values(
        AgentCase{"Answers", {}, Expect::Bulk},
        AgentCase{"CutsAnswersShort", {"--max-message", "600"}, Expect::Bulk, 0, false, 2},
        AgentCase{
            "AnswersTooBig", {"--max-message", "600", "--bulk-toobig"}, Expect::HalvedOnTooBig},
        AgentCase{"RefusesWithGenErr", {"--getbulk", "error"}, Expect::GetNextAfterRefusal, 1},
        AgentCase{"DropsGetBulk", {"--getbulk", "drop"}, Expect::GetNextAfterRefusal, 2},
        AgentCase{"SnmpV3AuthPriv", {}, Expect::Bulk, 0, true, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- what drops the rows fetched ahead ----

struct ScriptCase {
    const char* name;
    std::string script; // words: "open", "add:OID", "next:STEPS", "close", "rebind:OID"
    int bulkRequests;   // with bulk walks on
};

std::vector<std::string> RunScript(CCommonSNMP& session, const std::string& script) {
    std::vector<std::string> transcript;
    std::istringstream words(script);
    for (std::string word; words >> word;) {
        const std::string argument = word.substr(word.find(':') + 1);
        if (word == "open") {
            transcript.push_back("open " + std::to_string(session.Open(kPduGetNext)));
        } else if (word == "close") {
            session.Close();
        } else if (word.starts_with("add:")) {
            session.AddValue(argument, kSnmpNull, "");
        } else if (word.starts_with("rebind:")) {
            session.Message()->bindings().at(0).oid = ParseOid(argument);
        } else {
            const auto steps = Steps(session, std::stoi(argument));
            transcript.insert(transcript.end(), steps.begin(), steps.end());
        }
    }
    return transcript;
}

class BulkWalkRows : public BulkWalkBase, public ::testing::WithParamInterface<ScriptCase> {};

TEST_P(BulkWalkRows, AreDroppedWhenTheWalkChanges) {
    StartSim({});
    const ScriptCase& script = GetParam();
    SetSnmpBulkWalks(false);
    CCommonSNMP plain;
    const std::vector<std::string> expected = RunScript(plain, script.script);
    SetSnmpBulkWalks(true);
    CCommonSNMP bulk;
    const size_t mark = m_sim.RequestLog().size();
    EXPECT_EQ(RunScript(bulk, script.script), expected);
    const auto log = m_sim.RequestLog();
    EXPECT_EQ(Count(log, mark, "getbulk"), script.bulkRequests);
    EXPECT_EQ(Count(log, mark, "getnext"), 0);
}

const std::string C1 = " add:" + T + ".1.1.1";
const std::string C2 = " add:" + T + ".1.1.2";

INSTANTIATE_TEST_SUITE_P(
    Scripts, BulkWalkRows,
    ::testing::Values(
        // a walk given up after three rows cost one GETBULK; Open starts afresh
        ScriptCase{"Reopen", "open" + C1 + C2 + " next:3 open" + C1 + C2 + " next:2", 2},
        ScriptCase{"AnotherBindingList", "open" + C1 + " next:3 add:" + T + ".4.1.2 next:3", 2},
        ScriptCase{"Close", "open" + C1 + " next:2 close next:1 open" + C1 + " next:1", 2},
        ScriptCase{"BindingsMovedByTheCaller",
                   "open" + C1 + " next:2 rebind:" + T + ".1.1.1.20 next:2", 2}),
    [](const auto& info) { return std::string(info.param.name); });

// The agent answers at most 100 bindings a GETBULK (and cuts longer answers to whole rows);
// once it has shown that, a later walk on the same session starts with what it gives, not
// with one datagram again, and asks for no fewer rows than it gives. An agent without that
// limit gives more rows to the same session.
TEST_F(BulkWalkBase, LaterWalksStartWithTheRowsTheAgentGives) {
    for (const bool limited : {true, false}) {
        SCOPED_TRACE(limited ? "100 bindings" : "no limit");
        StartSim({"--fdb", "180", "--bulk-bindings", limited ? "100" : "0"});
        const std::vector<std::string> columns = {"1.3.6.1.2.1.17.7.1.2.2.1.2",
                                                  "1.3.6.1.2.1.17.7.1.2.2.1.3"};
        CCommonSNMP session;
        std::vector<int> repetitions;
        for (int walk = 0; walk < 2; ++walk) {
            const size_t mark = m_sim.RequestLog().size();
            EXPECT_EQ(Walk(session, columns).size(), 181u);
            const auto log = m_sim.RequestLog();
            repetitions.clear();
            for (size_t i = mark; i < log.size(); ++i) {
                repetitions.push_back(log[i].repetitions);
            }
        }
        if (limited) {
            EXPECT_EQ(repetitions, (std::vector<int>{50, 50, 50, 50}));
        } else {
            EXPECT_LT(repetitions.size(), 4u);
            EXPECT_GT(repetitions.front(), 50);
        }
        m_sim.Stop();
        testsupport::RemoveTree(m_dataDir);
    }
}

} // namespace
