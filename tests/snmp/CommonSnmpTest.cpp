// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/snmp/SessionTestBase.h"

#include "platform/Trace.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <vector>

namespace {

const std::string kSysDescr = "1.3.6.1.2.1.1.1.0";
const std::string kSysObjectId = "1.3.6.1.2.1.1.2.0";
const std::string kSysUpTime = "1.3.6.1.2.1.1.3.0";
const std::string kSysContact = "1.3.6.1.2.1.1.4.0";
const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";
const std::string kIfDescr = "1.3.6.1.2.1.2.2.1.2";
const std::string kIfType = "1.3.6.1.2.1.2.2.1.3";

using Clock = std::chrono::steady_clock;

long MillisecondsSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// The ifIndex values snmpwalk sees, one per line.
std::vector<std::string> IfIndexesBySnmpwalk(const testsupport::SnmpdFixture& agent) {
    const std::string output = testsupport::RunCommand("MIBS= snmpwalk -v2c -c guests -On -Oqv " +
                                                       agent.Peer() + " " + kIfIndex);
    std::vector<std::string> values;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty()) {
            values.push_back(line);
        }
    }
    return values;
}

// What an asynchronous table reader collects, following the callback contract.
struct WalkState {
    CCommonSNMP* session = nullptr;
    std::mutex mutex;
    std::condition_variable done;
    std::vector<std::string> suffixes;
    std::vector<int> requestIds;
    int finalStatus = 0;
    bool finished = false;
    std::atomic<int> calls{0};
};

unsigned WalkCallback(std::unique_ptr<CSnmp> response, int requestId, void* context, int status) {
    auto* state = static_cast<WalkState*>(context);
    ++state->calls;
    if (state->session->RemovePending(requestId) == 0) {
        return 0; // closed or reopened meanwhile
    }
    std::unique_lock lock(state->mutex);
    state->requestIds.push_back(requestId);
    if (status != 0) {
        state->finalStatus = status;
        state->finished = true;
        state->session->SignalIdle();
        state->done.notify_all();
        return 0;
    }
    std::string suffix;
    state->session->GetSuffix(0, *response, suffix);
    state->suffixes.push_back(suffix);
    lock.unlock();
    state->session->StartRequest(WalkCallback, state, 0);
    return 0;
}

bool WaitFinished(WalkState& state, int timeoutMs) {
    std::unique_lock lock(state.mutex);
    return state.done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return state.finished; });
}

class CommonSnmpV2c : public SnmpdSuite {};

} // namespace

TEST_F(CommonSnmpV2c, GetReturnsValuesAsText) {
    CCommonSNMP session;
    int type = 0;
    EXPECT_FALSE(GetText(session, kSysDescr, &type).empty());
    EXPECT_EQ(type, kSnmpOctetString);
    const std::string objectId = GetText(session, kSysObjectId, &type);
    EXPECT_EQ(type, kSnmpObjectId);
    EXPECT_EQ(objectId.rfind("1.3.6.1.4.1.", 0), 0u) << objectId;
    const std::string upTime = GetText(session, kSysUpTime, &type);
    EXPECT_EQ(type, kSnmpTimeTicks);
    EXPECT_EQ(upTime.find_first_not_of("0123456789"), std::string::npos) << upTime;
}

TEST_F(CommonSnmpV2c, SetUsesTheWriteCommunityAndSticks) {
    CCommonSNMP session;
    ASSERT_EQ(session.Open(kPduSet), 1);
    ASSERT_EQ(session.AddValue(kSysContact, kSnmpOctetString, "ops@example.net"), 0);
    std::unique_ptr<CSnmp> response;
    ASSERT_EQ(session.Send(response), 0);
    ASSERT_NE(response, nullptr);
    EXPECT_EQ(GetText(session, kSysContact), "ops@example.net");
}

TEST_F(CommonSnmpV2c, ReadCommunityCannotSet) {
    SessionParameters().WriteCommunity = "guests"; // read-only on this agent
    CCommonSNMP session;
    ASSERT_EQ(session.Open(kPduSet), 1);
    session.AddValue(kSysContact, kSnmpOctetString, "nobody");
    std::unique_ptr<CSnmp> response;
    EXPECT_NE(session.Send(response), 0);
    EXPECT_EQ(response, nullptr);
}

TEST_F(CommonSnmpV2c, MissingObjectFailsLikeNoSuchName) {
    CCommonSNMP session;
    EXPECT_EQ(GetText(session, "1.3.6.1.2.1.1.99.0"), "status 2");
}

