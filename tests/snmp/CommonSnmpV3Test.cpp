// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/snmp/SessionTestBase.h"

#include <chrono>
#include <future>

namespace {

const std::string kSysName = "1.3.6.1.2.1.1.5.0";
const std::string kSysDescr = "1.3.6.1.2.1.1.1.0";
const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";

class CommonSnmpV3 : public SnmpdSuite {};

} // namespace

TEST_F(CommonSnmpV3, EverySecurityLevelReadsAndWrites) {
    struct Case {
        const char* user;
        const char* level;
        const char* auth;
        const char* authPassword;
        const char* priv;
        const char* privPassword;
    };
    const Case cases[] = {
        {"plainuser", "1", "1", "", "1", ""},
        {"md5user", "2", "2", "md5password", "1", ""},
        {"shauser", "2", "3", "shapassword", "1", ""},
        {"shadesuser", "3", "3", "shapassword", "2", "despassword"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        UseV3(c.user, c.level, c.auth, c.authPassword, c.priv, c.privPassword);
        CCommonSNMP session;
        EXPECT_FALSE(GetText(session, kSysDescr).empty());
        ASSERT_EQ(session.Open(kPduSet), 1);
        const std::string name = std::string("switch-") + c.user;
        session.AddValue(kSysName, kSnmpOctetString, name);
        std::unique_ptr<CSnmp> response;
        EXPECT_EQ(session.Send(response), 0);
        EXPECT_EQ(GetText(session, kSysName), name);
    }
}

TEST_F(CommonSnmpV3, WalkEndsWithEndOfTable) {
    UseV3("shadesuser", "3", "3", "shapassword", "2", "despassword");
    CCommonSNMP session;
    ASSERT_EQ(session.Open(kPduGetNext), 1);
    session.AddValue(kIfIndex, kSnmpNull, "");
    int rows = 0;
    int status = 0;
    std::unique_ptr<CSnmp> response;
    while ((status = session.GetNext(response)) == 0 && rows < 10000) {
        ++rows;
    }
    EXPECT_EQ(status, kSnmpEndOfTable);
    EXPECT_GT(rows, 0);
}

TEST_F(CommonSnmpV3, WrongCredentialsFail) {
    SessionParameters().RequestTimeout = "500";
    UseV3("shauser", "2", "3", "not-the-password");
    CCommonSNMP wrongPassword;
    EXPECT_NE(GetText(wrongPassword, kSysDescr).rfind("status ", 0), std::string::npos);

    UseV3("nosuchuser", "2", "3", "shapassword");
    CCommonSNMP unknownUser;
    EXPECT_EQ(GetText(unknownUser, kSysDescr).rfind("status ", 0), 0u);

    UseV3("shadesuser", "3", "3", "shapassword", "2", "wrong-privacy");
    CCommonSNMP wrongPrivacy;
    EXPECT_EQ(GetText(wrongPrivacy, kSysDescr).rfind("status ", 0), 0u);

    UseV3("shauser", "2", "3", "short"); // USM needs at least 8 characters
    CCommonSNMP shortPassword;
    EXPECT_EQ(GetText(shortPassword, kSysDescr).rfind("status ", 0), 0u);
}

TEST_F(CommonSnmpV3, ChangedPasswordIsNotServedFromTheCache) {
    SessionParameters().RequestTimeout = "500";
    UseV3("md5user", "2", "2", "md5password");
    {
        CCommonSNMP good;
        EXPECT_EQ(GetText(good, kSysDescr).rfind("status ", 0), std::string::npos);
    }
    UseV3("md5user", "2", "2", "md5-wrong-password");
    {
        CCommonSNMP bad;
        EXPECT_EQ(GetText(bad, kSysDescr).rfind("status ", 0), 0u);
    }
    UseV3("md5user", "2", "2", "md5password");
    CCommonSNMP goodAgain;
    EXPECT_EQ(GetText(goodAgain, kSysDescr).rfind("status ", 0), std::string::npos);
}

TEST_F(CommonSnmpV3, SecurityLevelsSetTheMessageFlags) {
    struct Case {
        const char* level;
        const char* auth;
        const char* priv;
        int flags;
        int authArith;
    };
    const Case cases[] = {
        {"1", "3", "2", 0, -1}, {"2", "2", "1", 1, 0},  {"2", "3", "1", 1, 1},
        {"2", "1", "1", 0, -1}, {"3", "3", "2", 3, 1},  {"3", "2", "1", 1, 0},
        {"3", "1", "2", 0, -1}, {"7", "3", "2", 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.level) + c.auth + c.priv);
        UseV3("shadesuser", c.level, c.auth, "shapassword", c.priv, "despassword");
        CCommonSNMP session;
        ASSERT_EQ(session.Open(kPduGet), 1);
        auto* message = dynamic_cast<CSnmpV3*>(session.Message());
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->msgFlags(), c.flags);
        if (c.authArith >= 0) {
            EXPECT_EQ(message->authArith(), c.authArith);
        }
    }
}

TEST_F(CommonSnmpV3, CloseCutsShortEngineDiscovery) {
    SessionParameters().RequestTimeout = "3000";
    UseV3("shauser", "2", "3", "shapassword");
    SessionParameters().SnmpPort = std::to_string(testsupport::FreeUdpPort()); // nobody answers
    CCommonSNMP session;
    ASSERT_EQ(session.Open(kPduGet), 1);
    session.AddValue(kSysDescr, kSnmpNull, "");
    auto pending = std::async(std::launch::async, [&] {
        std::unique_ptr<CSnmp> response;
        return session.Send(response);
    });
    ASSERT_EQ(pending.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    const auto start = std::chrono::steady_clock::now();
    session.Close();
    ASSERT_EQ(pending.wait_for(std::chrono::milliseconds(1000)), std::future_status::ready);
    EXPECT_NE(pending.get(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}
