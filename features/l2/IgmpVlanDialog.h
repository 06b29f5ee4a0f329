// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The VLAN Settings of IGMP snooping: per VLAN the snooping, querier and fast-leave states
// and the static router ports. Opened from the snooping dialog on its data object; made on
// its own it keeps one of its own.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/l2/IgmpMib.h"

class CPortGrid;
class CReportList;
class QComboBox;
class QLineEdit;

class CIgmpVlanDlg : public CFeatureDialog {
    Q_OBJECT

public:
    explicit CIgmpVlanDlg(CIgmpMib* shared = nullptr, QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;
    void ApplyRouterPorts();

    CReportList* VlanList() const { return m_pVlanList; }
    CPortGrid* RouterPorts() const { return m_pRouterPorts; }
    CIgmpMib& Mib() { return m_cMib; }

protected:
    void EnableControls() override;

private:
    void PickRow(int row);
    const igmp::VlanRow* Picked() const;
    void OpenMulticastEntries();

    CIgmpMib& m_cMib;
    long m_pickedVid = 0;
    CReportList* m_pVlanList = nullptr;
    QLineEdit* m_pVidEdit = nullptr;
    QLineEdit* m_pNameEdit = nullptr;
    QComboBox* m_pStateCombo = nullptr;
    QComboBox* m_pQuerierCombo = nullptr;
    QComboBox* m_pFastLeaveCombo = nullptr;
    CPortGrid* m_pRouterPorts = nullptr;
    QPushButton* m_pRouterApplyButton = nullptr;
    QPushButton* m_pEntryButton = nullptr;
};
