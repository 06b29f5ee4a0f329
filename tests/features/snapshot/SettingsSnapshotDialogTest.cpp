// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Settings Snapshot dialog against ksx-sim: save, changes made through five dialogs,
// compare with the switch, the editing dialog opened from a difference, a file that is no
// snapshot, and a switch that leaves a group unanswered.
#include "features/snapshot/SettingsSnapshotDialog.h"
#include "app/ModuleCommands.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/Repainting.h"
#include "features/common/ReportList.h"
#include "features/common/SnmpRequests.h"
#include "features/maintenance/SyslogDialog.h"
#include "features/poe/PoePortDialog.h"
#include "features/port_vlan/PortConfigDialog.h"
#include "features/port_vlan/TrunkMemberDialog.h"
#include "features/port_vlan/VlanDialog.h"
#include "features/port_vlan/VlanMib.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/FileDialogs.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <array>

namespace {

using testsupport::AnswerFileDialog;
using testsupport::WaitUntil;

const QString kOpen = QStringLiteral("openSnapshotDialog");

class SettingsSnapshotTest : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-28", {"--delay", "5"}};
    }
    template <class Dialog> static bool Ready(const Dialog& dialog) {
        return WaitUntil([&] { return !dialog.IsBusy(); });
    }
    // What an administrator changes, each through its own dialog: port 5's speed, the syslog
    // server, trunk 1's members, VLAN 1's name and port 1's PoE limit.
    void ChangeThroughFiveDialogs() {
        using testsupport::Click;
        auto ports = Open<CPortConfigDlg>();
        ASSERT_TRUE(Ready(*ports) && testsupport::ClickRow(ports->PortList(), 4) &&
                    testsupport::Choose(ports.get(), "speedCombo", "100M-Full"));
        messages.Answer({platform::MessageResult::Ok, platform::MessageResult::Ok});
        ASSERT_TRUE(Click(ports.get(), "applyButton") && Ready(*ports));
        auto syslog = Open<CSyslogDlg>();
        ASSERT_TRUE(Ready(*syslog));
        testsupport::Find<CIpAddressEdit>(syslog.get(), "hostIpEdit")->SetAddress("10.0.0.9");
        ASSERT_TRUE(Click(syslog.get(), "applyButton"));
        auto trunk = Open<CTrunkMemberDlg>(1, trunk::kModeLacp, PortFlags{});
        ASSERT_TRUE(Ready(*trunk) && Click(trunk.get(), "port7") && Click(trunk.get(), "port8") &&
                    Click(trunk.get(), "okButton"));
        SessionParameters().VlanEditAllowed = true;
        auto vlans = Open<CVlanDlg>();
        ASSERT_TRUE(Ready(*vlans));
        vlans->VlanList()->SelectRow(0);
        ASSERT_TRUE(Click(vlans.get(), "editButton") && vlans->SubDialog() != nullptr);
        const auto* edit = qobject_cast<const CFeatureDialog*>(vlans->SubDialog());
        ASSERT_TRUE(edit != nullptr && Ready(*edit));
        testsupport::Find<QLineEdit>(edit, "nameEdit")->setText("Office");
        ASSERT_TRUE(Click(edit, "okButton"));
        ASSERT_TRUE(WaitUntil([&] { return vlans->SubDialog() == nullptr && !vlans->IsBusy(); }));
        auto poe = Open<CPoePortDlg>();
        ASSERT_TRUE(Ready(*poe) && testsupport::ClickRow(poe->PortList(), 0) &&
                    Click(poe.get(), "userDefineCheck") &&
                    testsupport::Type(poe.get(), "wattsEdit", "15.4") &&
                    Click(poe.get(), "applyButton") && Ready(*poe));
        EXPECT_EQ(messages.TakeTexts().size(), 2u); // the port speed's two questions
    }
    // Presses `button`, answers its file dialogs (named `question`) in turn, and waits until
    // the dialog can read again; the status line.
    QString Run(CSettingsSnapshotDlg* dialog, const QString& button, const QString& question = {},
                const QStringList& files = {}) {
        testsupport::AnswerFileDialogs(question, files);
        EXPECT_TRUE(testsupport::Click(dialog, button));
        // An unanswered table ends after the time-outs of its walk and of the walks after it.
        EXPECT_TRUE(WaitUntil(
            [&] {
                return testsupport::FindAny(dialog, QStringLiteral("saveButton"))->isEnabled() &&
                       QApplication::activeModalWidget() == nullptr;
            },
            30000));
        return testsupport::Find<QLabel>(dialog, QStringLiteral("statusLabel"))->text();
    }
    QTemporaryDir folder;
};

