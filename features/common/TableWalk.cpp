// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/TableWalk.h"

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
    WaitForCallbacksToLeave();
}

void CTableWalk::Start() {
    // Open stops the session's worker: no callback of an earlier walk runs after this line,
    // so what is still queued belongs to the earlier walk.
    const bool prepared = PrepareRequest();
    DropHandedOver();
    m_rowsHandedOver = 0;
    m_running = true;
    NotifyStateChanged();
    if (!prepared) {
        HandOver({true, -1, {}});
        return;
    }
    const int status = m_session.StartRequest(&CTableWalk::StepDone, this, m_step.timeoutMs);
    platform::DebugTrace("status = " + std::to_string(status));
}

bool CTableWalk::PrepareRequest() {
    if (m_session.Open(kPduGetNext) != 1 || m_columns.empty()) {
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
    WaitForCallbacksToLeave();
    DropHandedOver();
    m_running = false;
}

unsigned CTableWalk::StepDone(std::unique_ptr<CSnmp> response, int requestId, void* context,
                              int status) {
    auto* walk = static_cast<CTableWalk*>(context);
    walk->EnterCallback();
    walk->HandleStep(std::move(response), requestId, status);
    walk->LeaveCallback(); // the last access to the walk
    return 0;
}

// Runs on the session's worker thread.
void CTableWalk::HandleStep(std::unique_ptr<CSnmp> response, int requestId, int status) {
    if (m_session.RemovePending(requestId) == 0) {
        return; // closed or reopened meanwhile
    }
    if (status != 0) {
        EndWalk(status);
        return;
    }
    SnmpRow row = ReadRow(*response);
    if (m_step.endOnShortRow && row.values.size() < m_step.columnCount) {
        EndWalk(kSnmpFailed);
        return;
    }
    ++m_rowsHandedOver;
    HandOver({false, 0, std::move(row)});
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

void CTableWalk::EndWalk(int status) {
    platform::DebugTrace("call back iStatus = " + std::to_string(status));
    m_session.SignalIdle();
    HandOver({true, status, {}});
}

// Any thread.
void CTableWalk::HandOver(Delivery delivery) {
    {
        std::lock_guard lock(m_deliveryMutex);
        m_deliveries.push_back(std::move(delivery));
    }
    m_wakeUp.Notify();
}

// The owner's thread. A handler may restart the walk, which empties the queue.
void CTableWalk::DeliverHandedOver() {
    for (;;) {
        Delivery next;
        {
            std::lock_guard lock(m_deliveryMutex);
            if (m_deliveries.empty()) {
                return;
            }
            next = std::move(m_deliveries.front());
            m_deliveries.pop_front();
        }
        if (!next.isEnd) {
            if (m_onRow) {
                m_onRow(next.row);
            }
            continue;
        }
        m_running = false;
        if (m_onFinished) {
            m_onFinished(next.status);
        }
        NotifyStateChanged();
    }
}

void CTableWalk::NotifyStateChanged() {
    if (m_onStateChanged) {
        m_onStateChanged();
    }
}

void CTableWalk::DropHandedOver() {
    std::lock_guard lock(m_deliveryMutex);
    m_deliveries.clear();
}

void CTableWalk::EnterCallback() {
    std::lock_guard lock(m_callbackMutex);
    ++m_callbacksRunning;
}

void CTableWalk::LeaveCallback() {
    std::lock_guard lock(m_callbackMutex);
    --m_callbacksRunning;
    m_callbackLeft.notify_all();
}

void CTableWalk::WaitForCallbacksToLeave() {
    std::unique_lock lock(m_callbackMutex);
    m_callbackLeft.wait(lock, [this] { return m_callbacksRunning == 0; });
}
