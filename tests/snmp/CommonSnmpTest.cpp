// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The session layer against Net-SNMP's own snmpd: SNMPv2c and SNMPv3, synchronous and
// asynchronous requests, and an agent that stops answering.
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/SnmpdFixture.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <numeric>
#include <string>
#include <vector>

namespace {

const std::string kSysDescr = "1.3.6.1.2.1.1.1.0";
const std::string kSysContact = "1.3.6.1.2.1.1.4.0";
const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";

// What an asynchronous table reader collects, following the callback contract.
struct WalkState {
    CCommonSNMP* session = nullptr;
    std::mutex mutex;
    std::condition_variable done;
    std::string walked; // the suffixes, one per line
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
    state->walked += suffix + "\n";
    lock.unlock();
    state->session->StartRequest(WalkCallback, state, 0);
    return 0;
}

bool WaitFinished(WalkState& state, int timeoutMs) {
    std::unique_lock lock(state.mutex);
    return state.done.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return state.finished; });
}

// Opens `session` for a get-next of ifIndex and starts an asynchronous walk into `state`.
void StartIfIndexWalk(CCommonSNMP& session, WalkState& state) {
    state.session = &session;
    ASSERT_EQ(session.Open(kPduGetNext), 1);
    session.AddValue(kIfIndex, kSnmpNull, "");
    EXPECT_EQ(session.StartRequest(WalkCallback, &state, uintptr_t{0}, 0), -1);
}

// The session parameters point at the suite's snmpd.
class CommonSnmp : public testsupport::SnmpdSuite {
protected:
    static void SetUpTestSuite() {
        SnmpInit();
        SnmpdSuite::SetUpTestSuite();
    }

    void SetUp() override {
        SnmpdSuite::SetUp();
        SessionParameters() = SessionParametersData();
        SessionParameters().DeviceAddress = agent->Address();
        SessionParameters().SnmpPort = std::to_string(agent->Port());
        SessionParameters().RequestTimeout = "2000";
    }

    static void UseV3(const std::string& user, const std::string& level,
                      const std::string& auth = "1", const std::string& authPassword = "",
                      const std::string& priv = "1", const std::string& privPassword = "") {
        SessionParametersData& p = SessionParameters();
        std::tie(p.SnmpVersion, p.UserName, p.SecurityLevel, p.AuthProtocol, p.AuthPassword,
                 p.PrivProtocol, p.PrivPassword) =
            std::tie("3", user, level, auth, authPassword, priv, privPassword);
    }

    // A get of one object: its value as text, or the status as "status N".
    static std::string GetText(CCommonSNMP& session, const std::string& oid) {
        if (session.Open(kPduGet) != 1) {
            return "open refused";
        }
        session.AddValue(oid, kSnmpNull, "");
        std::unique_ptr<CSnmp> response;
        const int status = session.Send(response);
        if (status != 0) {
            return "status " + std::to_string(status);
        }
        int type = 0;
        std::string value;
        response->getValue(0, type, value);
        return value;
    }

    // A set of one octet string; the send status.
    static int SetText(CCommonSNMP& session, const std::string& oid, const std::string& text) {
        EXPECT_EQ(session.Open(kPduSet), 1);
        EXPECT_EQ(session.AddValue(oid, kSnmpOctetString, text), 0);
        std::unique_ptr<CSnmp> response;
        return session.Send(response);
    }
};

} // namespace

TEST_F(CommonSnmp, AsynchronousWalksMatchSnmpwalkAndTheirIdsGrowByOne) {
    const int before = CCommonSNMP::LastRequestId();
    CCommonSNMP first;
    CCommonSNMP second;
    WalkState a;
    WalkState b;
    StartIfIndexWalk(first, a);
    ASSERT_TRUE(WaitFinished(a, 10000));
    StartIfIndexWalk(second, b);
    ASSERT_TRUE(WaitFinished(b, 10000));

    EXPECT_EQ(a.finalStatus, kSnmpEndOfTable);
    EXPECT_EQ(a.walked, testsupport::RunCommand("MIBS= snmpwalk -v2c -c guests -On -Oqv " +
                                                agent->Peer() + " " + kIfIndex));
    EXPECT_EQ(b.walked, a.walked);
    std::vector<int> ids = a.requestIds, expected(a.requestIds.size() + b.requestIds.size());
    ids.insert(ids.end(), b.requestIds.begin(), b.requestIds.end());
    std::iota(expected.begin(), expected.end(), before + 1);
    EXPECT_EQ(ids, expected);
    first.Close();
    second.Close();
    EXPECT_TRUE(first.IsIdle());
}

