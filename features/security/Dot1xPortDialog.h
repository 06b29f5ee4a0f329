// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The 802.1X port access control of a range of ports, opened from the settings by PortSet.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/Dot1xMib.h"

#include <QStringList>
#include <vector>

class CFromToPorts;
class CReportList;
class QComboBox;

class CDot1xPortDlg : public CFeatureDialog {
public:
    // `timers`: QuietPeriod, TxPeriod, SuppTimeout, ServerTimeout, MaxReq, ReAuthPeriod and
    // ReAuthEnabled as the settings dialog shows them.
    explicit CDot1xPortDlg(QStringList timers, QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;
    CReportList* List() const { return m_pList; }

private:
    CDot1xPortMib& m_cMib = AddData<CDot1xPortMib>();
    QStringList m_timers;
    std::vector<long> m_controls; // as read, entry p-1 for port p
    CFromToPorts* m_pPorts = nullptr;
    QComboBox* m_pControl = nullptr;
    CReportList* m_pList = nullptr;
};
