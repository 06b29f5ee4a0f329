// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "Firmware and Configuration Upgrade/Backup": makes the switch fetch a firmware image or a
// configuration file from a TFTP server, or send one there. The dialog writes the server
// address and file name, then the operation, and polls the transfer state with a progress
// bar until the switch reports success or failure or a time-out expires. Four one-shot
// timers drive it: the state poll, the finish, the progress tick and the overall time-out.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/maintenance/TransferData.h"

#include <QString>
#include <QTimer>

class CIpAddressEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;

// How long the dialog waits for what. The defaults are the program's; tests may shorten the
// timers to keep their runs short.
struct TransferTimings {
    int firstPollFirmwareMs = 15000;
    int firstPollConfigurationMs = 3000;
    int pollWhileRunningMs = 1500;  // after state "4"
    int pollWhileApplyingMs = 2500; // after state "3"
    int pollRetryMs = 2500;         // after a failed poll
    int firstProgressTickMs = 2000;
    int progressTickMs = 2500;
    int finishMs = 5;
    int overallFirmwareMs = 200000;
    int overallConfigurationMs = 70000;

    unsigned addressSetTimeoutMs = 10000;
    unsigned operationSetTimeoutMs = 15000;
    unsigned pollTimeoutMs = 2000;
    unsigned pollTimeoutApplyingMs = 500;

    // The same with every timer (not the request time-outs) divided by `divisor`.
    TransferTimings TimersDividedBy(int divisor) const;
};

class CTransferDialog : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Firmware and Configuration Upgrade/Backup";
    static constexpr int kMaxFileNameLength = 64;
    // Failed polls tolerated in a row before the transfer is given up.
    static constexpr int kFailedPollsTolerated = 2;
    static constexpr int kFailedPollsToleratedWhileApplying = 45;

    explicit CTransferDialog(QWidget* parent = nullptr);
    ~CTransferDialog() override;

    void Apply() override;

    void SetTimings(const TransferTimings& timings) { m_timings = timings; }
    // True from a started transfer until it has ended in any way.
    bool IsTransferRunning() const { return m_bStarted && !m_IsFinish; }

private:
    void BuildControls();
    void OnFileNameChanged(const QString& text);
    bool PassesInputChecks();
    bool IsServerAddressValid() const;
    TransferKind ChosenKind() const;
    bool IsUpgradeChosen() const;
    void EnableControls() override;
    void LockInputs(bool locked);

    void OnAddressSetDone(int status);
    void StartOperationStep();
    void OnOperationSetDone(int status);
    void OnPollTimer();
    void OnStateRead(const std::string& state);
    void OnPollFailed();
    void OnProgressTimer();
    void OnOverallTimeOut();
    void OnFinishTimer();
    // Ends the transfer: the timers stop, the message (if any) is shown, and the finish
    // timer gives the controls back.
    void EndTransfer(const QString& message);
    void StopTransferTimers();

    CTransferData& m_cTransfer = AddData<CTransferData>();
    TransferTimings m_timings;

    CIpAddressEdit* m_pServer = nullptr;
    QLineEdit* m_pFileName = nullptr;
    QComboBox* m_pOperation = nullptr;
    QComboBox* m_pFileType = nullptr;
    QLabel* m_pProgressLabel = nullptr;
    QProgressBar* m_pProgress = nullptr;

    QTimer m_PollTimer;     // 2074
    QTimer m_FinishTimer;   // 2124
    QTimer m_ProgressTimer; // 2125
    QTimer m_OverallTimer;  // 2126

    TransferKind m_kind = TransferKind::Configuration;
    bool m_bUpgrade = true;
    bool m_bStarted = false;
    bool m_bInputsLocked = false;
    bool m_IsFinish = true;
    bool m_bApplyingPhase = false;
    int m_ProgressTimes = 1;
    int m_nFailedPolls = 0;
};
