// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/TransferDialog.h"

#include "features/common/IpAddressEdit.h"
#include "platform/Trace.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include <array>

namespace {

const char* const kUpgradeWarning =
    "The connection will be disconnected.\nPlease do not apply other changes when "
    "uploading.\nReconnect to the device later when uploading completes.";
const char* const kFileNameTooLong = "The maximum length of file name is 64!";
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

constexpr char kServerField[] = "server";
constexpr char kFileField[] = "file";

constexpr int kProgressStart = 1;
constexpr int kProgressStep = 2;
constexpr int kProgressTickLimit = 90;
constexpr int kProgressDone = 99;

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

void StartOnce(QTimer& timer, int intervalMs) {
    timer.start(intervalMs);
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

CTransferDialog::CTransferDialog(QWidget* parent) : CFeatureDialog(parent) {
    setObjectName(QStringLiteral("firmwareTransferDialog"));
    setWindowTitle(QString::fromLatin1(kCaption));
    for (QTimer* timer : {&m_PollTimer, &m_FinishTimer, &m_ProgressTimer, &m_OverallTimer}) {
        timer->setSingleShot(true); // every timer fires once and is started again explicitly
    }
    connect(&m_PollTimer, &QTimer::timeout, this, &CTransferDialog::OnPollTimer);
    connect(&m_FinishTimer, &QTimer::timeout, this, &CTransferDialog::OnFinishTimer);
    connect(&m_ProgressTimer, &QTimer::timeout, this, &CTransferDialog::OnProgressTimer);
    connect(&m_OverallTimer, &QTimer::timeout, this, &CTransferDialog::OnOverallTimeOut);
    m_cTransfer.OnAddressSetDone(this, [this](int status) { OnAddressSetDone(status); });
    m_cTransfer.OnOperationSetDone(this, [this](int status) { OnOperationSetDone(status); });
    BuildControls();
    FocusFor(kServerField, m_pServer);
    FocusFor(kFileField, m_pFileName);
}

CTransferDialog::~CTransferDialog() {
    StopTransferTimers();
    m_FinishTimer.stop();
    m_cTransfer.AbandonSets();
}

void CTransferDialog::BuildControls() {
    m_pServer = new CIpAddressEdit(this);
    m_pServer->setObjectName(QStringLiteral("serverAddress"));
    m_pFileName = new QLineEdit(this);
    m_pFileName->setObjectName(QStringLiteral("fileName"));
    connect(m_pFileName, &QLineEdit::textChanged, this, &CTransferDialog::OnFileNameChanged);
    m_pOperation = new QComboBox(this);
    m_pOperation->setObjectName(QStringLiteral("operationType"));
    m_pOperation->addItems({QStringLiteral("Upgrade"), QStringLiteral("Backup")});
    m_pFileType = new QComboBox(this);
    m_pFileType->setObjectName(QStringLiteral("fileType"));
    m_pFileType->addItems({QStringLiteral("Configuration"), QStringLiteral("Firmware")});
    m_pOperation->setCurrentIndex(0);
    m_pFileType->setCurrentIndex(0);

    m_pProgressLabel = new QLabel(QStringLiteral("Upgrade/BackUp:"), this);
    m_pProgressLabel->setObjectName(QStringLiteral("progressLabel"));
    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("progressBar"));
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
    m_pProgress->setTextVisible(false);
    m_pProgressLabel->hide();
    m_pProgress->hide();

    auto* form = new QGridLayout;
    const std::array<std::pair<const char*, QWidget*>, 4> rows{{
        {"TFTP Server IP:", m_pServer},
        {"File Name:", m_pFileName},
        {"Operation Type:", m_pOperation},
        {"FileType:", m_pFileType},
    }};
    int row = 0;
    for (const auto& [caption, field] : rows) {
        form->addWidget(new QLabel(Text(caption), this), row, 0);
        form->addWidget(field, row, 1);
        ++row;
    }
    form->addWidget(m_pProgressLabel, row, 0);
    form->addWidget(m_pProgress, row, 1);
    form->setColumnMinimumWidth(1, 220);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyButton());
    buttons->addWidget(CloseButton());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void CTransferDialog::OnFileNameChanged(const QString& text) {
    if (text.size() <= kMaxFileNameLength) {
        return;
    }
    const int caret = std::min(m_pFileName->cursorPosition(), kMaxFileNameLength);
    const QString cut = text.left(kMaxFileNameLength);
    ShowOk(Text(kFileNameTooLong));
    m_pFileName->setText(cut);
    m_pFileName->setCursorPosition(caret);
}

TransferKind CTransferDialog::ChosenKind() const {
    return m_pFileType->currentIndex() == 1 ? TransferKind::Firmware : TransferKind::Configuration;
}

bool CTransferDialog::IsUpgradeChosen() const {
    return m_pOperation->currentIndex() == 0;
}

bool CTransferDialog::IsServerAddressValid() const {
    if (m_pServer->FilledFieldCount() != 4) {
        return false;
    }
    const std::array<int, 4> fields = m_pServer->Fields();
    const bool allZero = fields == std::array<int, 4>{0, 0, 0, 0};
    auto isEdgeValue = [](int field) { return field == 0 || field == 255; };
    return !allZero && !isEdgeValue(fields[0]) && !isEdgeValue(fields[3]);
}

bool CTransferDialog::PassesInputChecks() {
    CheckChain checks;
    checks.Require([this] { return IsServerAddressValid(); }, kInvalidServer)
        .About(kServerField)
        .Require([this] { return !m_pFileName->text().isEmpty(); }, kInvalidFile)
        .About(kFileField);
    return !ShowRefusal(checks.FirstRefusal());
}

// The inputs and Apply stay disabled from the start of a transfer until its end has been shown.
void CTransferDialog::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !m_bInputsLocked;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_pServer, m_pFileName, m_pOperation, m_pFileType, ApplyButton(), CloseButton()}) {
        if (widget != nullptr) {
            widget->setEnabled(idle);
        }
    }
}

