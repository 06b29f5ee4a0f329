// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A table walk whose rows arrive as the data class's own row type. The data class owns it,
// names the columns and the parse function; the parsed rows are kept, in table order, on the
// thread that owns the walk (the UI thread), from one Start to the next:
//
//   std::optional<Row> ParseRow(const SnmpRow& row);   // nothing: the row is not kept
//   CTypedWalk<Row> m_cWalk{m_cCommonSNMPTable, {PortColumn(), RateColumn()}, &ParseRow};
//
//   m_cWalk.Rows()          // what has been read so far
//   m_cWalk.RowAt(index)    // one of them, nullptr for an index outside (a list with no pick)
//
// The parse function decides what a row the switch answered badly (a wrong type, a short
// row, a value out of range) becomes: skipped, or kept with the field empty. A dialog lists the
// rows with CFeatureDialog::WalkIntoList, its list line i being Rows()[i].
#pragma once

#include "features/common/Listeners.h"
#include "features/common/TableWalk.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

template <class Row> class CTypedWalk {
public:
    using Parse = std::function<std::optional<Row>(const SnmpRow& row)>;
    using RowHandler = std::function<void(const Row& row, int index)>;

    CTypedWalk(CCommonSNMP& session, std::vector<std::string> columns, Parse parse,
               unsigned stepTimeoutMs = CTableWalk::kDefaultStepTimeoutMs)
        : m_walk(session, std::move(columns), stepTimeoutMs), m_parse(std::move(parse)) {
        m_walk.OnStateChanged(&m_token, [this] {
            if (m_walk.IsRunning()) {
                m_rows.clear(); // a new walk starts from the first row
            }
        });
        m_walk.OnRow(&m_token, [this](const SnmpRow& raw) { Keep(raw); });
    }
    CTypedWalk(const CTypedWalk&) = delete;
    CTypedWalk& operator=(const CTypedWalk&) = delete;

    // The walk itself: Start, its settings, its end and state (OnFinished, IsRunning).
    CTableWalk& Walk() { return m_walk; }
    const CTableWalk& Walk() const { return m_walk; }
    void Start() { m_walk.Start(); }
    bool IsRunning() const { return m_walk.IsRunning(); }

    const std::vector<Row>& Rows() const { return m_rows; }
    const Row* RowAt(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < m_rows.size()
                   ? &m_rows[static_cast<std::size_t>(index)]
                   : nullptr;
    }

    // `receiver`'s handler for each row kept, with its index in Rows().
    void OnRow(const QObject* receiver, RowHandler handler) {
        m_onRow.Add(receiver, std::move(handler));
    }
    void OnFinished(const QObject* receiver, CTableWalk::FinishedHandler handler) {
        m_walk.OnFinished(receiver, std::move(handler));
    }

private:
    void Keep(const SnmpRow& raw) {
        std::optional<Row> row = m_parse(raw);
        if (!row) {
            return;
        }
        m_rows.push_back(*row);
        // The handlers get their own copy: one of them may restart the walk.
        m_onRow.Notify(*row, static_cast<int>(m_rows.size()) - 1);
    }

    QObject m_token; // the walk's own handlers live as long as this object
    CTableWalk m_walk;
    Parse m_parse;
    std::vector<Row> m_rows;
    CListeners<const Row&, int> m_onRow;
};
