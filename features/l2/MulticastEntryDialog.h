// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Multicast Entry Table: the multicast groups the switch has learned, read only.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/l2/IgmpMib.h"

class CReportList;

class CMulticastEntryDlg : public CFeatureDialog {
    Q_OBJECT

public:
    explicit CMulticastEntryDlg(CIgmpMib* shared = nullptr, QWidget* parent = nullptr);

    void Refresh() override;

    CReportList* EntryList() const { return m_pEntryList; }

private:
    CIgmpMib& m_cMib;
    CReportList* m_pEntryList = nullptr;
};