void CTransferDialog::LockInputs(bool locked) {
    m_bInputsLocked = locked;
    UpdateWidgets();
}

void CTransferDialog::Apply() {
    if (IsTransferRunning()) {
        return; // the controls are disabled meanwhile; a second start would mix two transfers
    }
    m_bApplyingPhase = false;
    if (IsUpgradeChosen() && !Confirm(Text(kUpgradeWarning))) {
        return;
    }
    m_pProgressLabel->show();
    m_pProgress->show();
    m_ProgressTimes = kProgressStart;
    if (!PassesInputChecks()) {
        return;
    }
    m_kind = ChosenKind();
    m_bUpgrade = IsUpgradeChosen();
    // A configuration is applied by restarting: its polls may fail from the start.
    m_bApplyingPhase = m_kind == TransferKind::Configuration;
    m_nFailedPolls = 0;
    m_bStarted = true;
    m_IsFinish = false;
    m_pProgress->setValue(0);
    m_cTransfer.StartAddressSet(m_kind, m_pServer->Address().toStdString(),
                                m_pFileName->text().toStdString(), m_timings.addressSetTimeoutMs);
    LockInputs(true);
}

void CTransferDialog::OnAddressSetDone(int status) {
    if (!IsTransferRunning()) {
        return;
    }
    if (status != 0) {
        EndTransfer(Text(kAddressSetTimeOut));
        return;
    }
    StartOperationStep();
}

void CTransferDialog::StartOperationStep() {
    StartOnce(m_ProgressTimer, m_timings.firstProgressTickMs);
    m_cTransfer.StartOperationSet(m_kind, m_bUpgrade, m_timings.operationSetTimeoutMs);
    StartOnce(m_PollTimer, m_kind == TransferKind::Firmware ? m_timings.firstPollFirmwareMs
                                                            : m_timings.firstPollConfigurationMs);
}

