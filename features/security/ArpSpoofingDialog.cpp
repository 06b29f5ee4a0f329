// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/ArpSpoofingDialog.h"
#include "features/common/DialogKit.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/PortGrid.h"
#include "features/common/ReportList.h"
#include "snmp/InputChecks.h"
#include "snmp/SessionParameters.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace arp;

namespace {

// The field name of the input an address entry's refusal is about.
std::string FieldOf(EntryFocus focus) {
    switch (focus) {
    case EntryFocus::IpAddress:
        return kGatewayIpField;
    case EntryFocus::Mac:
        return kGatewayMacField;
    case EntryFocus::None:
        break;
    }
    return {};
}

} // namespace
using kit::Text;

CArpSpoofingDlg::CArpSpoofingDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pTotal = kit::Edit(this, "totalEntries", true);
    m_pList = kit::CentredList(this, "gatewayList",
                               {{QStringLiteral("Index"), 50},
                                {QStringLiteral("Router/Gateway IP Address"), 190},
                                {QStringLiteral("Router/Gateway MAC Address"), 195},
                                {QStringLiteral("Ports"), 150}});
    m_pAdd = kit::Button(this, QStringLiteral("Add"), "addButton");
    m_pDelete = kit::Button(this, QStringLiteral("Delete"), "deleteButton");

    auto* total = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Total Entries:"), this);
    label->setBuddy(m_pTotal);
    total->addWidget(label);
    total->addWidget(m_pTotal);
    total->addWidget(new QLabel(QStringLiteral("( Note:64 Entries Maximum ) "), this));
    total->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(total);
    layout->addWidget(m_pList, 1);
    layout->addLayout(kit::ButtonRow({m_pAdd, m_pDelete, RefreshButton(), CloseButton()}));
    resize(660, 420);
    connect(m_pAdd, &QPushButton::clicked, this, [this] { AddEntry(); });
    connect(m_pDelete, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    Watch(m_cMib.Walk());
}

void CArpSpoofingDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pAdd->setEnabled(!IsBusy());
    m_pDelete->setEnabled(!IsBusy());
}

void CArpSpoofingDlg::Refresh() {
    m_pTotal->clear();
    WalkIntoList(m_cMib.Walk(), *m_pList, [this](const GatewayRow& row, int index) {
        const QString number = QString::number(index + 1);
        m_pTotal->setText(number);
        return QStringList{number, Text(row.ip), Text(row.mac), Text(row.ports)};
    });
}

void CArpSpoofingDlg::AddEntry() {
    if (m_pList->RowCount() >= kMaxEntries) {
        ShowOk(QString::fromLatin1(kMaximumRefusal));
        return;
    }
    {
        CArpEntryDlg entry(m_cMib, m_cMib.Entries(), this);
        entry.exec();
    }
    Refresh();
}

void CArpSpoofingDlg::DeleteSelected() {
    const GatewayRow* picked = m_cMib.Walk().RowAt(m_pList->SelectedRow());
    if (picked == nullptr) {
        ShowOk(QStringLiteral("Please select the entry you would be delete!"));
        return;
    }
    RunPlan(m_cMib.SetSession(), CArpSpoofMib::PlanDelete(picked->ip));
}

CArpEntryDlg::CArpEntryDlg(CArpSpoofMib& mib, std::vector<GatewayRow> listed, QWidget* parent)
    : CResizableDialog(parent), m_cMib(mib), m_listed(std::move(listed)) {
    setWindowTitle(QStringLiteral("Add ARP Spoofing Prevention Entry"));
    m_pIp = new CIpAddressEdit(this);
    m_pIp->setObjectName(QStringLiteral("gatewayIp"));
    m_pMac = kit::Edit(this, "gatewayMac", false, 17);
    FocusFor(FieldOf(EntryFocus::IpAddress), m_pIp);
    FocusFor(FieldOf(EntryFocus::Mac), m_pMac);
    m_pAllPorts = new QCheckBox(QStringLiteral("All Ports"), this);
    m_pAllPorts->setObjectName(QStringLiteral("allPorts"));
    m_pPorts = new CPortGrid(DeviceValues().DevicePortCount, this);
    m_pPorts->setObjectName(QStringLiteral("portGrid"));

    auto* form = new QGridLayout;
    kit::AddFormRow(*form, 0, QStringLiteral("Router/Gateway IP Address"), m_pIp);
    kit::AddFormRow(*form, 1, QStringLiteral("Router/Gateway MAC Address"), m_pMac);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pAllPorts, 0, Qt::AlignLeft);
    layout->addWidget(m_pPorts);
    layout->addWidget(m_pPorts->MakeBulkControls(this, CPortGrid::AllButton::Left));
    layout->addStretch(1);
    layout->addLayout(kit::ButtonRow({ApplyButton(), CloseButton()}));

    connect(m_pAllPorts, &QCheckBox::clicked, this,
            [this](bool checked) { m_pPorts->SetAllChecked(checked); });
    connect(m_pPorts, &CPortGrid::portClicked, this, [this] {
        const PortFlags ports = m_pPorts->CheckedPorts();
        m_pAllPorts->setChecked(
            std::all_of(ports.begin(), ports.end(), [](auto flag) { return flag != 0; }));
    });
    // The trunk membership for the check of Apply.
    NeedsTrunks(m_cMib.TrunkInfo());
    m_cMib.TrunkInfo().StartTrunkWalk();
}

void CArpEntryDlg::Apply() {
    const std::string mac = m_pMac->text().toStdString();
    const AddressEntryResult entry =
        CheckAddressEntry(m_pIp->Fields(), m_pIp->FilledFieldCount(), mac);
    if (!entry) {
        ShowRefusal(Refusal{entry.message}.About(FieldOf(entry.focus)));
        return;
    }
    const std::string ip = m_pIp->Address().toStdString();
    const PortFlags ports = m_pPorts->CheckedPorts();
    const auto refusal = CheckEntry(m_listed, ip, mac, ports, [this](const PortFlags& flags) {
        return m_cMib.TrunkInfo().Alike(flags);
    });
    if (ShowRefusal(refusal) || !Confirm(std::string(kQuestion))) {
        return;
    }
    const ApplyPlan plan = CArpSpoofMib::PlanAdd(ip, mac, ports);
    const auto status = WritePlan(m_cMib.SetSession(), plan);
    if (!status || !status->Ok() || !plan.HasWrites()) {
        return; // what was typed stays for another try
    }
    m_listed.push_back({ip, mac, {}, 1});
    m_pMac->clear();
}
