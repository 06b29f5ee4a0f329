// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// An asynchronous table walk: one get-next step at a time on a session's worker thread,
// every row handed to the thread that owns the walk (the UI thread) and delivered there in
// table order, then the end of the walk with its status.
//
//   CTableWalk m_cPortWalk{m_cCommonSNMPTable, {PrivateOid("1.13.1.2"), ...}, 8000};
//   m_cPortWalk.OnRow(this, [this](const SnmpRow& row) { ... });
//   m_cPortWalk.OnFinished(this, [this](int status) { ... });
//   m_cPortWalk.Start();
//
// Any number of receivers listen, each with one handler per event, and a receiver that is
// gone is never called (CListeners): a dialog may listen to the walk of a data object that
// outlives it. Rows that are still under way when the walk is restarted, abandoned or destroyed
// are dropped; a handler never runs for an earlier walk or after the walk is gone. Handlers may
// restart the walk but must not destroy it (close a dialog with deleteLater, not delete).
#pragma once

#include "features/common/HandBack.h"
#include "features/common/Listeners.h"
#include "snmp/CommonSNMP.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// One row of a walk: the index and one value per requested column.
struct SnmpRow {
    std::string suffix;              // index after the first column, no leading "."
    std::vector<std::string> values; // as text: numbers in decimal, octet strings as bytes
    std::vector<int> types;          // SnmpValueType of each value

    // The value of `column`, empty when the row has none.
    const std::string& Value(std::size_t column) const;
};

class CTableWalk {
public:
    using RowHandler = std::function<void(const SnmpRow& row)>;
    // status: -2 end of the table, -1 no answer within the step timeout, other values a failure.
    using FinishedHandler = std::function<void(int status)>;

    static constexpr unsigned kDefaultStepTimeoutMs = 8000;

    // `session` must outlive the walk; the walk closes it when it is destroyed.
    // The handlers run on the thread that makes the walk (the UI thread, once the application
    // object exists).
    CTableWalk(CCommonSNMP& session, std::vector<std::string> columns,
               unsigned stepTimeoutMs = kDefaultStepTimeoutMs);
    ~CTableWalk();
    CTableWalk(const CTableWalk&) = delete;
    CTableWalk& operator=(const CTableWalk&) = delete;

    // Settings take effect at the next Start.
    void SetColumns(std::vector<std::string> columns) { m_columns = std::move(columns); }
    void SetStepTimeout(unsigned stepTimeoutMs) { m_stepTimeoutMs = stepTimeoutMs; }
    // End the walk at a response with fewer values than columns (reported as status -3).
    void SetEndOnShortRow(bool endOnShortRow) { m_endOnShortRow = endOnShortRow; }
    // Scalars (OIDs ending in ".0", such as sysUpTime) read in the walk's first request,
    // beside its first row: the values of one moment with the rows.
    void SetLeadingScalars(std::vector<std::string> objects) {
        m_leadingScalars = std::move(objects);
    }
    // Their values in the order asked, once the first row or the end of the walk came (type
    // noSuchObject where the switch has none); empty before and when the first request failed.
    const SnmpRow& LeadingScalars() const { return m_leading; }

    // `receiver`'s handler for each row, for the end, and for the start and the end (after the
    // end was delivered: the dialog that shows the walk derives its enabled widgets from
    // IsRunning there). An empty handler removes the receiver's.
    void OnRow(const QObject* receiver, RowHandler handler) {
        m_onRow.Add(receiver, std::move(handler));
    }
    void OnFinished(const QObject* receiver, FinishedHandler handler) {
        m_onFinished.Add(receiver, std::move(handler));
    }
    void OnStateChanged(const QObject* receiver, std::function<void()> handler) {
        m_onStateChanged.Add(receiver, std::move(handler));
    }

    // Walks from the first row. A walk still running is abandoned first. When the request
    // cannot even be prepared the walk ends at once with status -1 (still delivered later,
    // through the event loop, like every end).
    void Start();
    // Ends the walk without delivering anything more (closes the session).
    void Abandon();
    // From Start until the end has been delivered.
    bool IsRunning() const { return m_running; }
    // Rows handed to the owner's thread since the last Start, delivered or not.
    int RowsHandedOver() const { return m_rowsHandedOver.load(); }

private:
    struct Step {
        std::size_t columnCount = 0;
        unsigned timeoutMs = kDefaultStepTimeoutMs;
        bool endOnShortRow = false;
    };
    // A row, or the end of the walk, on its way to the owner's thread.
    struct Delivery {
        bool isEnd = false;
        int status = 0;
        SnmpRow row;
        SnmpRow leading;
    };

    static unsigned StepDone(std::unique_ptr<CSnmp> response, int requestId, void* context,
                             int status);
    bool PrepareRequest();
    void HandleStep(std::unique_ptr<CSnmp> response, int requestId, int status);
    SnmpRow ReadRow(const CSnmp& response);
    void EndWalk(int status, SnmpRow leading = {});
    SnmpRow TakeLeading();
    void NotifyStateChanged();
    void Deliver(Delivery&& delivery);

    CCommonSNMP& m_session;
    std::vector<std::string> m_columns;
    unsigned m_stepTimeoutMs;
    bool m_endOnShortRow = false;
    std::vector<std::string> m_leadingScalars;
    SnmpRow m_leading;
    CListeners<const SnmpRow&> m_onRow;
    CListeners<int> m_onFinished;
    CListeners<> m_onStateChanged;
    bool m_running = false;
    bool m_sent = false; // the walk went out (not held back, not refused before sending)

    // Written by Start while the session has no worker, read by the worker.
    Step m_step;
    std::atomic<int> m_rowsHandedOver{0};

    CHandBack<Delivery> m_handBack{[this](Delivery&& delivery) { Deliver(std::move(delivery)); }};
};
