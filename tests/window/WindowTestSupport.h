// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Shared pieces of the window tests: a User.ini of their own, recorded message boxes and
// debug lines, and ksx-sim or a port nothing answers on.
#pragma once

#include "snmp/SessionParameters.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/SimFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace windowtest {

using testsupport::SimFixture;
using testsupport::WaitUntil;

inline constexpr int kGenerousWaitMs = 30000; // only a failing test waits this long

// How often `line` was traced.
inline long Count(const testsupport::TraceCapture& trace, const std::string& line) {
    return std::ranges::count(trace.Lines(), line);
}

// A fresh process state for every test: session parameters aimed at `port`, empty device
// values, a private User.ini, and recorded message boxes.
class ModuleTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = testsupport::MakeTempDir("ksx-window");
        m_iniPath = m_dir + "/User.ini";
        qputenv("KSX_USER_INI", QByteArray::fromStdString(m_iniPath));
        SessionParameters() = SessionParametersData();
        DeviceValues() = DeviceValuesData();
        AimAt(testsupport::FreeUdpPort());
    }
    void TearDown() override {
        qunsetenv("KSX_USER_INI");
        testsupport::RemoveTree(m_dir);
    }

    void AimAt(int port, const std::string& address = "127.0.0.1") {
        SessionParameters().DeviceAddress = address;
        SessionParameters().SnmpPort = std::to_string(port);
    }

    // Starts ksx-sim with `options` and the .snmprec lines over its defaults, and aims at it.
    void StartSim(SimFixture::Options options, const std::string& dataLines = "") {
        if (!dataLines.empty()) {
            const std::string data = m_dir + "/overlay.snmprec";
            ASSERT_TRUE(testsupport::WriteFile(data, dataLines));
            options.arguments.insert(options.arguments.end(), {"--data", data});
        }
        ASSERT_TRUE(m_sim.Start(options)) << m_sim.Error();
        AimAt(m_sim.Port());
    }

    void WriteUserIni(const std::string& body) {
        ASSERT_TRUE(testsupport::WriteFile(m_iniPath, "[DeviceInfo]\r\n" + body));
    }

    std::string m_dir;
    std::string m_iniPath;
    testsupport::MessageScript m_messages;
    SimFixture m_sim;
};

} // namespace windowtest