TEST_F(SettingsSnapshotTest, SavesComparesWithTheSwitchAndOpensTheEditingDialog) {
    // Syslog is on and trunk 1 runs LACP without members: each change below is one setting.
    Restart("KSX-7700-28P", {PrivateOid("16.1.6.0") + "|2|1", trunk::ModeColumn() + ".1|2|1"});
    SessionParameters().FirstField = "lab core";
    auto dialog = Open<CSettingsSnapshotDlg>();
    const QString saved = folder.filePath(QStringLiteral("a.ksx"));
    QStringList offered;
    AnswerFileDialog(QStringLiteral("saveSnapshotDialog"), saved, &offered);
    EXPECT_EQ(Run(dialog.get(), QStringLiteral("saveButton")),
              QStringLiteral("609 settings saved to ") + saved);
    EXPECT_EQ(offered.value(0), QStringLiteral("lab_core-%1-%2.ksx")
                                    .arg(QString::fromStdString(sim.Address()),
                                         QDate::currentDate().toString(Qt::ISODate)));
    EXPECT_TRUE(TakeSets().empty());

    ChangeThroughFiveDialogs();
    const auto read = snapshot::ReadFile(saved.toStdString());
    ASSERT_TRUE(read.snapshot) << read.error;
    const QString savedAt = QString::fromStdString(read.snapshot->header.time);
    EXPECT_EQ(Run(dialog.get(), QStringLiteral("compareSwitchButton"), kOpen, {saved}),
              QStringLiteral("5 differences between %1 and the switch.").arg(savedAt));
    auto* list = testsupport::Find<CReportList>(dialog.get(), QStringLiteral("differencesList"));
    EXPECT_EQ(list->RowsToCopy(),
              (QList<QStringList>{{"Device Manager / System / Port Configuration / Port 5",
                                   "PortControlSpeed", "Auto", "100M-Full"},
                                  {"Device Manager / System / Syslog Host Configuration", "Host IP",
                                   "0.0.0.0", "10.0.0.9"},
                                  {"Device Manager / VLAN / VLAN Configuration / VLAN 1",
                                   "VLAN Name", "default", "Office"},
                                  {"Device Manager / L2 Function / Trunk Configuration / Trunk 1",
                                   "PortMember", "", "7,8"},
                                  {"Device Manager / PoE / PoE Port Settings / Port 1",
                                   "Power Limit", "Auto", "15.4"}}));

    RegisterModuleCommands();
    QString opened;
    testsupport::WhenModalOpens(dialog.get(), [&](QDialog& editing) {
        opened = editing.windowTitle();
        editing.close();
    });
    emit list->itemDoubleClicked(list->topLevelItem(0), 0);
    EXPECT_EQ(opened, QStringLiteral("Port Configuration"));

    // Two files: the same file twice has no differences; a file that is no snapshot is named.
    EXPECT_EQ(Run(dialog.get(), QStringLiteral("compareFilesButton"), kOpen, {saved, saved}),
              QStringLiteral("No differences between %1 and %1.").arg(savedAt));
    const QString foreign = folder.filePath(QStringLiteral("c.ksx"));
    QFile file(foreign);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("hostname core\n") > 0);
    file.close();
    messages.TakeTexts();
    Run(dialog.get(), QStringLiteral("compareFilesButton"), kOpen, {foreign});
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{foreign.toStdString() + ": not a settings snapshot"});
}

