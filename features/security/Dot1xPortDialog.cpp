// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/Dot1xPortDialog.h"
#include "features/common/DialogKit.h"
#include "features/common/FromToPorts.h"
#include "features/common/ReportList.h"
#include "snmp/SessionParameters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

using namespace dot1x;
using kit::Text;

CDot1xPortDlg::CDot1xPortDlg(QStringList timers, QWidget* parent)
    : CFeatureDialog(parent), m_timers(std::move(timers)) {
    setWindowTitle(QStringLiteral("802.1X Port Configuration"));
    auto* group = kit::Group(this, QStringLiteral("802.1X Port Access Control"), "accessGroup");
    m_pPorts = new CFromToPorts(group);
    m_pPorts->SetToFollowsFrom(true);
    m_pControl = kit::Combo(group, "portControl", PortControls());
    FocusFor(kPortRangeField, m_pPorts->From());
    FocusFor(kPortControlField, m_pControl);
    auto* form = new QGridLayout(group);
    kit::AddFormRow(*form, 0, QStringLiteral("From Port:"), m_pPorts->From());
    kit::AddFormRow(*form, 0, QStringLiteral("To Port:"), m_pPorts->To(), 1);
    kit::AddFormRow(*form, 0, QStringLiteral("Control:"), m_pControl, 2);

    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("portList"));
    m_pList->SetColumns({QStringLiteral("Index"), QStringLiteral("AuthControlledPortStatus"),
                         QStringLiteral("AuthControlledPortControl"), QStringLiteral("QuietPeriod"),
                         QStringLiteral("TxPeriod"), QStringLiteral("SuppTimeout"),
                         QStringLiteral("ServerTimeout"), QStringLiteral("MaxReq"),
                         QStringLiteral("ReAuthPeriod"), QStringLiteral("ReAuthEnabled")});
    auto* cancel = CloseButton();
    cancel->setText(QStringLiteral("Cancel"));
    ApplyButton()->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(kit::ButtonRow({ApplyButton(), RefreshButton(), cancel}));
    layout->addWidget(m_pList, 1);
    int width = m_pList->ColumnsWidth();
    resize(width + 40, 520);
    m_controls.assign(static_cast<std::size_t>(std::max(0, DeviceValues().DevicePortCount)), 0);
    Watch(m_cMib.Walk());
    NeedsTrunks(m_cMib.TrunkInfo());
}

void CDot1xPortDlg::Refresh() {
    m_cMib.TrunkInfo().StartTrunkWalk();
    std::fill(m_controls.begin(), m_controls.end(), 0);
    m_pList->RemoveAllRows();
    m_cMib.StartWalk(
        this,
        [this](const CDot1xPortMib::PortRow& row) {
            if (row.port >= 1 && row.port <= static_cast<long>(m_controls.size())) {
                m_controls[static_cast<std::size_t>(row.port - 1)] = row.control.value_or(0);
            }
            QStringList cells = {QString::number(row.port), Text(PortStatuses().Cell(row.status)),
                                 Text(PortControls().Cell(row.control))};
            cells << m_timers;
            m_pList->AddRow(cells);
        },
        {});
}

void CDot1xPortDlg::Apply() {
    PortControlInput input;
    input.fromPort = m_pPorts->FromPort();
    input.toPort = m_pPorts->ToPort();
    input.control = kit::ComboValue(*m_pControl).value_or(0);
    input.portCount = DeviceValues().DevicePortCount;
    input.controls = m_controls;
    input.trunkPorts = m_cMib.TrunkInfo().TrunkPorts();
    RunPlan(m_cMib.SetSession(), PlanPortControl(input));
}
