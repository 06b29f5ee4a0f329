// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snmp_agent/SnmpGlobalStateDialog.h"

#include "features/common/DialogKit.h"
#include "snmp/SessionParameters.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

using namespace snmpagent;

CSnmpGlobalStateDlg::CSnmpGlobalStateDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pStateCheck = new QCheckBox(QStringLiteral("Enable SNMP Global "), this);
    m_pStateCheck->setObjectName(QStringLiteral("globalStateCheck"));
    CloseButton()->setText(QStringLiteral("Cancel"));
    CloseButton()->setObjectName(QStringLiteral("cancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pStateCheck);
    layout->addLayout(kit::ButtonRow({ApplyButton(), CloseButton()}));
    // Wide enough for its caption.
    setMinimumWidth(320);
}

void CSnmpGlobalStateDlg::Refresh() {
    SetReading(true);
    const std::optional<long> state = m_cMib.ReadGlobalState();
    SetReading(false);
    if (state) {
        kit::ShowState(*m_pStateCheck, *state);
    }
}

void CSnmpGlobalStateDlg::Apply() {
    kit::WaitCursor wait;
    if (SendSet(m_cMib.SetSession(), PlanGlobalState(kit::StateValue(*m_pStateCheck)).Request())
            .Ok()) {
        Refresh();
    }
}
