// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "Settings Snapshot": saves every setting of the switch to a file, and lists what differs
// between a file and the switch, or between two files. A double click on a difference opens
// the dialog that edits that setting.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/snapshot/SettingsSnapshot.h"
#include "features/snapshot/SnapshotReader.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CReportList;
class QLabel;
class QProgressBar;

class CSettingsSnapshotDlg : public CFeatureDialog {
    Q_OBJECT

public:
    static constexpr char kCaption[] = "Settings Snapshot";

    explicit CSettingsSnapshotDlg(QWidget* parent = nullptr);
    ~CSettingsSnapshotDlg() override;

private:
    void EnableControls() override;
    void SaveSnapshot();
    void CompareWithSwitch();
    void CompareTwoSnapshots();
    void CancelReading();
    // Reads the switch with progress; `read` gets the snapshot once it is complete.
    void ReadSwitch(std::function<void(const snapshot::Snapshot&)> read);
    std::optional<snapshot::Snapshot> AskAndReadFile(const QString& caption);
    void ShowDifferences(const snapshot::Snapshot& older, const snapshot::Snapshot& newer,
                         const QString& olderName, const QString& newerName);
    void OpenEditingDialog(int row);

    QPushButton* m_pSave = nullptr;
    QPushButton* m_pCompareSwitch = nullptr;
    QPushButton* m_pCompareFiles = nullptr;
    QPushButton* m_pCancel = nullptr;
    QProgressBar* m_pProgress = nullptr;
    QLabel* m_pStatus = nullptr;
    CReportList* m_pList = nullptr;
    std::unique_ptr<snapshot::CSnapshotReader> m_reader;
    std::vector<snapshot::Difference> m_differences;
};
