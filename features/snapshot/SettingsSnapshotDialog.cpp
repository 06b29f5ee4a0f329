// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snapshot/SettingsSnapshotDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/MenuDialogs.h"
#include "features/common/Messages.h"
#include "features/common/ReadRound.h"
#include "features/common/ReportList.h"
#include "snmp/SessionParameters.h"

#include <QDate>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("Settings snapshots (*.ksx)");
const QString kSuffix = QStringLiteral("ksx");

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// "lab-10.0.0.5-2026-12-07.ksx"
QString SuggestedName() {
    QString device = Q(SessionParameters().FirstField);
    device.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return QStringLiteral("%1-%2-%3.%4")
        .arg(device.isEmpty() ? QStringLiteral("switch") : device,
             Q(SessionParameters().DeviceAddress), QDate::currentDate().toString(Qt::ISODate),
             kSuffix);
}

} // namespace

CSettingsSnapshotDlg::CSettingsSnapshotDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pSave = kit::Button(this, QStringLiteral("&Save Snapshot..."), "saveButton");
    m_pCompareSwitch =
        kit::Button(this, QStringLiteral("Compare &With Switch..."), "compareSwitchButton");
    m_pCompareFiles =
        kit::Button(this, QStringLiteral("Compare &Two Snapshots..."), "compareFilesButton");
    m_pCancel = kit::Button(this, QStringLiteral("Ca&ncel"), "cancelReadingButton");
    connect(m_pSave, &QPushButton::clicked, this, [this] { SaveSnapshot(); });
    connect(m_pCompareSwitch, &QPushButton::clicked, this, [this] { CompareWithSwitch(); });
    connect(m_pCompareFiles, &QPushButton::clicked, this, [this] { CompareTwoSnapshots(); });
    connect(m_pCancel, &QPushButton::clicked, this, [this] { CancelReading(); });

    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("progressBar"));
    m_pProgress->setTextVisible(false);
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("statusLabel"));
    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("differencesList"));
    m_pList->SetColumns(QList<ReportColumn>{{QStringLiteral("Menu Path"), 330},
                                            {QStringLiteral("Setting"), 150},
                                            {QStringLiteral("Older"), 150},
                                            {QStringLiteral("Newer"), 150}});
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        OpenEditingDialog(m_pList->indexOfTopLevelItem(item));
    });

    auto* progress = new QHBoxLayout;
    progress->addWidget(m_pProgress, 1);
    progress->addWidget(m_pCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kit::ButtonRow({m_pSave, m_pCompareSwitch, m_pCompareFiles}));
    layout->addLayout(progress);
    layout->addWidget(m_pStatus);
    layout->addWidget(m_pList, 1);
    layout->addLayout(kit::ButtonRow({CloseButton()}));
    resize(820, 480);
    UpdateWidgets();
}

CSettingsSnapshotDlg::~CSettingsSnapshotDlg() = default;

void CSettingsSnapshotDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool reading = m_reader != nullptr && m_reader->IsReading();
    for (QPushButton* button : {m_pSave, m_pCompareSwitch, m_pCompareFiles}) {
        button->setEnabled(!reading);
    }
    m_pCancel->setEnabled(reading);
}

void CSettingsSnapshotDlg::ReadSwitch(std::function<void(const snapshot::Snapshot&)> read) {
    // Each read of the switch is a round of its own, so a switch silent before is asked again;
    // the reader names the group that went unanswered itself.
    kit::BeginReadRound(this, [] {});
    m_reader = std::make_unique<snapshot::CSnapshotReader>();
    m_pProgress->setValue(0);
    m_reader->Start(
        snapshot::HeaderNow(DeviceValues().ModelName),
        [this](const std::vector<std::string>& group, int index, int count) {
            m_pProgress->setRange(0, count);
            m_pProgress->setValue(index);
            m_pStatus->setText(QStringLiteral("Reading %1...").arg(Q(snapshot::PathText(group))));
        },
        [this, read = std::move(read)](std::optional<snapshot::Snapshot> snapshot,
                                       const std::string& error) {
            m_pProgress->setValue(m_pProgress->maximum());
            m_pStatus->clear();
            UpdateWidgets();
            if (!snapshot) {
                ShowOk(Q(error));
                return;
            }
            read(*snapshot);
        });
    UpdateWidgets();
}

