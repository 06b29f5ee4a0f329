// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Net-SNMP's own snmpd as a test peer: a private configuration on a free loopback port,
// nothing read from or written to the system's SNMP folders. It answers the communities
// "guests" (read) and "keepers" (write) and the SNMPv3 users plainuser (noAuthNoPriv),
// md5user ("md5password"), shauser ("shapassword") and shadesuser ("shapassword", DES
// "despassword").
#pragma once

#include "tests/support/AgentProcess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace testsupport {

class SnmpdFixture : public AgentFixture {
public:
    // Starts snmpd and waits until it listens. False (with Error()) when it cannot.
    bool Start();
};

// One snmpd for a whole test suite.
class SnmpdSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        agent = std::make_unique<SnmpdFixture>();
        started = agent->Start();
    }
    static void TearDownTestSuite() { agent.reset(); }
    void SetUp() override { ASSERT_TRUE(started) << agent->Error(); }

    static inline std::unique_ptr<SnmpdFixture> agent;
    static inline bool started = false;
};

// Path of a system program (snmpd, snmpwalk, ...), empty when missing.
std::string FindProgram(const std::string& name);

} // namespace testsupport
