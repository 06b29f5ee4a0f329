// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/PanelPoll.h"

#include "platform/Trace.h"
#include "snmp/CommonSNMP.h"

#include <optional>

namespace {

// Positions of the link walk's columns in its request.
enum LinkColumn : int { kColType = 0, kColSpeed, kColAdmin, kColOper, kColMedia };

std::string ValueText(const CSnmp& response, int index) {
    int type = 0;
    std::string text;
    response.getValue(index, type, text);
    return text;
}

bool IsForeignRow(const std::string& oid) {
    return oid.find(pollOid::kForeignRows) != std::string::npos;
}

// Whether a request's status shows that the switch answered: any answer, the end of a table
// and an error the agent returned do; a time-out does not; a request that could not be sent
// or was cut short says nothing.
std::optional<bool> AnsweredBy(int status) {
    if (status == kSnmpTimeout) {
        return false;
    }
    if (status == kSnmpFailed || status == kSnmpCancelled) {
        return std::nullopt;
    }
    return true;
}

} // namespace

CPanelPoll::CPanelPoll(CCommonSNMP& fanSession, CCommonSNMP& poeSession,
                       CCommonSNMP& devStatSession, CCommonSNMP& poeStatSession)
    : m_cCommonSNMPFan(fanSession), m_cCommonSNMPPoe(poeSession),
      m_cCommonSNMPDevStat(devStatSession), m_cCommonSNMPPoeStat(poeStatSession) {}

void CPanelPoll::Configure(const std::string& modelName, const PollDevice& device, bool isHasFan) {
    m_Device = device;
    m_bPoeModel = ::IsPoeModel(modelName);
    m_bHasFan = isHasFan;
}

void CPanelPoll::SetSink(ResultSink sink) {
    std::lock_guard lock(m_SinkMutex);
    m_Sink = std::move(sink);
}

void CPanelPoll::DetachSink() {
    SetSink({});
}

void CPanelPoll::Post(PanelPollResult result) {
    std::lock_guard lock(m_SinkMutex);
    if (m_Sink) {
        m_Sink(std::move(result));
    }
}

bool CPanelPoll::AnyWalkRunning() const {
    return !m_cCommonSNMPDevStat.IsIdle() || !m_cCommonSNMPPoeStat.IsIdle();
}

void CPanelPoll::CancelRequests() {
    m_bStopping = true;
    m_cCommonSNMPFan.Close();
    m_cCommonSNMPPoe.Close();
    m_cCommonSNMPDevStat.Close();
    m_cCommonSNMPPoeStat.Close();
}

// A get of the fan object, sent through the table walker with its 500 ms limit. A failed
// read leaves the fan lamp as it was.
void CPanelPoll::GetGetFanStatus() {
    platform::DebugTrace(pollTrace::kFan);
    // Stopping is checked after Open: a cancel that comes later holds until the next Open.
    if (m_cCommonSNMPFan.Open(kPduGet) != 1 || Stopping()) {
        return;
    }
    m_cCommonSNMPFan.AddValue(pollOid::kFanStatus, kSnmpNull, "");
    std::unique_ptr<CSnmp> response;
    if (m_cCommonSNMPFan.GetNext(response, kFanTimeoutMs) != kSnmpOk || !response) {
        return; // 500 ms without an answer is no proof of a silent switch
    }
    PanelPollResult result;
    result.FanStatus = FanStatusFromValue(ValueText(*response, 0));
    result.Answered = true;
    Post(std::move(result));
}

int CPanelPoll::Get10PPOEOrLinkStatus(const Sleeper& sleep) {
    if (m_bWalkInProgress && m_nSkipCount < kMaxSkippedCycles) {
        ++m_nSkipCount;
        return -1;
    }
    m_nSkipCount = 0;
    m_bWalkInProgress = true;
    ReadLedModeAndBudget();
    if (!sleep(kModeToWalkPause)) {
        return 0;
    }
    if (m_nLedMode == 1) {
        GetLinkStatus();
    } else {
        GetPOEPortStatus();
    }
    return 0;
}