void CSettingsSnapshotDlg::CancelReading() {
    m_reader.reset(); // its walks end with it
    m_pProgress->setValue(0);
    m_pStatus->setText(QStringLiteral("Cancelled."));
    UpdateWidgets();
}

void CSettingsSnapshotDlg::SaveSnapshot() {
    const QString path =
        AskFileName(this, {QStringLiteral("Save Snapshot"), QStringLiteral("saveSnapshotDialog"),
                           kFilter, kSuffix, SuggestedName()});
    if (path.isEmpty()) {
        return;
    }
    ReadSwitch([this, path](const snapshot::Snapshot& read) {
        const std::string error = snapshot::WriteFile(read, path.toStdString());
        if (!error.empty()) {
            ShowOk(Q(error));
            return;
        }
        m_pStatus->setText(
            QStringLiteral("%1 settings saved to %2").arg(read.settings.size()).arg(path));
    });
}

std::optional<snapshot::Snapshot> CSettingsSnapshotDlg::AskAndReadFile(const QString& caption) {
    const QString path = AskFileName(
        this, {caption, QStringLiteral("openSnapshotDialog"), kFilter, kSuffix, {}, false});
    if (path.isEmpty()) {
        return std::nullopt;
    }
    snapshot::ReadResult read = snapshot::ReadFile(path.toStdString());
    if (!read.snapshot) {
        ShowOk(Q(read.error));
    }
    return read.snapshot;
}

void CSettingsSnapshotDlg::CompareWithSwitch() {
    std::optional<snapshot::Snapshot> older = AskAndReadFile(QStringLiteral("Compare With Switch"));
    if (!older) {
        return;
    }
    ReadSwitch([this, older = std::move(*older)](const snapshot::Snapshot& current) {
        ShowDifferences(older, current, Q(older.header.time), QStringLiteral("the switch"));
    });
}

void CSettingsSnapshotDlg::CompareTwoSnapshots() {
    std::optional<snapshot::Snapshot> older = AskAndReadFile(QStringLiteral("Older Snapshot"));
    if (!older) {
        return;
    }
    std::optional<snapshot::Snapshot> newer = AskAndReadFile(QStringLiteral("Newer Snapshot"));
    if (newer) {
        ShowDifferences(*older, *newer, Q(older->header.time), Q(newer->header.time));
    }
}

void CSettingsSnapshotDlg::ShowDifferences(const snapshot::Snapshot& older,
                                           const snapshot::Snapshot& newer,
                                           const QString& olderName, const QString& newerName) {
    m_differences = snapshot::Compare(older, newer);
    m_pList->clear();
    for (const snapshot::Difference& d : m_differences) {
        m_pList->AddRow({Q(snapshot::PathText(d.path)), Q(d.name),
                         Q(snapshot::ValueText(d.older, d, older.header)),
                         Q(snapshot::ValueText(d.newer, d, newer.header))});
    }
    for (int column : {0, 1}) { // long menu paths and labels shown whole
        m_pList->resizeColumnToContents(column);
    }
    m_pStatus->setText(
        m_differences.empty()
            ? QStringLiteral("No differences between %1 and %2.").arg(olderName, newerName)
            : QStringLiteral("%1 differences between %2 and %3.")
                  .arg(m_differences.size())
                  .arg(olderName, newerName));
}

// The dialog of the longest part of the row's path that is a command of the menu.
void CSettingsSnapshotDlg::OpenEditingDialog(int row) {
    if (row < 0 || row >= static_cast<int>(m_differences.size())) {
        return;
    }
    std::vector<std::string> path = m_differences[static_cast<size_t>(row)].path;
    for (; !path.empty(); path.pop_back()) {
        if (std::unique_ptr<QDialog> dialog = kit::MakeMenuDialog(snapshot::PathText(path))) {
            dialog->exec();
            return;
        }
    }
}
