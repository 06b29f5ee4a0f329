// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The firmware and configuration transfer: the checks of what was typed, and the run of one
// transfer. The first session carries the server address and file name (one asynchronous set)
// and then the state polling, the second the operation that starts the transfer on the
// switch. Four one-shot timers drive a run: the state poll, the finish, the progress tick and
// the overall time-out.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/BackgroundRequest.h"
#include "features/common/FeatureData.h"
#include "features/common/Listeners.h"
#include "features/maintenance/TransferObjects.h"

#include <QTimer>

#include <array>
#include <optional>
#include <string>

// How long a run waits for what. The defaults are the program's; tests may shorten the timers
// to keep their runs short.
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

class CTransferData : public CFeatureData {
public:
    // The inputs a refusal is about.
    static constexpr char kServerField[] = "server";
    static constexpr char kFileField[] = "file";
    static constexpr int kMaxFileNameLength = 64;
    // Failed polls tolerated in a row before the transfer is given up.
    static constexpr int kFailedPollsTolerated = 2;
    static constexpr int kFailedPollsToleratedWhileApplying = 45;
    static constexpr int kProgressDone = 99;

    struct Input {
        std::optional<std::array<int, 4>> server; // empty unless all four fields were filled
        std::string file;
        TransferKind kind = TransferKind::Configuration;
        bool upgrade = true;
    };

    CTransferData();
    ~CTransferData() override;

    // The first input that keeps a transfer from starting.
    static std::optional<Refusal> CheckInput(const Input& input);

    void SetTimings(const TransferTimings& timings) { m_timings = timings; }
    // Starts a run of checked input: the address set goes out.
    void Start(const Input& input);
    // True from a started transfer until it has ended in any way.
    bool IsRunning() const { return m_bStarted && !m_IsFinish; }

    // The progress bar's value (on the UI thread).
    void OnProgress(const QObject* receiver, std::function<void(int value)> handler) {
        m_progress.Add(receiver, std::move(handler));
    }
    // The run has ended; `message` (maybe empty: nothing to say) is the text to show. Nothing
    // of the run goes on while the handler runs.
    void OnEnded(const QObject* receiver, std::function<void(const std::string& message)> handler) {
        m_ended.Add(receiver, std::move(handler));
    }
    // Shortly after the end: another transfer may start.
    void OnReady(const QObject* receiver, std::function<void()> handler) {
        m_ready.Add(receiver, std::move(handler));
    }

private:
    void StartAddressSet();
    void OnAddressSetDone(int status);
    void StartOperationStep();
    void OnOperationSetDone(int status);
    void OnPollTimer();
    // Reads the state object: 0 with the value in `state`, otherwise the status.
    int ReadState(unsigned timeoutMs, std::string& state);
    void OnStateRead(const std::string& state);
    void OnPollFailed();
    void OnProgressTimer();
    void OnOverallTimeOut();
    void OnFinishTimer();
    void End(const std::string& message);
    void StopTimers();
    void AbandonSets();
    bool IsFirmware() const { return m_input.kind == TransferKind::Firmware; }

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSetOp = AddSession("m_cCommonSNMPSetOp");
    CBackgroundRequest m_cAddressSet{m_cCommonSNMP};
    CBackgroundRequest m_cOperationSet{m_cCommonSNMPSetOp};
    TransferTimings m_timings;

    QTimer m_PollTimer;     // 2074
    QTimer m_FinishTimer;   // 2124
    QTimer m_ProgressTimer; // 2125
    QTimer m_OverallTimer;  // 2126

    Input m_input;
    bool m_bStarted = false;
    bool m_IsFinish = true;
    bool m_bApplyingPhase = false;
    int m_ProgressTimes = 1;
    int m_nFailedPolls = 0;

    CListeners<int> m_progress;
    CListeners<const std::string&> m_ended;
    CListeners<> m_ready;
};
