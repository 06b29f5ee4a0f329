// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "Firmware and Configuration Upgrade/Backup": makes the switch fetch a firmware image or a
// configuration file from a TFTP server, or send one there, with a progress bar until the
// switch reports success or failure or a time-out expires (CTransferData runs it).
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/maintenance/TransferData.h"

#include <QString>

class CIpAddressEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;

class CTransferDialog : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Firmware and Configuration Upgrade/Backup";

    explicit CTransferDialog(QWidget* parent = nullptr);

    void Apply() override;

    void SetTimings(const TransferTimings& timings) { m_cTransfer.SetTimings(timings); }
    // True from a started transfer until it has ended in any way.
    bool IsTransferRunning() const { return m_cTransfer.IsRunning(); }

private:
    void BuildControls();
    void OnFileNameChanged(const QString& text);
    CTransferData::Input TypedInput() const;
    void EnableControls() override;
    void LockInputs(bool locked);

    CTransferData& m_cTransfer = AddData<CTransferData>();

    CIpAddressEdit* m_pServer = nullptr;
    QLineEdit* m_pFileName = nullptr;
    QComboBox* m_pOperation = nullptr;
    QComboBox* m_pFileType = nullptr;
    QLabel* m_pProgressLabel = nullptr;
    QProgressBar* m_pProgress = nullptr;
    bool m_bInputsLocked = false;
};
