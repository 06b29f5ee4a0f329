// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// One Net-SNMP snmpd (with the standard users) for a whole test suite.
#pragma once

#include "tests/support/SnmpdFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

class SnmpdSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        agent = std::make_unique<SnmpdFixture>();
        SnmpdFixture::Options options;
        options.users = SnmpdFixture::StandardUsers();
        started = agent->Start(options);
    }
    static void TearDownTestSuite() { agent.reset(); }
    void SetUp() override { ASSERT_TRUE(started) << agent->Error(); }

    static inline std::unique_ptr<SnmpdFixture> agent;
    static inline bool started = false;
};

} // namespace testsupport
