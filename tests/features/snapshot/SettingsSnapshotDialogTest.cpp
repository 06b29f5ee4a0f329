// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Settings Snapshot dialog against ksx-sim: save, a change from outside the module,
// compare with the switch, the editing dialog opened from a difference, a file that is no
// snapshot, and a switch that leaves a group unanswered.
#include "features/snapshot/SettingsSnapshotDialog.h"
#include "app/ModuleCommands.h"
#include "features/common/Repainting.h"
#include "features/common/ReportList.h"
#include "features/common/SnmpRequests.h"
#include "features/l2/MirrorMib.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/FileDialogs.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using testsupport::AnswerFileDialog;
using testsupport::WaitUntil;

const QString kOpen = QStringLiteral("openSnapshotDialog");

class SettingsSnapshotTest : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-28", {"--delay", "5"}};
    }
    void Set(const std::string& oid, const std::string& value) {
        CCommonSNMP console; // as from the switch's console, outside the module
        std::unique_ptr<CSnmp> answer;
        ASSERT_EQ(console.Open(kPduSet), 1);
        ASSERT_EQ(console.AddValue(oid, kSnmpInteger, value), 0);
        int status = -1;
        kit::RunRepainting([&] { status = console.Send(answer, 3000); });
        ASSERT_EQ(status, 0);
    }
    // Presses `button`, answers its file dialogs (named `question`) in turn, and waits until
    // the dialog can read again; the status line.
    QString Run(CSettingsSnapshotDlg* dialog, const QString& button, const QString& question = {},
                const QStringList& files = {}) {
        testsupport::AnswerFileDialogs(question, files);
        EXPECT_TRUE(testsupport::Click(dialog, button));
        EXPECT_TRUE(WaitUntil([&] {
            return testsupport::FindAny(dialog, QStringLiteral("saveButton"))->isEnabled() &&
                   QApplication::activeModalWidget() == nullptr;
        }));
        return testsupport::Find<QLabel>(dialog, QStringLiteral("statusLabel"))->text();
    }
    QTemporaryDir folder;
};

TEST_F(SettingsSnapshotTest, SavesComparesWithTheSwitchAndOpensTheEditingDialog) {
    SessionParameters().FirstField = "lab core";
    auto dialog = Open<CSettingsSnapshotDlg>();
    const QString saved = folder.filePath(QStringLiteral("a.ksx"));
    QStringList offered;
    AnswerFileDialog(QStringLiteral("saveSnapshotDialog"), saved, &offered);
    EXPECT_EQ(Run(dialog.get(), QStringLiteral("saveButton")),
              QStringLiteral("210 settings saved to ") + saved);
    EXPECT_EQ(offered.value(0), QStringLiteral("lab_core-%1-%2.ksx")
                                    .arg(QString::fromStdString(sim.Address()),
                                         QDate::currentDate().toString(Qt::ISODate)));
    EXPECT_TRUE(TakeSets().empty());

    Set(PrivateOid("1.13.1.2.5"), "2");
    Set(PrivateOid("16.1.2.0"), "1514");
    Set(CMirrorMib::StateOid(), "1");
    const auto read = snapshot::ReadFile(saved.toStdString());
    ASSERT_TRUE(read.snapshot) << read.error;
    const QString savedAt = QString::fromStdString(read.snapshot->header.time);
    EXPECT_EQ(Run(dialog.get(), QStringLiteral("compareSwitchButton"), kOpen, {saved}),
              QStringLiteral("3 differences between %1 and the switch.").arg(savedAt));
    auto* list = testsupport::Find<CReportList>(dialog.get(), QStringLiteral("differencesList"));
    EXPECT_EQ(list->RowsToCopy(),
              (QList<QStringList>{{"Device Manager / System / Port Configuration / Port 5",
                                   "PortControlSpeed", "Auto", "100M-Full"},
                                  {"Device Manager / System / Syslog Host Configuration",
                                   "UDP Port(1-65535)", "514", "1514"},
                                  {"Device Manager / L2 Function / Port Mirroring Settings",
                                   "Port Mirroring", "Disabled", "Enabled"}}));

    RegisterModuleCommands();
    QString opened;
    QTimer::singleShot(0, [&] {
        WaitUntil([&] { return QApplication::activeModalWidget() != dialog.get(); });
        opened = QApplication::activeModalWidget()->windowTitle();
        QApplication::activeModalWidget()->close();
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

TEST_F(SettingsSnapshotTest, AGroupTheSwitchDoesNotAnswerLeavesNoFile) {
    ASSERT_TRUE(StartSimulator({"KSX-7700-28", {"--drop", PrivateOid("16")}}));
    auto dialog = Open<CSettingsSnapshotDlg>();
    const QString path = folder.filePath(QStringLiteral("d.ksx"));
    Run(dialog.get(), QStringLiteral("saveButton"), QStringLiteral("saveSnapshotDialog"), {path});
    EXPECT_EQ(messages.TakeTexts(),
              std::vector<std::string>{"The switch did not answer while reading Device Manager "
                                       "/ System / Syslog Host Configuration."});
    EXPECT_FALSE(QFile::exists(path));
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
