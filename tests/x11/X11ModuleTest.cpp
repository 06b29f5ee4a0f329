// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ksx-module on a real X server: Xvfb with the xcb platform, against ksx-sim. The panel is
// painted, one dialog of each menu opens and closes through the window's own menu actions,
// and SIGTERM ends the process cleanly.
#include "tests/support/ModuleProcess.h"
#include "tests/support/SimFixture.h"

#include <QImage>
#include <QSet>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

using testsupport::ModuleProcess;

// One dialog of each menu of a PoE model (ID, caption).
const std::pair<int, const char*> kCommands[] = {
    {32774, "Port Configuration"},
    {32834, "802.1Q VLAN Configuration"},
    {32817, "Jumbo Frame Configuration"},
    {32850, "BandWidth Control"},
    {32853, "Storm Control"},
    {32859, "802.1X Config Information"},
    {32839, "SNMP Global State Settings"},
    {32860, "PoE Global Settings"},
    {32810, "Forwarding Table"},
    {32823, "Firmware and Configuration Upgrade/Backup"},
    {57664, "About"}};

class X11Module : public ::testing::Test {
protected:
    void TearDown() override {
        if (!dir.empty()) {
            testsupport::RemoveTree(dir);
        }
    }

    testsupport::SimFixture sim;
    std::string dir;
};

TEST_F(X11Module, PaintsOpensEachMenusDialogAndEndsOnSigterm) {
    // Xvfb on a free display, whose number it prints.
    ModuleProcess xvfb({"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                       QProcessEnvironment::systemEnvironment(),
                       QStandardPaths::findExecutable(QString("Xvfb")));
    ASSERT_TRUE(xvfb.WaitFor([&] { return !xvfb.Lines().isEmpty(); }))
        << "Xvfb did not start (scripts/bootstrap.sh installs it)";
    const QString display = xvfb.Lines().front().trimmed();
    ASSERT_TRUE(sim.Start({"KSX-7700-28P", {}})) << sim.Error();
    dir = testsupport::MakeTempDir("ksx-x11");
    const QString ini = QString::fromStdString(dir + "/User.ini");
    const QString snapshot = QString::fromStdString(dir + "/window.png");
    ASSERT_TRUE(testsupport::WriteFile(
        ini.toStdString(), "[DeviceInfo]\r\nDeviceName=KSX-7700-28P\r\nDevicePortNum=28\r\n"
                           "XMLName=panels/KSX-7700-28P/KSX-7700-28P.xml\r\nIsHasFan=Y\r\n"));
    QStringList ids;
    for (const auto& [id, caption] : kCommands) {
        ids.append(QString::number(id));
    }
    QProcessEnvironment environment =
        ModuleProcess::Environment(ini, QString::fromStdString(dir), "xcb");
    environment.insert(QString("DISPLAY"), QString(":") + display);
    environment.insert(QString("KSX_SNAPSHOT"), snapshot);
    environment.insert(QString("KSX_TEST_COMMANDS"), ids.join(u','));
    ModuleProcess module({QString("/Ntest"), QString("/I127.0.0.1"), QString("/Rguests"),
                          QString("/Wkeepers"), QString("/E"), QString("/V1"),
                          QString("/P%1").arg(sim.Port())},
                         environment);

    ASSERT_TRUE(module.WaitForLine(QString("Test commands: done"))) << module.Output();
    const QString output = module.Text();
    EXPECT_TRUE(output.contains(QString("Module window: panel painted")));
    for (const auto& [id, caption] : kCommands) {
        const QString opened = QString("Test command %1: opened ").arg(id);
        const qsizetype at = output.indexOf(opened);
        EXPECT_GE(at, 0) << id << "\n" << output.toStdString();
        EXPECT_TRUE(output.mid(at + opened.size()).startsWith(QString::fromUtf8(caption))) << id;
        EXPECT_TRUE(output.contains(QString("Test command %1: closed").arg(id)));
    }

    module.Terminate();
    EXPECT_EQ(module.WaitForExit(), 0) << module.Output(); // a normal exit
    EXPECT_TRUE(module.HasLine(QString("Termination signal: closing")));
    EXPECT_TRUE(module.HasLine(QString("==================DestroyWindow===============")));
    // The picture the window saved as it closed shows the panel, not an empty window.
    const QImage picture(snapshot);
    ASSERT_FALSE(picture.isNull()) << module.Output();
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 3) {
        for (int x = 0; x < picture.width(); x += 3) {
            colours.insert(picture.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 20);
}

} // namespace
