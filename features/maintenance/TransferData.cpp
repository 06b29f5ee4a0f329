// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/TransferData.h"

#include "features/common/Repainting.h"
#include "platform/Trace.h"

#include <memory>

namespace {

const char* const kInvalidServer = "Invalid TFTP server IP.";
const char* const kInvalidFile = "Invalid file.";
const char* const kAddressSetTimeOut = "Setting file name TimeOut !";
const char* const kOperationSetTimeOut = "Setting operation TimeOut !";
const char* const kSuccess = "Success !";
const char* const kFirmwareFailed = "Firmware Upgrade Fail !";
const char* const kConfigurationFailed = "Config Restore Fail !";
const char* const kFirmwareStatusTimeOut = "Get Firmware BackUp/Upgrade status Time Out !";
const char* const kConfigurationStatusTimeOut = "Get Config BackUp/Upgrade status Time Out !";
const char* const kFirmwareOverallTimeOut = "Time out! Please check TFTP Server IP and network.";
const char* const kConfigurationOverallTimeOut =
    "Time out! Please check TFTP Server IP and network.\n You may close the current device "
    "Tessaview Module and implement 'Device Discovery'to restart it";

constexpr int kProgressStart = 1;
constexpr int kProgressStep = 2;
constexpr int kProgressTickLimit = 90;

bool IsServerAddressValid(const std::optional<std::array<int, 4>>& server) {
    if (!server) {
        return false;
    }
    const std::array<int, 4>& fields = *server;
    const bool allZero = fields == std::array<int, 4>{0, 0, 0, 0};
    auto isEdgeValue = [](int field) { return field == 0 || field == 255; };
    return !allZero && !isEdgeValue(fields[0]) && !isEdgeValue(fields[3]);
}

std::string Dotted(const std::array<int, 4>& fields) {
    return std::to_string(fields[0]) + '.' + std::to_string(fields[1]) + '.' +
           std::to_string(fields[2]) + '.' + std::to_string(fields[3]);
}

} // namespace

TransferTimings TransferTimings::TimersDividedBy(int divisor) const {
    TransferTimings divided = *this;
    for (int* timer : {&divided.firstPollFirmwareMs, &divided.firstPollConfigurationMs,
                       &divided.pollWhileRunningMs, &divided.pollWhileApplyingMs,
                       &divided.pollRetryMs, &divided.firstProgressTickMs, &divided.progressTickMs,
                       &divided.overallFirmwareMs, &divided.overallConfigurationMs}) {
        *timer /= divisor;
    }
    return divided;
}

CTransferData::CTransferData() {
    for (QTimer* timer : {&m_PollTimer, &m_FinishTimer, &m_ProgressTimer, &m_OverallTimer}) {
        timer->setSingleShot(true); // every timer fires once and is started again explicitly
    }
    connect(&m_PollTimer, &QTimer::timeout, this, &CTransferData::OnPollTimer);
    connect(&m_FinishTimer, &QTimer::timeout, this, &CTransferData::OnFinishTimer);
    connect(&m_ProgressTimer, &QTimer::timeout, this, &CTransferData::OnProgressTimer);
    connect(&m_OverallTimer, &QTimer::timeout, this, &CTransferData::OnOverallTimeOut);
    m_cAddressSet.OnDone(this, [this](const CBackgroundRequest::Answer& answer) {
        OnAddressSetDone(answer.status);
    });
    m_cOperationSet.OnDone(this, [this](const CBackgroundRequest::Answer& answer) {
        OnOperationSetDone(answer.status);
    });
}

CTransferData::~CTransferData() {
    StopTimers();
    m_FinishTimer.stop();
    AbandonSets();
}

std::optional<Refusal> CTransferData::CheckInput(const Input& input) {
    CheckChain checks;
    checks.Require(IsServerAddressValid(input.server), kInvalidServer)
        .About(kServerField)
        .Require(!input.file.empty(), kInvalidFile)
        .About(kFileField);
    return checks.FirstRefusal();
}

void CTransferData::Start(const Input& input) {
    m_input = input;
    // A configuration is applied by restarting: its polls may fail from the start.
    m_bApplyingPhase = input.kind == TransferKind::Configuration;
    m_nFailedPolls = 0;
    m_ProgressTimes = kProgressStart;
    m_bStarted = true;
    m_IsFinish = false;
    m_progress.Notify(0);
    StartAddressSet();
}

void CTransferData::StartAddressSet() {
    const TransferObjects& objects = TransferObjectsOf(m_input.kind);
    const std::string server = m_input.server ? Dotted(*m_input.server) : std::string();
    m_cAddressSet.Start(
        kPduSet,
        {{objects.server, kSnmpIpAddress, server}, {objects.file, kSnmpOctetString, m_input.file}},
        m_timings.addressSetTimeoutMs);
}

void CTransferData::OnAddressSetDone(int status) {
    if (!IsRunning()) {
        return;
    }
    if (status != 0) {
        End(kAddressSetTimeOut);
        return;
    }
    StartOperationStep();
}