void CTransferDialog::OnOperationSetDone(int status) {
    if (status == 0 || !IsTransferRunning()) {
        return;
    }
    EndTransfer(Text(kOperationSetTimeOut));
}

void CTransferDialog::OnPollTimer() {
    if (!IsTransferRunning()) {
        return;
    }
    if (m_cTransfer.IsOperationSetPending()) {
        // Until the switch has taken the operation its state tells of an earlier transfer.
        StartOnce(m_PollTimer, m_timings.pollWhileRunningMs);
        return;
    }
    std::string state;
    const unsigned timeoutMs =
        m_bApplyingPhase ? m_timings.pollTimeoutApplyingMs : m_timings.pollTimeoutMs;
    const int status = m_cTransfer.ReadState(m_kind, timeoutMs, state);
    platform::DebugTrace("iStatus = " + std::to_string(status));
    if (status == 0) {
        m_nFailedPolls = 0;
        OnStateRead(state);
    } else {
        OnPollFailed();
    }
}

void CTransferDialog::OnStateRead(const std::string& state) {
    const bool firmware = m_kind == TransferKind::Firmware;
    if (state == kTransferStateIdle || state == kTransferStateSucceeded) {
        StopTransferTimers();
        m_pProgress->setValue(kProgressDone);
        EndTransfer(Text(kSuccess));
    } else if (state == kTransferStateFailed) {
        EndTransfer(Text(firmware ? kFirmwareFailed : kConfigurationFailed));
    } else if (state == kTransferStateRunning) {
        StartOnce(m_PollTimer, m_timings.pollWhileRunningMs);
    } else if (state == kTransferStateApplying) {
        m_bApplyingPhase = true;
        StartOnce(m_PollTimer, m_timings.pollWhileApplyingMs);
        if (!m_OverallTimer.isActive()) { // counted from the first report, not the last
            StartOnce(m_OverallTimer,
                      firmware ? m_timings.overallFirmwareMs : m_timings.overallConfigurationMs);
        }
    } else {
        EndTransfer({}); // a state this program does not know: nothing more to wait for
    }
}

void CTransferDialog::OnPollFailed() {
    ++m_nFailedPolls;
    const int tolerated =
        m_bApplyingPhase ? kFailedPollsToleratedWhileApplying : kFailedPollsTolerated;
    if (m_nFailedPolls > tolerated) {
        EndTransfer(Text(m_kind == TransferKind::Firmware ? kFirmwareStatusTimeOut
                                                          : kConfigurationStatusTimeOut));
        return;
    }
    StartOnce(m_PollTimer, m_timings.pollRetryMs);
}

void CTransferDialog::OnProgressTimer() {
    if (m_ProgressTimes >= kProgressTickLimit || !IsTransferRunning()) {
        return;
    }
    m_pProgress->setValue(m_ProgressTimes);
    m_ProgressTimes += kProgressStep;
    StartOnce(m_ProgressTimer, m_timings.progressTickMs);
}

void CTransferDialog::OnOverallTimeOut() {
    if (!IsTransferRunning()) {
        return;
    }
    EndTransfer(Text(m_kind == TransferKind::Firmware ? kFirmwareOverallTimeOut
                                                      : kConfigurationOverallTimeOut));
}

void CTransferDialog::OnFinishTimer() {
    if (!m_IsFinish) {
        return;
    }
    StopTransferTimers();
    LockInputs(false);
}

void CTransferDialog::EndTransfer(const QString& message) {
    m_IsFinish = true;
    // Nothing of this transfer may run while the message box waits for the user.
    StopTransferTimers();
    m_cTransfer.AbandonSets();
    if (!message.isEmpty()) {
        ShowOk(message);
    }
    StartOnce(m_FinishTimer, m_timings.finishMs);
}

void CTransferDialog::StopTransferTimers() {
    m_PollTimer.stop();
    m_ProgressTimer.stop();
    m_OverallTimer.stop();
}