void CPanelPoll::ReadLedModeAndBudget() {
    if (m_cCommonSNMPPoe.Open(kPduGet) != 1 || Stopping()) {
        return;
    }
    m_cCommonSNMPPoe.AddValue(pollOid::kLedMode, kSnmpNull, "");
    m_cCommonSNMPPoe.AddValue(pollOid::kPowerBudget, kSnmpNull, "");
    std::unique_ptr<CSnmp> response;
    const int status = m_cCommonSNMPPoe.Send(response, kModeTimeoutMs);
    if (status != kSnmpOk || !response) {
        PanelPollResult unanswered;
        unanswered.Answered = AnsweredBy(status);
        if (unanswered.Answered) {
            Post(std::move(unanswered));
        }
        return;
    }
    const int mode = LedModeFromValue(ValueText(*response, 0));
    m_bModeChanged = mode != m_nLedMode;
    m_nLedMode = mode;
    PanelPollResult result;
    result.LedMode = mode;
    result.BIsPowMax = IsPowerAtMost154(ValueText(*response, 1));
    result.Answered = true;
    Post(std::move(result));
}

void CPanelPoll::GetLinkStatus() {
    // Open ends a walk that is still running, so the rows are emptied after it.
    if (m_cCommonSNMPDevStat.Open(kPduGetNext) != 1 || Stopping()) {
        return;
    }
    {
        std::lock_guard lock(m_GatherMutex);
        m_LinkRows.rows.clear();
    }
    for (const char* column : {pollOid::kIfType, pollOid::kIfSpeed, pollOid::kIfAdminStatus,
                               pollOid::kIfOperStatus, pollOid::kPortMedia}) {
        m_cCommonSNMPDevStat.AddValue(column, kSnmpNull, "");
    }
    m_cCommonSNMPDevStat.StartRequest(&CPanelPoll::LinkCallback, this, kWalkTimeoutMs);
}

void CPanelPoll::GetPOEPortStatus() {
    platform::DebugTrace(pollTrace::kPoeWalk);
    if (m_cCommonSNMPPoeStat.Open(kPduGetNext) != 1 || Stopping()) {
        return;
    }
    {
        std::lock_guard lock(m_GatherMutex);
        m_PoeRows = PoeAccumulators();
    }
    m_cCommonSNMPPoeStat.AddValue(pollOid::kPoePortStatus, kSnmpNull, "");
    m_cCommonSNMPPoeStat.StartRequest(&CPanelPoll::PoeCallback, this, kWalkTimeoutMs);
}

unsigned CPanelPoll::LinkCallback(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                  int status) {
    auto* self = static_cast<CPanelPoll*>(context);
    if (self->m_cCommonSNMPDevStat.RemovePending(requestId) == 0) {
        return 0; // a walk that was given up; its answer is dropped
    }
    self->OnLinkResult(response.get(), status);
    return 0;
}

unsigned CPanelPoll::PoeCallback(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                 int status) {
    auto* self = static_cast<CPanelPoll*>(context);
    if (self->m_cCommonSNMPPoeStat.RemovePending(requestId) == 0) {
        return 0;
    }
    self->OnPoeResult(response.get(), status);
    return 0;
}

void CPanelPoll::OnLinkResult(const CSnmp* response, int status) {
    if (status == kSnmpOk && response != nullptr) {
        if (GatherLinkRow(*response)) {
            m_cCommonSNMPDevStat.StartRequest(&CPanelPoll::LinkCallback, this, kWalkTimeoutMs);
            return;
        }
        PanelPollResult result = ApplyGatheredLinkRows();
        result.Answered = true;
        Post(std::move(result));
        EndWalk(m_cCommonSNMPDevStat);
        return;
    }
    PanelPollResult result;
    if (status == kSnmpEndOfTable) {
        result = ApplyGatheredLinkRows();
    } else if (status == kSnmpTimeout) {
        platform::DebugTrace(pollTrace::kTimeout);
        result.ResetAfterTimeout = true;
    }
    result.DarkenAllLamps = true;
    result.Answered = AnsweredBy(status);
    Post(std::move(result));
    EndWalk(m_cCommonSNMPDevStat);
}

