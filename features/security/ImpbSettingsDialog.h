// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Smart Binding Settings: the IP-MAC-port binding state of a range of ports.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/ImpbMib.h"

class CFromToPorts;
class CReportList;
class QComboBox;

class CImpbSettingsDlg : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Smart Binding Settings";
    explicit CImpbSettingsDlg(QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;
    CReportList* List() const { return m_pList; }

private:
    void ShowRow(int row);

    CImpbMib& m_cMib = AddData<CImpbMib>();
    CFromToPorts* m_pPorts = nullptr;
    QComboBox* m_pAdmin = nullptr;
    QComboBox* m_pMode = nullptr;
    QComboBox* m_pSnooping = nullptr;
    CReportList* m_pList = nullptr;
};
