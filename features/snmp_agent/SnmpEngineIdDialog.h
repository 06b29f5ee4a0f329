// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The switch's SNMP engine ID.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/snmp_agent/SnmpAgentMib.h"

class QLineEdit;

class CSnmpEngineIdDlg : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "SNMP Engine ID";
    explicit CSnmpEngineIdDlg(QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;

private:
    CSnmpAgentMib& m_cMib = AddData<CSnmpAgentMib>();
    QLineEdit* m_pEngineIdEdit = nullptr;
};