// A group whose reads are one get, a walk in the middle of a chain of walks (its next walks
// still run), a walk after a background read, or a walk after another walk.
TEST_F(SettingsSnapshotTest, AGroupTheSwitchDoesNotAnswerLeavesNoFile) {
    const std::vector<std::array<std::string, 3>> cases{
        {"KSX-7700-28", PrivateOid("16"), "System / Syslog Host Configuration"},
        {"KSX-7700-28", vlan::PvidColumn() + ".5", "VLAN / VLAN Configuration"},
        {"KSX-7700-28", "1.3.6.1.2.1.17.2.15", "L2 Function / Spanning Tree"},
        {"KSX-7700-28P", PrivateOid("22.1.1"), "PoE / PoE Port Settings"}};
    for (const auto& [model, dropped, group] : cases) {
        ASSERT_TRUE(StartSimulator({model, {"--drop", dropped}}));
        auto dialog = Open<CSettingsSnapshotDlg>();
        const QString path = folder.filePath(QStringLiteral("d.ksx"));
        Run(dialog.get(), QStringLiteral("saveButton"), QStringLiteral("saveSnapshotDialog"),
            {path});
        EXPECT_EQ(messages.TakeTexts(),
                  std::vector<std::string>{"The switch did not answer while reading Device "
                                           "Manager / " +
                                           group + "."});
        EXPECT_FALSE(QFile::exists(path));
    }
}

// A silent switch is named once (not also by the module-wide read failure), and the next read
// goes out again once the switch answers.
TEST_F(SettingsSnapshotTest, ASilentSwitchIsNamedOnceAndAskedAgain) {
    auto dialog = Open<CSettingsSnapshotDlg>();
    const QString path = folder.filePath(QStringLiteral("s.ksx"));
    sim.Pause();
    Run(dialog.get(), QStringLiteral("saveButton"), QStringLiteral("saveSnapshotDialog"), {path});
    sim.Resume();
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"The switch did not answer while reading Device Manager "
                                       "/ System / Syslog Host Configuration."});
    EXPECT_TRUE(Run(dialog.get(), QStringLiteral("saveButton"),
                    QStringLiteral("saveSnapshotDialog"), {path})
                    .endsWith(QStringLiteral(" settings saved to ") + path));
}

// Cancel, and closing, while a slow switch is read: the walks in flight end with the reader,
// nothing is written, and the dialog reads again at once.
TEST_F(SettingsSnapshotTest, CancelEndsTheReadingAndWritesNothing) {
    ASSERT_TRUE(StartSimulator({"KSX-7700-28", {"--delay", "300"}}));
    auto dialog = Open<CSettingsSnapshotDlg>();
    const QString path = folder.filePath(QStringLiteral("e.ksx"));
    AnswerFileDialog(QStringLiteral("saveSnapshotDialog"), path);
    ASSERT_TRUE(testsupport::Click(dialog.get(), QStringLiteral("saveButton")));
    const QWidget* cancel =
        testsupport::FindAny(dialog.get(), QStringLiteral("cancelReadingButton"));
    ASSERT_TRUE(WaitUntil([&] { return cancel->isEnabled(); }));
    ASSERT_TRUE(testsupport::Click(dialog.get(), QStringLiteral("cancelReadingButton")));
    EXPECT_TRUE(testsupport::FindAny(dialog.get(), QStringLiteral("saveButton"))->isEnabled());
    EXPECT_EQ(testsupport::Find<QLabel>(dialog.get(), QStringLiteral("statusLabel"))->text(),
              QStringLiteral("Cancelled."));
    testsupport::ProcessEvents();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(messages.TakeTexts().empty());

    // Closed while reading: nothing is called on the closed dialog, nothing is written.
    AnswerFileDialog(QStringLiteral("saveSnapshotDialog"), path);
    ASSERT_TRUE(testsupport::Click(dialog.get(), QStringLiteral("saveButton")));
    ASSERT_TRUE(WaitUntil([&] { return cancel->isEnabled(); }));
    dialog.reset();
    testsupport::ProcessEvents();
    QTest::qWait(700); // the answers in flight arrive
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(messages.TakeTexts().empty());
}

} // namespace