TEST_F(CommonSnmpV2c, SynchronousMultiColumnWalkEndsWithEndOfTable) {
    CCommonSNMP session;
    ASSERT_EQ(session.Open(kPduGetNext), 1);
    session.AddValue(kIfIndex, kSnmpNull, "");
    session.AddValue(kIfDescr, kSnmpNull, "");
    session.AddValue(kIfType, kSnmpNull, "");
    std::vector<std::string> indexes;
    int status = 0;
    for (int guard = 0; guard < 10000; ++guard) {
        std::unique_ptr<CSnmp> response;
        status = session.GetNext(response);
        if (status != 0) {
            break;
        }
        ASSERT_EQ(response->getValuesCount(), 3);
        int type = 0;
        std::string value;
        response->getValue(0, type, value);
        EXPECT_EQ(type, kSnmpInteger);
        std::string suffix;
        ASSERT_EQ(session.GetSuffix(0, *response, suffix), 0);
        EXPECT_EQ(suffix, value); // ifIndex is its own index
        std::string descrSuffix;
        session.GetSuffix(1, *response, descrSuffix);
        EXPECT_EQ(descrSuffix, suffix);
        indexes.push_back(value);
    }
    EXPECT_EQ(status, kSnmpEndOfTable);
    EXPECT_EQ(indexes, IfIndexesBySnmpwalk(*agent));
    EXPECT_FALSE(indexes.empty());
}

TEST_F(CommonSnmpV2c, AsynchronousWalkMatchesSnmpwalkAndIdsGrowByOne) {
    CCommonSNMP first;
    CCommonSNMP second;
    WalkState a;
    WalkState b;
    a.session = &first;
    b.session = &second;
    for (WalkState* state : {&a, &b}) {
        ASSERT_EQ(state->session->Open(kPduGetNext), 1);
        state->session->AddValue(kIfIndex, kSnmpNull, "");
    }
    const int before = CCommonSNMP::LastRequestId();
    EXPECT_EQ(first.StartRequest(WalkCallback, &a, uintptr_t{0}, 0), -1);
    ASSERT_TRUE(WaitFinished(a, 10000));
    second.StartRequest(WalkCallback, &b, 0);
    ASSERT_TRUE(WaitFinished(b, 10000));

    EXPECT_EQ(a.finalStatus, kSnmpEndOfTable);
    EXPECT_EQ(a.suffixes, IfIndexesBySnmpwalk(*agent));
    EXPECT_EQ(b.suffixes, a.suffixes);
    std::vector<int> ids = a.requestIds;
    ids.insert(ids.end(), b.requestIds.begin(), b.requestIds.end());
    for (size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(ids[i], before + 1 + static_cast<int>(i));
    }
    first.Close();
    second.Close();
    EXPECT_TRUE(first.IsIdle());
}

TEST_F(CommonSnmpV2c, OpenRefusesTypesWithoutCommunity) {
    CCommonSNMP session;
    EXPECT_EQ(session.Open(2), 0);
    EXPECT_EQ(session.Open(kPduGet), 1);
    EXPECT_EQ(session.Open(kPduSet), 1);
}

TEST_F(CommonSnmpV2c, UnsupportedVersionFailsEveryOperation) {
    SessionParameters().SnmpVersion = "2";
    CCommonSNMP session;
    EXPECT_EQ(session.Open(kPduGet), 0);
    EXPECT_EQ(session.AddValue(kSysDescr, kSnmpNull, ""), -1);
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(session.Send(response), -1);
    EXPECT_EQ(session.GetNext(response), -1);
    WalkState state;
    state.session = &session;
    EXPECT_EQ(session.StartRequest(WalkCallback, &state, 0), -1);
    EXPECT_FALSE(session.HasWorker());
    EXPECT_TRUE(session.IsIdle());
    EXPECT_EQ(state.calls, 0);
}

TEST_F(CommonSnmpV2c, RequestWithoutBindingsIsRefused) {
    CCommonSNMP session;
    ASSERT_EQ(session.Open(kPduGet), 1);
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(session.Send(response), -1);
    WalkState state;
    state.session = &session;
    session.StartRequest(WalkCallback, &state, 0);
    EXPECT_FALSE(session.HasWorker());
    EXPECT_TRUE(session.IsIdle());
}

