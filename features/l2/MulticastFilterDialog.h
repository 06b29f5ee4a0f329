// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Multicast Filtering Mode Configuration: per VLAN, forward or filter unregistered groups;
// "All" sets every listed VLAN in one request.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/l2/MulticastFilterMib.h"

class CReportList;
class QCheckBox;
class QComboBox;

class CMulticastFilterDlg : public CFeatureDialog {
    Q_OBJECT

public:
    explicit CMulticastFilterDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

    CReportList* FilterList() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    void ShowRow(int row);
    CMulticastFilterMib& m_cMib = AddData<CMulticastFilterMib>();
    QComboBox* m_pVlanCombo = nullptr;
    QCheckBox* m_pAllCheck = nullptr;
    QComboBox* m_pModeCombo = nullptr;
    CReportList* m_pList = nullptr;
};
