// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A real ksx-module process that is told to close (SIGTERM) while the panel's link walk waits
// for the switch: it stops the poller, closes its sessions in order and ends cleanly (a
// sanitizer build that finds a fault ends otherwise).
#include "tests/support/ModuleProcess.h"
#include "tests/support/AgentProcess.h"
#include "tests/support/SimFixture.h"

#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr char kIfType[] = "1.3.6.1.2.1.2.2.1.3";

// True once the simulator has been asked for the first row of the link walk.
bool LinkWalkAsked(const testsupport::SimFixture& sim) {
    for (const testsupport::SimRequestRecord& request : sim.RequestLog()) {
        if (request.pdu == "getnext" && !request.oids.empty() && request.oids.front() == kIfType) {
            return true;
        }
    }
    return false;
}

TEST(ModuleProcess, TerminationDuringAWalkClosesCleanly) {
    testsupport::SimFixture sim;
    testsupport::SimFixture::Options options;
    options.arguments = {"--drop", "1.3.6.1.2.1.2.2.1"}; // the link walk never gets an answer
    options.requestLog = true;
    ASSERT_TRUE(sim.Start(options)) << sim.Error();
    const std::string dir = testsupport::MakeTempDir("ksx-window-process");
    const QString ini = QString::fromStdString(dir + "/User.ini");
    ASSERT_TRUE(testsupport::WriteFile(
        ini.toStdString(), "[DeviceInfo]\r\nDeviceName=KSX-7700-52\r\nDevicePortNum=52\r\n"
                           "XMLName=panels/KSX-7700-52/KSX-7700-52.xml\r\nIsHasFan=Y\r\n"));
    testsupport::ModuleProcess module(
        {QStringLiteral("/Ntest"), QStringLiteral("/I127.0.0.1"), QStringLiteral("/Rguests"),
         QStringLiteral("/Wkeepers"), QStringLiteral("/E"), QStringLiteral("/V1"),
         QStringLiteral("/P%1").arg(sim.Port())},
        testsupport::ModuleEnvironment(QString::fromStdString(dir), ini));
    QDeadlineTimer deadline(testsupport::ModuleProcess::kGenerousWaitMs);
    while (!LinkWalkAsked(sim) && !deadline.hasExpired() && module.Running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(LinkWalkAsked(sim)) << "no link walk; simulator:\n" << sim.Log();
    module.Terminate();
    EXPECT_EQ(module.WaitForExit(), 0) << module.Output().toStdString();
    const QString output = module.Output();
    testsupport::RemoveTree(dir);

    EXPECT_TRUE(output.contains(QStringLiteral("Termination signal: closing")));
    const QStringList closing = {
        QStringLiteral("==================DestroyWindow==============="),
        QStringLiteral("==================m_cCommonSNMP.Close==============="),
        QStringLiteral("==================m_cCommonSNMPset.Close==============="),
        QStringLiteral("==================m_cCommonSNMPFan.Close==============="),
        QStringLiteral("==================m_cCommonSNMPPoe.Close==============="),
        QStringLiteral("==================m_cCommonSNMPDevStat.Close==============="),
        QStringLiteral("==================m_cCommonSNMPPoeStat.Close==============="),
    };
    EXPECT_TRUE(output.contains(closing.join(u'\n'))) << output.toStdString();
    EXPECT_FALSE(output.contains(QStringLiteral("TIMEOUT"))) << output.toStdString();
}

} // namespace
