// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Shared pieces of the window tests: a User.ini of their own, recorded message boxes and
// debug lines, and waiting while the event loop runs.
#pragma once

#include "platform/Message.h"
#include "platform/Trace.h"
#include "snmp/SessionParameters.h"
#include "tests/support/AgentProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace windowtest {

inline constexpr int kGenerousWaitMs = 30000; // only a failing test waits this long

// Runs the event loop until `done` holds; false when the generous limit passed first.
inline bool WaitUntil(const std::function<bool()>& done, int limitMs = kGenerousWaitMs) {
    QDeadlineTimer deadline(limitMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

// The debug lines, collected from every thread.
class TraceLog {
public:
    TraceLog() {
        platform::SetTraceSink([this](const std::string& line) {
            std::lock_guard lock(m_mutex);
            m_lines.push_back(line);
        });
    }
    ~TraceLog() { platform::SetTraceSink({}); }
    std::vector<std::string> Lines() const {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }
    int Count(const std::string& line) const {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(std::count(m_lines.begin(), m_lines.end(), line));
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_lines.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

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
        platform::SetMessageHandler([this](const QString& text, platform::MessageKind) {
            m_messages.push_back(text.toStdString());
            return platform::MessageResult::Ok;
        });
    }
    void TearDown() override {
        platform::SetMessageHandler({});
        qunsetenv("KSX_USER_INI");
        testsupport::RemoveTree(m_dir);
    }

    void AimAt(int port, const std::string& address = "127.0.0.1") {
        SessionParameters().DeviceAddress = address;
        SessionParameters().SnmpPort = std::to_string(port);
    }

    void WriteUserIni(const std::string& body) {
        ASSERT_TRUE(testsupport::WriteFile(m_iniPath, "[DeviceInfo]\r\n" + body));
    }

    // A complete User.ini of a model (the panel file is not read by these tests).
    void WriteModel(const std::string& model, int ports, bool fan = true) {
        WriteUserIni("DeviceName=" + model + "\r\nDevicePortNum=" + std::to_string(ports) +
                     "\r\nXMLName=panels/" + model + "/" + model + ".xml\r\nIsAllGiga=Y\r\n" +
                     (fan ? "IsHasFan=Y\r\n" : ""));
    }

    std::string m_dir;
    std::string m_iniPath;
    std::vector<std::string> m_messages;
};

} // namespace windowtest
