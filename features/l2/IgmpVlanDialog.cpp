// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/IgmpVlanDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/PortGrid.h"
#include "features/common/ReportList.h"
#include "features/l2/MulticastEntryDialog.h"
#include "snmp/TextConversion.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace igmp;

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString RouterPortsText(const std::string& octets) {
    return Text(PortBitsToRanges(octets, 1, DeviceValues().DevicePortCount).text);
}

} // namespace

CIgmpVlanDlg::CIgmpVlanDlg(CIgmpMib* shared, QWidget* parent)
    : CFeatureDialog(parent), m_cMib(shared != nullptr ? *shared : AddData<CIgmpMib>()) {
    setWindowTitle(QStringLiteral("The VLAN Settings of IGMP snooping "));
    setSizeGripEnabled(true);
    m_pVlanList = new CReportList(this);
    m_pVlanList->setObjectName(QStringLiteral("vlanList"));
    m_pVlanList->SetColumns({QStringLiteral("VLAN ID"), QStringLiteral("VLAN Name"),
                             QStringLiteral("State "), QStringLiteral("Querier State"),
                             QStringLiteral("Fast Leave"), QStringLiteral("Static Router Ports ")});
    // The state column's title is shorter than the states it shows.
    m_pVlanList->setColumnWidth(
        2, std::max(m_pVlanList->columnWidth(2),
                    m_pVlanList->fontMetrics().horizontalAdvance(QStringLiteral("Disabled")) +
                        CReportList::kHeaderMargin));
    connect(m_pVlanList, &CReportList::rowSelected, this, [this](int row) { PickRow(row); });

    auto* settings = new QGridLayout;
    m_pVidEdit = kit::Edit(this, "vlanIdEdit", /*readOnly=*/true);
    m_pNameEdit = kit::Edit(this, "vlanNameEdit", /*readOnly=*/true);
    m_pStateCombo = kit::Combo(this, "stateCombo", States());
    m_pQuerierCombo = kit::Combo(this, "querierCombo", States());
    m_pFastLeaveCombo = kit::Combo(this, "fastLeaveCombo", States());
    kit::AddFormRow(*settings, 0, QStringLiteral("VLAN ID"), m_pVidEdit, 0);
    kit::AddFormRow(*settings, 0, QStringLiteral("VLAN Name"), m_pNameEdit, 1);
    kit::AddFormRow(*settings, 1, QStringLiteral("&State"), m_pStateCombo, 0);
    kit::AddFormRow(*settings, 1, QStringLiteral("&Querier State"), m_pQuerierCombo, 1);
    kit::AddFormRow(*settings, 2, QStringLiteral("&Fast Leave "), m_pFastLeaveCombo, 0);
    settings->addWidget(ApplyButton(), 2, 3, Qt::AlignRight);

    auto* routerGroup = kit::Group(this, QStringLiteral("Static Router Ports"), "routerPortsGroup");
    m_pRouterPorts = new CPortGrid(DeviceValues().DevicePortCount, routerGroup);
    m_pRouterPorts->setObjectName(QStringLiteral("routerPortGrid"));
    m_pRouterApplyButton = new QPushButton(QStringLiteral("&Apply"), routerGroup);
    m_pRouterApplyButton->setObjectName(QStringLiteral("routerApplyButton"));
    m_pRouterApplyButton->setAutoDefault(false);
    connect(m_pRouterApplyButton, &QPushButton::clicked, this, [this] { ApplyRouterPorts(); });
    auto* routerLayout = new QVBoxLayout(routerGroup);
    routerLayout->addWidget(m_pRouterPorts);
    routerLayout->addWidget(m_pRouterPorts->MakeBulkControls(routerGroup));
    routerLayout->addLayout(kit::ButtonRow({m_pRouterApplyButton}));

    m_pEntryButton = new QPushButton(QStringLiteral("&View Multicast Entry "), this);
    m_pEntryButton->setObjectName(QStringLiteral("viewEntryButton"));
    m_pEntryButton->setAutoDefault(false);
    connect(m_pEntryButton, &QPushButton::clicked, this, [this] { OpenMulticastEntries(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pVlanList, 1);
    layout->addLayout(settings);
    layout->addWidget(routerGroup);
    layout->addLayout(kit::ButtonRow({m_pEntryButton, RefreshButton(), CloseButton()}));
    Watch(m_cMib.VlanWalk());
    WritingButton(m_pRouterApplyButton);
    NeedsTrunks(m_cMib.TrunkInfo());
    UpdateWidgets();
}

void CIgmpVlanDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pRouterApplyButton->setEnabled(CanWrite());
}

void CIgmpVlanDlg::Refresh() {
    // The VLAN picked last stays picked while the switch still has it.
    m_cMib.TrunkInfo().StartTrunkWalk();
    WalkIntoList(m_cMib.VlanWalk(), *m_pVlanList, [](const VlanRow& vlan, int) {
        return QStringList{QString::number(vlan.vid),           Utf8ToText(vlan.name),
                           Text(States().Cell(vlan.state)),     Text(States().Cell(vlan.querier)),
                           Text(States().Cell(vlan.fastLeave)), RouterPortsText(vlan.routerPorts)};
    });
}

const VlanRow* CIgmpVlanDlg::Picked() const {
    for (const VlanRow& row : m_cMib.VlanRows()) {
        if (m_pickedVid != 0 && row.vid == m_pickedVid) {
            return &row;
        }
    }
    return nullptr;
}

void CIgmpVlanDlg::PickRow(int row) {
    const VlanRow* picked = m_cMib.VlanWalk().RowAt(row);
    if (picked == nullptr) {
        return;
    }
    const VlanRow& vlan = *picked;
    m_pickedVid = vlan.vid;
    m_pVidEdit->setText(QString::number(vlan.vid));
    m_pNameEdit->setText(Utf8ToText(vlan.name));
    kit::SelectValue(*m_pStateCombo, *States().Known(vlan.state));
    kit::SelectValue(*m_pQuerierCombo, *States().Known(vlan.querier));
    kit::SelectValue(*m_pFastLeaveCombo, *States().Known(vlan.fastLeave));
    PortFlags flags(static_cast<std::size_t>(m_pRouterPorts->PortCount()), 0);
    PortListToFlags(PortBitsToList(vlan.routerPorts).text, flags, 1);
    m_pRouterPorts->SetCheckedPorts(flags);
}

void CIgmpVlanDlg::Apply() {
    const ApplyPlan plan =
        CIgmpMib::PlanVlan(Picked(), kit::ComboValue(*m_pStateCombo).value_or(kDisabled),
                           kit::ComboValue(*m_pQuerierCombo).value_or(kDisabled),
                           kit::ComboValue(*m_pFastLeaveCombo).value_or(kDisabled));
    RunPlan(m_cMib.SetSession(), plan);
}

void CIgmpVlanDlg::ApplyRouterPorts() {
    RunPlan(m_cMib.SetSession(), m_cMib.PlanRouterPorts(Picked(), m_pRouterPorts->CheckedPorts()));
}

void CIgmpVlanDlg::OpenMulticastEntries() {
    CMulticastEntryDlg dialog(&m_cMib, this);
    dialog.exec();
    activateWindow(); // the keyboard comes back here
}