TEST_F(CommonSnmp, RefusedRequestsSendNothingAndStartNoWorker) {
    CCommonSNMP session;
    EXPECT_EQ(session.Open(2), 0) << "a type without a community";
    EXPECT_EQ(session.Open(kPduGet), 1);
    ASSERT_EQ(session.Open(kPduSet), 1);
    // bad values are refused before sending
    EXPECT_NE(session.AddValue("not.an.oid", kSnmpNull, ""), 0);
    EXPECT_NE(session.AddValue(kSysContact, kSnmpInteger, "12x"), 0);
    EXPECT_NE(session.AddValue(kSysContact, kSnmpIpAddress, "10.0.0.256"), 0);
    EXPECT_NE(session.AddValue(kSysContact, kSnmpUnsigned, "4294967296"), 0);
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(session.Send(response), -1) << "nothing was added";
    // a request without bindings
    ASSERT_EQ(session.Open(kPduGet), 1);
    EXPECT_EQ(session.Send(response), -1);
    WalkState empty;
    empty.session = &session;
    session.StartRequest(WalkCallback, &empty, 0);
    EXPECT_FALSE(session.HasWorker());
    EXPECT_TRUE(session.IsIdle());

    // a closed session
    CCommonSNMP closed;
    WalkState state;
    state.session = &closed;
    ASSERT_EQ(closed.Open(kPduGetNext), 1);
    closed.AddValue(kIfIndex, kSnmpNull, "");
    closed.Close();
    const int before = CCommonSNMP::LastRequestId();
    closed.StartRequest(WalkCallback, &state, 0);
    EXPECT_FALSE(closed.HasWorker());
    EXPECT_TRUE(closed.IsIdle());
    EXPECT_EQ(CCommonSNMP::LastRequestId(), before);
    EXPECT_EQ(state.calls, 0);

    // a version the module does not speak fails every operation
    SessionParameters().SnmpVersion = "2";
    CCommonSNMP unsupported;
    state.session = &unsupported;
    EXPECT_EQ(unsupported.Open(kPduGet), 0);
    EXPECT_EQ(unsupported.AddValue(kSysDescr, kSnmpNull, ""), -1);
    EXPECT_EQ(unsupported.Send(response), -1);
    EXPECT_EQ(unsupported.GetNext(response), -1);
    EXPECT_EQ(unsupported.StartRequest(WalkCallback, &state, 0), -1);
    EXPECT_FALSE(unsupported.HasWorker());
    EXPECT_TRUE(unsupported.IsIdle());
    EXPECT_EQ(state.calls, 0);
}

// The agent is stopped (SIGSTOP): it takes requests and never answers. Past the first request
// nothing may end by timing out: the requests wait far longer than the test may run, so each
// check below returns only when the request in flight is cut short.
TEST_F(CommonSnmp, StoppedAgentTimesOutAndRequestsInFlightEndCleanly) {
    agent->Pause();
    struct ResumeAtEnd {
        ~ResumeAtEnd() { agent->Resume(); }
    } resume;
    SessionParameters().RequestTimeout = "400";
    CCommonSNMP timing;
    EXPECT_EQ(GetText(timing, kSysDescr), "status -1");
    SessionParameters().RequestTimeout = "3600000";

    // Close during a walk drops the late result.
    auto closed = std::make_unique<CCommonSNMP>();
    WalkState closedState;
    StartIfIndexWalk(*closed, closedState);
    ASSERT_TRUE(closed->HasWorker());
    closed->Close();
    EXPECT_TRUE(closed->IsIdle());
    closed.reset();
    EXPECT_EQ(closedState.calls, 0);
    EXPECT_TRUE(closedState.walked.empty());

    // Reopening cuts short the request in flight.
    CCommonSNMP reopened;
    WalkState reopenedState;
    StartIfIndexWalk(reopened, reopenedState);
    EXPECT_EQ(reopened.Open(kPduGet), 1);
    EXPECT_FALSE(reopened.HasWorker());
    EXPECT_EQ(reopenedState.calls, 0);

    // The destructor ends the worker.
    WalkState destroyedState;
    {
        CCommonSNMP destroyed;
        StartIfIndexWalk(destroyed, destroyedState);
    }
    EXPECT_EQ(destroyedState.calls, 0);

    // Close cuts short a version 3 engine discovery sent to a peer that never answers.
    const int silent = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_TRUE(bind(silent, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
                getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length) == 0);
    UseV3("shauser", "2", "3", "shapassword");
    SessionParameters().SnmpPort = std::to_string(ntohs(address.sin_port));
    CCommonSNMP discovering;
    ASSERT_EQ(discovering.Open(kPduGet), 1);
    discovering.AddValue(kSysDescr, kSnmpNull, "");
    auto pending = std::async(std::launch::async, [&] {
        std::unique_ptr<CSnmp> response;
        return discovering.Send(response);
    });
    char probe[1500];
    EXPECT_GT(recv(silent, probe, sizeof probe, 0), 0); // the discovery is on its way
    discovering.Close();
    EXPECT_EQ(pending.get(), kSnmpCancelled);
    close(silent);
}

