// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Forwarding Table: the addresses the switch has learned (dot1qTpFdbTable) with their ports
// and states, 100 to a page, and the ageing time.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"

#include <QLineEdit>

class QLayout;

#include <optional>
#include <string>
#include <vector>

class CForwardingTableMib : public CFeatureData {
public:
    static inline const std::string kDot1qTpFdbPort = "1.3.6.1.2.1.17.7.1.2.2.1.2";
    static inline const std::string kDot1qTpFdbStatus = "1.3.6.1.2.1.17.7.1.2.2.1.3";
    static inline const std::string kDot1dTpAgingTime = "1.3.6.1.2.1.17.4.2";

    // One learned address: the port and status as read, address and database from the index.
    struct Entry {
        QString port;
        QString mac;
        QString status;
        QString databaseId;
    };
    static std::optional<Entry> EntryOf(const SnmpRow& row);

    // The entries read since the walk started, the first one ID 1.
    CTypedWalk<Entry>& Walk() { return m_cWalk; }
    // dot1dTpAgingTime in seconds; nothing when the read failed.
    std::optional<std::string> ReadAgingTime();

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<Entry> m_cWalk{m_cCommonSNMPTable, {kDot1qTpFdbPort, kDot1qTpFdbStatus}, &EntryOf};
};

class CForwardingTableDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Forwarding Table";
    static constexpr int kPageSize = 100;

    explicit CForwardingTableDlg(QWidget* parent = nullptr);

    // Empties the collected entries, walks the table again and reads the ageing time.
    void Refresh() override;

    CReportList* List() const { return m_list; }
    int EntryCount() const { return static_cast<int>(Entries().size()); }
    // The ID of the first entry on the page shown (1 for the first page).
    int FirstShownId() const { return m_firstShownId; }
    // The entries of the whole table whose address starts with what Find holds.
    CReportList* FindList() const { return m_findList; }

protected:
    // Also runs Find again when a walk starts or ends.
    void EnableControls() override;

private:
    using Entry = CForwardingTableMib::Entry;
    const std::vector<Entry>& Entries() const { return m_cMib.Walk().Rows(); }
    void EntryRead(int id);
    void ShowPage(int firstId);
    void ShowEntry(int id);
    int LastIdOfPage() const;
    void UpdatePageButtons();
    QLayout* BuildFind();
    void RunFind();

    CForwardingTableMib& m_cMib = AddData<CForwardingTableMib>();
    int m_firstShownId = 1;
    CReportList* m_list = nullptr;
    QLineEdit* m_agingTime = nullptr;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QLineEdit* m_findEdit = nullptr;
    CReportList* m_findList = nullptr;
};
