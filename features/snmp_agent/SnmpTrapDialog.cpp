// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snmp_agent/SnmpTrapDialog.h"

#include "features/common/DialogKit.h"
#include "snmp/SessionParameters.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

using namespace snmpagent;

CSnmpTrapDlg::CSnmpTrapDlg(QWidget* parent)
    : CFeatureDialog(parent), m_bPoe(IsPoeModel(DeviceValues().ModelName)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* group = kit::Group(this, QStringLiteral("Trap Settings"), "trapGroup");
    auto* boxes = new QVBoxLayout(group);
    int number = 0;
    for (const char* text : kTrapTexts) {
        auto* check = new QCheckBox(QString::fromLatin1(text), group);
        check->setObjectName(QStringLiteral("trapCheck%1").arg(++number));
        boxes->addWidget(check);
        m_checks.push_back(check);
        check->setVisible(number <= SwitchCount());
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(kit::ButtonRow({ApplyButton(), CloseButton()}));
}

int CSnmpTrapDlg::SwitchCount() const {
    return m_bPoe ? kPoeTrapSwitches : kTrapSwitches;
}

void CSnmpTrapDlg::Refresh() {
    SetReading(true);
    const auto values = m_cMib.ReadTraps(SwitchCount());
    SetReading(false);
    if (!values) {
        return;
    }
    for (std::size_t i = 0; i < values->size() && i < m_checks.size(); ++i) {
        kit::ShowState(*m_checks[i], IntegerOf((*values)[i]));
    }
}

void CSnmpTrapDlg::Apply() {
    kit::WaitCursor wait;
    std::vector<long> states;
    for (int i = 0; i < SwitchCount(); ++i) {
        states.push_back(kit::StateValue(*m_checks[static_cast<std::size_t>(i)]));
    }
    SendSet(m_cMib.SetSession(), PlanTraps(states).Request());
}