TEST_F(CommonSnmp, Version3LevelsSetTheFlagsAndTheRightCredentialsReadAndWrite) {
    const struct {
        const char *user, *level, *auth, *authPassword, *priv, *privPassword;
        int flags;     // -1: not looked at
        int authArith; // -1: not looked at
        int answers;   // 1: reads and writes, 0: refused, -1: not sent
    } cases[] = {
        {"plainuser", "1", "1", "", "1", "", 0, -1, 1},
        {"md5user", "2", "2", "md5password", "1", "", 1, 0, 1},
        {"shauser", "2", "3", "shapassword", "1", "", 1, 1, 1},
        {"shadesuser", "3", "3", "shapassword", "2", "despassword", 3, 1, 1},
        {"shauser", "2", "3", "not-the-password", "1", "", -1, -1, 0},
        {"nosuchuser", "2", "3", "shapassword", "1", "", -1, -1, 0},
        {"shadesuser", "3", "3", "shapassword", "2", "wrong-privacy", -1, -1, 0},
        {"shauser", "2", "3", "short", "1", "", -1, -1, 0}, // USM needs at least 8 characters
        // levels and protocols that do not go together
        {"shadesuser", "1", "3", "shapassword", "2", "despassword", 0, -1, -1},
        {"shadesuser", "2", "1", "shapassword", "1", "despassword", 0, -1, -1},
        {"shadesuser", "3", "2", "shapassword", "1", "despassword", 1, 0, -1},
        {"shadesuser", "3", "1", "shapassword", "2", "despassword", 0, -1, -1},
        {"shadesuser", "7", "3", "shapassword", "2", "despassword", 0, -1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + " " + c.level + c.auth + c.priv + " " + c.authPassword);
        UseV3(c.user, c.level, c.auth, c.authPassword, c.priv, c.privPassword);
        SessionParameters().RequestTimeout = c.answers == 0 ? "500" : "2000";
        CCommonSNMP session;
        ASSERT_EQ(session.Open(kPduGet), 1);
        auto* message = dynamic_cast<CSnmpV3*>(session.Message());
        ASSERT_NE(message, nullptr);
        if (c.flags >= 0) {
            EXPECT_EQ(message->msgFlags(), c.flags);
        }
        if (c.authArith >= 0) {
            EXPECT_EQ(message->authArith(), c.authArith);
        }
        if (c.answers == 0) {
            EXPECT_EQ(GetText(session, kSysDescr).rfind("status ", 0), 0u);
        } else if (c.answers == 1) {
            EXPECT_FALSE(GetText(session, kSysDescr).empty());
            const std::string name = std::string("switch-") + c.user;
            EXPECT_EQ(SetText(session, kSysName, name), 0);
            EXPECT_EQ(GetText(session, kSysName), name);
        }
    }
    // A changed password is not served from the cache, in either direction.
    SessionParameters().RequestTimeout = "500";
    for (const char* password : {"md5password", "md5-wrong-password", "md5password"}) {
        UseV3("md5user", "2", "2", password);
        CCommonSNMP session;
        EXPECT_EQ(GetText(session, kSysDescr).rfind("status ", 0) == 0,
                  std::string(password) != "md5password")
            << password;
    }
}

TEST_F(CommonSnmp, PortsOutsideOneTo65535FallBackTo161) {
    const std::pair<const char*, int> cases[] = {{"1", 1},       {"65535", 65535}, {"0", 161},
                                                 {"65536", 161}, {"-5", 161},      {"x", 161}};
    for (const auto& [text, port] : cases) {
        SessionParameters().SnmpPort = text;
        CCommonSNMP session;
        ASSERT_EQ(session.Open(kPduGet), 1);
        EXPECT_EQ(session.Message()->port(), port) << text;
    }
}
