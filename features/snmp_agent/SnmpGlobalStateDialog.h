// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The SNMP agent of the switch on or off.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/snmp_agent/SnmpAgentMib.h"

class QCheckBox;

class CSnmpGlobalStateDlg : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "SNMP Global State Settings";
    explicit CSnmpGlobalStateDlg(QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;

private:
    CSnmpAgentMib& m_cMib = AddData<CSnmpAgentMib>();
    QCheckBox* m_pStateCheck = nullptr;
};
