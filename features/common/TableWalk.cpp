// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/TableWalk.h"

#include "features/common/ReadRound.h"

#include "platform/Trace.h"

const std::string& SnmpRow::Value(std::size_t column) const {
    static const std::string kNone;
    return column < values.size() ? values[column] : kNone;
}

CTableWalk::CTableWalk(CCommonSNMP& session, std::vector<std::string> columns,
                       unsigned stepTimeoutMs)
    : m_session(session), m_columns(std::move(columns)), m_stepTimeoutMs(stepTimeoutMs) {}

CTableWalk::~CTableWalk() {
    // Closing cancels the step under way and refuses the next one; a callback already
    // running is waited for, so none touches this object once it is gone. What it handed
    // over meanwhile is never delivered.
    m_session.Close();
    m_handBack.WaitForCallbacksToLeave();
}

void CTableWalk::Start() {
    // Open stops the session's worker: no callback of an earlier walk runs after this line,
    // so what is still queued belongs to the earlier walk.
    const bool heldBack = kit::ReadsHeldBack();
    const bool prepared = !heldBack && PrepareRequest();
    m_handBack.DropPosted();
    m_rowsHandedOver = 0;
    m_leading = {};
    m_running = true;
    m_sent = prepared;
    NotifyStateChanged();
    if (!prepared) {
        m_handBack.Post({true, -1, {}, {}});
        return;
    }
    const int status = m_session.StartRequest(&CTableWalk::StepDone, this, m_step.timeoutMs);
    platform::DebugTrace("status = " + std::to_string(status));
}

bool CTableWalk::PrepareRequest() {
    if (m_session.Open(kPduGetNext) != 1 || m_columns.empty() ||
        !m_session.SetLeadingScalars(m_leadingScalars)) {
        return false;
    }
    for (const std::string& column : m_columns) {
        if (m_session.AddValue(column, kSnmpNull, "") != 0) {
            m_session.Open(kPduGetNext); // no partial request stays behind
            return false;
        }
    }
    m_step = Step{m_columns.size(), m_stepTimeoutMs, m_endOnShortRow};
    return true;
}

void CTableWalk::Abandon() {
    m_session.Close();
    m_handBack.WaitForCallbacksToLeave();
    m_handBack.DropPosted();
    m_running = false;
}

unsigned CTableWalk::StepDone(std::unique_ptr<CSnmp> response, int requestId, void* context,
                              int status) {
    auto* walk = static_cast<CTableWalk*>(context);
    const CHandBack<Delivery>::CallbackScope scope(walk->m_handBack); // left last
    walk->HandleStep(std::move(response), requestId, status);
    return 0;
}

// Runs on the session's worker thread.
void CTableWalk::HandleStep(std::unique_ptr<CSnmp> response, int requestId, int status) {
    if (m_session.RemovePending(requestId) == 0) {
        return; // closed or reopened meanwhile
    }
    // The leading scalars come with the walk's first answer only.
    SnmpRow leading = m_rowsHandedOver.load() == 0 ? TakeLeading() : SnmpRow();
    if (status != 0) {
        EndWalk(status, std::move(leading));
        return;
    }
    SnmpRow row = ReadRow(*response);
    if (m_step.endOnShortRow && row.values.size() < m_step.columnCount) {
        EndWalk(kSnmpFailed, std::move(leading));
        return;
    }
    ++m_rowsHandedOver;
    m_handBack.Post({false, 0, std::move(row), std::move(leading)});
    m_session.StartRequest(&CTableWalk::StepDone, this, m_step.timeoutMs);
}

SnmpRow CTableWalk::ReadRow(const CSnmp& response) {
    SnmpRow row;
    m_session.GetSuffix(0, response, row.suffix);
    const int count = response.getValuesCount();
    row.values.resize(static_cast<std::size_t>(count));
    row.types.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(i);
        response.getValue(i, row.types[at], row.values[at]);
    }
    return row;
}

SnmpRow CTableWalk::TakeLeading() {
    SnmpRow leading;
    for (SnmpVarBind& binding : m_session.TakeLeadingAnswer()) {
        leading.values.push_back(std::move(binding.value));
        leading.types.push_back(binding.type);
    }
    return leading;
}

void CTableWalk::EndWalk(int status, SnmpRow leading) {
    platform::DebugTrace("call back iStatus = " + std::to_string(status));
    m_session.SignalIdle();
    m_handBack.Post({true, status, {}, std::move(leading)});
}

// The owner's thread. A handler may restart the walk, which drops what is still queued.
void CTableWalk::Deliver(Delivery&& delivery) {
    if (!delivery.leading.values.empty()) {
        m_leading = std::move(delivery.leading);
    }
    if (!delivery.isEnd) {
        m_onRow.Notify(delivery.row);
        return;
    }
    m_running = false;
    if (m_sent) {
        kit::ReportRead(m_rowsHandedOver.load() > 0 || delivery.status != kSnmpTimeout);
    }
    m_onFinished.Notify(delivery.status);
    NotifyStateChanged();
}

void CTableWalk::NotifyStateChanged() {
    m_onStateChanged.Notify();
}