void CPanelPoll::OnPoeResult(const CSnmp* response, int status) {
    if (status == kSnmpOk && response != nullptr) {
        if (GatherPoeRows(*response)) {
            m_cCommonSNMPPoeStat.StartRequest(&CPanelPoll::PoeCallback, this, kWalkTimeoutMs);
            return;
        }
        PanelPollResult result = ApplyGatheredPoeRows();
        result.Answered = true;
        Post(std::move(result));
        EndWalk(m_cCommonSNMPPoeStat);
        return;
    }
    PanelPollResult result;
    if (status == kSnmpEndOfTable) {
        result = ApplyGatheredPoeRows();
    } else if (status == kSnmpTimeout) {
        platform::DebugTrace(pollTrace::kTimeout);
    }
    result.DarkenAllLamps = true;
    result.Answered = AnsweredBy(status);
    Post(std::move(result));
    EndWalk(m_cCommonSNMPPoeStat);
}

// Keeps the row when its index is a port (or below); false when the walk has gone past the
// ports.
bool CPanelPoll::GatherLinkRow(const CSnmp& response) {
    LinkRow row;
    for (int i = 0; i < response.getValuesCount(); ++i) {
        if (IsForeignRow(response.getOid(i))) {
            continue;
        }
        switch (i) {
        case kColType:
            m_cCommonSNMPDevStat.GetSuffix(i, response, row.index);
            break;
        case kColSpeed:
            row.speed = ValueText(response, i);
            break;
        case kColAdmin:
            row.adminStatus = ValueText(response, i);
            break;
        case kColOper:
            row.operStatus = ValueText(response, i);
            break;
        case kColMedia:
            row.value = ValueText(response, i);
            break;
        default:
            break;
        }
    }
    if (LeadingDecimal(row.index) > m_Device.portCount) {
        return false;
    }
    std::lock_guard lock(m_GatherMutex);
    m_LinkRows.rows.push_back(std::move(row));
    return true;
}

bool CPanelPoll::GatherPoeRows(const CSnmp& response) {
    std::vector<int> ports;
    std::vector<std::string> statuses;
    for (int i = 0; i < response.getValuesCount(); ++i) {
        if (IsForeignRow(response.getOid(i))) {
            continue;
        }
        std::string suffix;
        m_cCommonSNMPPoeStat.GetSuffix(i, response, suffix);
        std::string text = ValueText(response, i);
        platform::DebugTrace(pollTrace::kPoeRow + suffix);
        platform::DebugTrace(pollTrace::kPoeRow + text);
        ports.push_back(PoeRowPort(suffix));
        statuses.push_back(std::move(text));
    }
    if (ports.empty() || ports.back() > m_Device.portCount) {
        return false;
    }
    std::lock_guard lock(m_GatherMutex);
    m_PoeRows.ports.insert(m_PoeRows.ports.end(), ports.begin(), ports.end());
    m_PoeRows.statuses.insert(m_PoeRows.statuses.end(), statuses.begin(), statuses.end());
    return true;
}

PanelPollResult CPanelPoll::ApplyGatheredLinkRows() {
    PanelPollResult result;
    std::lock_guard lock(m_GatherMutex);
    RefreshLinkStatus(m_LinkRows, m_Device, result);
    return result;
}

PanelPollResult CPanelPoll::ApplyGatheredPoeRows() {
    PanelPollResult result;
    std::lock_guard lock(m_GatherMutex);
    platform::DebugTrace(pollTrace::kPoeRefresh);
    platform::DebugTrace(CommaTerminated(m_PoeRows.ports));
    platform::DebugTrace(CommaTerminated(m_PoeRows.statuses));
    RefreshPOEPortStatus(m_PoeRows, m_Device, result);
    return result;
}

// The walk is over: the next cycle may start one. Signalling idle comes last, because the
// window may close the session (and go) as soon as it is idle.
void CPanelPoll::EndWalk(CCommonSNMP& session) {
    m_bWalkInProgress = false;
    session.SignalIdle();
}