TEST_F(CommonSnmpV2c, StartRequestOnClosedSessionStartsNoThread) {
    CCommonSNMP session;
    ASSERT_EQ(session.Open(kPduGetNext), 1);
    session.AddValue(kIfIndex, kSnmpNull, "");
    session.Close();
    WalkState state;
    state.session = &session;
    const int before = CCommonSNMP::LastRequestId();
    session.StartRequest(WalkCallback, &state, 0);
    EXPECT_FALSE(session.HasWorker());
    EXPECT_TRUE(session.IsIdle());
    EXPECT_EQ(CCommonSNMP::LastRequestId(), before);
    EXPECT_EQ(state.calls, 0);
}

TEST_F(CommonSnmpV2c, BadValuesAreRefusedBeforeSending) {
    CCommonSNMP session;
    ASSERT_EQ(session.Open(kPduSet), 1);
    EXPECT_NE(session.AddValue("not.an.oid", kSnmpNull, ""), 0);
    EXPECT_NE(session.AddValue(kSysContact, kSnmpInteger, "12x"), 0);
    EXPECT_NE(session.AddValue(kSysContact, kSnmpIpAddress, "10.0.0.256"), 0);
    EXPECT_NE(session.AddValue(kSysContact, kSnmpUnsigned, "4294967296"), 0);
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(session.Send(response), -1); // nothing was added
}

TEST_F(CommonSnmpV2c, WrongCommunityTimesOut) {
    SessionParameters().ReadCommunity = "wrong";
    SessionParameters().RequestTimeout = "300";
    CCommonSNMP session;
    EXPECT_EQ(GetText(session, kSysDescr), "status -1");
}

// The agents below are stopped (SIGSTOP): they take requests and never answer.
class CommonSnmpStoppedAgent : public SnmpdSuite {
protected:
    void SetUp() override {
        SnmpdSuite::SetUp();
        agent->Pause();
    }
    void TearDown() override { agent->Resume(); }
};

TEST_F(CommonSnmpStoppedAgent, SendTimesOutWithinItsTimeout) {
    SessionParameters().RequestTimeout = "400";
    CCommonSNMP session;
    const auto start = Clock::now();
    EXPECT_EQ(GetText(session, kSysDescr), "status -1");
    EXPECT_GE(MillisecondsSince(start), 350);
}

TEST_F(CommonSnmpStoppedAgent, CloseDuringWalkDropsTheLateResult) {
    SessionParameters().RequestTimeout = "3000";
    auto session = std::make_unique<CCommonSNMP>();
    WalkState state;
    state.session = session.get();
    ASSERT_EQ(session->Open(kPduGetNext), 1);
    session->AddValue(kIfIndex, kSnmpNull, "");
    session->StartRequest(WalkCallback, &state, 0);
    ASSERT_TRUE(session->HasWorker());
    const auto start = Clock::now();
    session->Close();
    EXPECT_LE(MillisecondsSince(start), 3000 + 1000);
    EXPECT_TRUE(session->IsIdle());
    session.reset();
    EXPECT_EQ(state.calls, 0);
    EXPECT_TRUE(state.suffixes.empty());
}

TEST_F(CommonSnmpStoppedAgent, ReopenCutsShortTheRequestInFlight) {
    SessionParameters().RequestTimeout = "3000";
    CCommonSNMP session;
    WalkState state;
    state.session = &session;
    ASSERT_EQ(session.Open(kPduGetNext), 1);
    session.AddValue(kIfIndex, kSnmpNull, "");
    session.StartRequest(WalkCallback, &state, 0);
    const auto start = Clock::now();
    EXPECT_EQ(session.Open(kPduGet), 1);
    EXPECT_LE(MillisecondsSince(start), 3000);
    EXPECT_FALSE(session.HasWorker());
    EXPECT_EQ(state.calls, 0);
}

TEST_F(CommonSnmpStoppedAgent, DestructorEndsTheWorker) {
    SessionParameters().RequestTimeout = "3000";
    WalkState state;
    {
        CCommonSNMP session;
        state.session = &session;
        ASSERT_EQ(session.Open(kPduGetNext), 1);
        session.AddValue(kIfIndex, kSnmpNull, "");
        session.StartRequest(WalkCallback, &state, 0);
    }
    EXPECT_EQ(state.calls, 0);
}

TEST(CommonSnmpTrace, CloseAndTraceWritesTheFramedLine) {
    std::vector<std::string> lines;
    platform::SetTraceSink([&](const std::string& line) { lines.push_back(line); });
    SessionParameters() = SessionParametersData();
    CCommonSNMP session;
    CloseAndTrace(session, "m_cCommonSNMP");
    platform::SetTraceSink(nullptr);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "==================m_cCommonSNMP.Close===============");
}
