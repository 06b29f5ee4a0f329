// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The trap switches of the SNMP agent (the PoE traps only on a model with PoE ports).
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/snmp_agent/SnmpAgentMib.h"

#include <vector>

class QCheckBox;

class CSnmpTrapDlg : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "SNMP Trap Configuration";
    explicit CSnmpTrapDlg(QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;

private:
    // The check boxes shown: five, or eight on a PoE model.
    int SwitchCount() const;

    CSnmpAgentMib& m_cMib = AddData<CSnmpAgentMib>();
    bool m_bPoe = false;
    std::vector<QCheckBox*> m_checks;
};
