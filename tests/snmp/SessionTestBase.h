// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/SnmpdFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// One snmpd for the whole test suite of a file; the session parameters point at it.
class SnmpdSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SnmpInit();
        agent = std::make_unique<testsupport::SnmpdFixture>();
        testsupport::SnmpdFixture::Options options;
        options.users = testsupport::SnmpdFixture::StandardUsers();
        started = agent->Start(options);
    }
    static void TearDownTestSuite() { agent.reset(); }

    void SetUp() override {
        ASSERT_TRUE(started) << agent->Error();
        SessionParameters() = SessionParametersData();
        SessionParameters().DeviceAddress = agent->Address();
        SessionParameters().SnmpPort = std::to_string(agent->Port());
        SessionParameters().RequestTimeout = "2000";
    }

    static void UseV3(const std::string& user, const std::string& level,
                      const std::string& auth = "1", const std::string& authPassword = "",
                      const std::string& priv = "1", const std::string& privPassword = "") {
        SessionParameters().SnmpVersion = "3";
        SessionParameters().UserName = user;
        SessionParameters().SecurityLevel = level;
        SessionParameters().AuthProtocol = auth;
        SessionParameters().AuthPassword = authPassword;
        SessionParameters().PrivProtocol = priv;
        SessionParameters().PrivPassword = privPassword;
    }

    // A get of one object: its value as text, or the status as "status N".
    static std::string GetText(CCommonSNMP& session, const std::string& oid, int* type = nullptr) {
        if (session.Open(kPduGet) != 1) {
            return "open refused";
        }
        session.AddValue(oid, kSnmpNull, "");
        std::unique_ptr<CSnmp> response;
        const int status = session.Send(response);
        if (status != 0) {
            return "status " + std::to_string(status);
        }
        int valueType = 0;
        std::string value;
        response->getValue(0, valueType, value);
        if (type != nullptr) {
            *type = valueType;
        }
        return value;
    }

    static inline std::unique_ptr<testsupport::SnmpdFixture> agent;
    static inline bool started = false;
};
