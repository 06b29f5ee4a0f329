// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/ImpbSettingsDialog.h"
#include "features/common/DialogKit.h"
#include "features/common/FromToPorts.h"
#include "features/common/ReportList.h"
#include "snmp/SessionParameters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

using namespace impb;
using kit::Text;

CImpbSettingsDlg::CImpbSettingsDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pPorts = new CFromToPorts(this);
    m_pPorts->SetToFollowsFrom(true);
    m_pAdmin = kit::Combo(this, "adminState", EnabledStates());
    FocusFor(kPortRangeField, m_pPorts->From());
    m_pMode = kit::Combo(this, "inspectionMode", InspectionModes());
    m_pSnooping = kit::Combo(this, "dhcpSnooping", EnabledStates());

    auto* form = new QGridLayout;
    kit::AddFormRow(*form, 0, QStringLiteral("From Port"), m_pPorts->From());
    kit::AddFormRow(*form, 0, QStringLiteral("To Port"), m_pPorts->To(), 1);
    kit::AddFormRow(*form, 1, QStringLiteral("Admin State"), m_pAdmin);
    kit::AddFormRow(*form, 1, QStringLiteral("Also inspect IP packets"), m_pMode, 1);
    kit::AddFormRow(*form, 2, QStringLiteral("DHCP Snooping"), m_pSnooping);

    auto* group = kit::Group(this, QStringLiteral("IMPB Setting List Info"), "settingListGroup");
    m_pList = kit::CentredList(group, "settingList",
                               {{QStringLiteral("Port"), 80},
                                {QStringLiteral("Admin State"), 120},
                                {QStringLiteral("Also inspect IP packets"), 180},
                                {QStringLiteral("DHCP Snooping"), 120}});
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(m_pList);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(kit::ButtonRow({ApplyButton(), RefreshButton(), CloseButton()}));
    layout->addWidget(group, 1);
    resize(600, 520);
    Watch(m_cMib.PortWalk());
    Watch(m_cMib.WhiteListWalk());
    NeedsTrunks(m_cMib.TrunkInfo());
    connect(m_pList, &CReportList::rowSelected, this, [this](int row) { ShowRow(row); });
}

// A picked row fills the form with that port's settings as the switch reports them.
void CImpbSettingsDlg::ShowRow(int row) {
    const auto& rows = m_cMib.PortRows();
    if (row < 0 || row >= static_cast<int>(rows.size())) {
        return;
    }
    const PortSettingsRow& settings = rows[static_cast<std::size_t>(row)];
    m_pPorts->SelectPort(settings.port);
    for (const auto& [combo, value] :
         {std::pair{m_pAdmin, settings.admin}, std::pair{m_pMode, settings.mode},
          std::pair{m_pSnooping, settings.snooping}}) {
        if (value) {
            kit::SelectValue(*combo, *value);
        }
    }
}

void CImpbSettingsDlg::Refresh() {
    m_pList->RemoveAllRows();
    m_cMib.TrunkInfo().StartTrunkWalk();
    m_cMib.StartPortWalk(
        this,
        [this](const PortSettingsRow& row) {
            m_pList->AddRow({QString::number(row.port), Text(EnabledStates().Cell(row.admin)),
                             Text(InspectionModes().Cell(row.mode)),
                             Text(EnabledStates().Cell(row.snooping))});
        },
        // The white list is walked only to know whether it holds any entry.
        [this](int) { m_cMib.StartWhiteListWalk(this, {}, {}); });
}

void CImpbSettingsDlg::Apply() {
    PortSettingsInput input;
    input.fromPort = m_pPorts->FromPort();
    input.toPort = m_pPorts->ToPort();
    input.admin = kit::ComboValue(*m_pAdmin).value_or(0);
    input.mode = kit::ComboValue(*m_pMode).value_or(1);
    input.snooping = kit::ComboValue(*m_pSnooping).value_or(0);
    // The check uses the membership read last; a fresh one is on its way for the next Apply.
    const PortFlags trunkPorts = m_cMib.TrunkInfo().TrunkPorts();
    m_cMib.TrunkInfo().StartTrunkWalk();
    const auto refusal = CheckPortSettings(input, DeviceValues().DevicePortCount, trunkPorts,
                                           m_cMib.WhiteListCount());
    if (ShowRefusal(refusal)) {
        if (refusal->text == kLockOutRefusal) {
            kit::SelectValue(*m_pAdmin, 0);
        }
        return;
    }
    RunPlan(m_cMib.SetSession(), CImpbMib::PlanPortSettings(input));
}