void CTransferData::StartOperationStep() {
    m_ProgressTimer.start(m_timings.firstProgressTickMs);
    const std::string operation(m_input.upgrade ? kTransferUpgrade : kTransferBackup);
    m_cOperationSet.Start(kPduSet,
                          {{TransferObjectsOf(m_input.kind).operation, kSnmpInteger, operation}},
                          m_timings.operationSetTimeoutMs);
    m_PollTimer.start(IsFirmware() ? m_timings.firstPollFirmwareMs
                                   : m_timings.firstPollConfigurationMs);
}

void CTransferData::OnOperationSetDone(int status) {
    if (status == 0 || !IsRunning()) {
        return;
    }
    End(kOperationSetTimeOut);
}

void CTransferData::OnPollTimer() {
    if (!IsRunning()) {
        return;
    }
    if (m_cOperationSet.IsRunning()) {
        // Until the switch has taken the operation its state tells of an earlier transfer.
        m_PollTimer.start(m_timings.pollWhileRunningMs);
        return;
    }
    std::string state;
    const unsigned timeoutMs =
        m_bApplyingPhase ? m_timings.pollTimeoutApplyingMs : m_timings.pollTimeoutMs;
    const int status = ReadState(timeoutMs, state);
    platform::DebugTrace("iStatus = " + std::to_string(status));
    if (!IsRunning()) {
        return; // ended while the read waited (the dialog was closed)
    }
    if (status == 0) {
        m_nFailedPolls = 0;
        OnStateRead(state);
    } else {
        OnPollFailed();
    }
}

int CTransferData::ReadState(unsigned timeoutMs, std::string& state) {
    if (m_cCommonSNMP.Open(kPduGet) != 1 ||
        m_cCommonSNMP.AddValue(TransferObjectsOf(m_input.kind).state, kSnmpNull, "") != 0) {
        return kSnmpFailed;
    }
    std::unique_ptr<CSnmp> response;
    int status = kSnmpTimeout;
    kit::RunRepainting([&] { status = m_cCommonSNMP.Send(response, timeoutMs); });
    if (status != 0) {
        return status;
    }
    int type = 0;
    if (!response || response->getValuesCount() < 1 || response->getValue(0, type, state) != 0) {
        return kSnmpFailed;
    }
    return 0;
}

void CTransferData::OnStateRead(const std::string& state) {
    if (state == kTransferStateIdle || state == kTransferStateSucceeded) {
        StopTimers();
        m_progress.Notify(kProgressDone);
        End(kSuccess);
    } else if (state == kTransferStateFailed) {
        End(IsFirmware() ? kFirmwareFailed : kConfigurationFailed);
    } else if (state == kTransferStateRunning) {
        m_PollTimer.start(m_timings.pollWhileRunningMs);
    } else if (state == kTransferStateApplying) {
        m_bApplyingPhase = true;
        m_PollTimer.start(m_timings.pollWhileApplyingMs);
        if (!m_OverallTimer.isActive()) { // counted from the first report, not the last
            m_OverallTimer.start(IsFirmware() ? m_timings.overallFirmwareMs
                                              : m_timings.overallConfigurationMs);
        }
    } else {
        End({}); // a state this program does not know: nothing more to wait for
    }
}

void CTransferData::OnPollFailed() {
    ++m_nFailedPolls;
    const int tolerated =
        m_bApplyingPhase ? kFailedPollsToleratedWhileApplying : kFailedPollsTolerated;
    if (m_nFailedPolls > tolerated) {
        End(IsFirmware() ? kFirmwareStatusTimeOut : kConfigurationStatusTimeOut);
        return;
    }
    m_PollTimer.start(m_timings.pollRetryMs);
}

void CTransferData::OnProgressTimer() {
    if (m_ProgressTimes >= kProgressTickLimit || !IsRunning()) {
        return;
    }
    m_progress.Notify(m_ProgressTimes);
    m_ProgressTimes += kProgressStep;
    m_ProgressTimer.start(m_timings.progressTickMs);
}

void CTransferData::OnOverallTimeOut() {
    if (!IsRunning()) {
        return;
    }
    End(IsFirmware() ? kFirmwareOverallTimeOut : kConfigurationOverallTimeOut);
}

void CTransferData::OnFinishTimer() {
    if (!m_IsFinish) {
        return;
    }
    StopTimers();
    m_ready.Notify();
}

void CTransferData::End(const std::string& message) {
    m_IsFinish = true;
    // Nothing of this transfer may run while the message waits for the user.
    StopTimers();
    AbandonSets();
    m_ended.Notify(message);
    m_FinishTimer.start(m_timings.finishMs);
}

void CTransferData::StopTimers() {
    m_PollTimer.stop();
    m_ProgressTimer.stop();
    m_OverallTimer.stop();
}

void CTransferData::AbandonSets() {
    m_cAddressSet.Abandon();
    m_cOperationSet.Abandon();
}
