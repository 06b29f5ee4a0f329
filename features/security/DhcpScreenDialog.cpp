// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/DhcpScreenDialog.h"
#include "features/common/DialogKit.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/ReportList.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace dhcp;
using kit::Text;

CDhcpScreenDlg::CDhcpScreenDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* trusted =
        kit::Group(this, QStringLiteral("DHCP Server Trusted Port Settings"), "trustedPortGroup");
    m_pTrustedPorts = kit::Edit(trusted, "trustedPorts");
    FocusFor(kTrustedPortsField, m_pTrustedPorts);
    m_pTrustedAdd = kit::Button(trusted, QStringLiteral("Add"), "trustedAddButton");
    auto* trustedForm = new QGridLayout(trusted);
    kit::AddFormRow(*trustedForm, 0, QStringLiteral("DHCP Server Trusted Port :"), m_pTrustedPorts);
    trustedForm->addWidget(new QLabel(QStringLiteral("Ex:(1,2,4-6) "), trusted), 0, 2);
    trustedForm->addWidget(m_pTrustedAdd, 0, 3);

    auto* server =
        kit::Group(this, QStringLiteral("Trusted DHCP Server IP Settings"), "serverIpGroup");
    m_pServerIp = new CIpAddressEdit(server);
    FocusFor(kServerField, m_pServerIp);
    m_pServerIp->setObjectName(QStringLiteral("serverIp"));
    m_pServerAdd = kit::Button(server, QStringLiteral("Add"), "serverAddButton");
    auto* serverForm = new QGridLayout(server);
    kit::AddFormRow(*serverForm, 0, QStringLiteral("IP Address"), m_pServerIp);
    serverForm->addWidget(m_pServerAdd, 0, 2);

    auto* lists =
        kit::Group(this, QStringLiteral("Trusted DHCP Server IP Lists "), "serverListGroup");
    m_pList = kit::CentredList(
        lists, "serverList", {{QStringLiteral("Index"), 150}, {QStringLiteral("IP Address"), 450}});
    m_pDelete = kit::Button(lists, QStringLiteral("Delete"), "deleteButton");
    auto* listLayout = new QVBoxLayout(lists);
    listLayout->addWidget(new QLabel(QStringLiteral("Note:Maximum 5 entries"), lists));
    listLayout->addWidget(m_pList, 1);
    listLayout->addLayout(kit::ButtonRow({m_pDelete, RefreshButton(), CloseButton()}));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(trusted);
    layout->addWidget(server);
    layout->addWidget(lists, 1);
    resize(660, 480);
    connect(m_pTrustedAdd, &QPushButton::clicked, this, [this] { AddTrustedPorts(); });
    connect(m_pServerAdd, &QPushButton::clicked, this, [this] { AddServer(); });
    connect(m_pDelete, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    Watch(m_cMib.Walk());
    NeedsTrunks(m_cMib.TrunkInfo());
}

void CDhcpScreenDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !IsBusy();
    m_pDelete->setEnabled(idle);
    m_pServerAdd->setEnabled(idle);
    m_pTrustedAdd->setEnabled(idle);
}

void CDhcpScreenDlg::Refresh() {
    if (const auto ports = m_cMib.ReadTrustedPorts()) {
        m_pTrustedPorts->setText(Text(*ports));
    }
    m_pList->RemoveAllRows();
    m_rows.clear();
    m_listed.clear();
    m_cMib.StartWalk(this,
                     [this](const ServerRow& row) {
                         m_rows.push_back(row);
                         if (row.status == 1) {
                             m_listed.push_back(row);
                             m_pList->AddRow({QString::number(row.index), Text(row.ip)});
                         }
                     },
                     {});
    // The trusted ports are checked against the membership this walk reads.
    m_cMib.TrunkInfo().StartTrunkWalk();
}

void CDhcpScreenDlg::AddTrustedPorts() {
    const std::string text = m_pTrustedPorts->text().toStdString();
    if (text == m_cMib.TrustedPortsRead()) {
        return;
    }
    RunPlan(m_cMib.SetSession(), m_cMib.PlanTrusted(text));
}

void CDhcpScreenDlg::AddServer() {
    const std::string ip = m_pServerIp->Address().toStdString();
    auto refusal = CheckServer(m_pServerIp->FilledFieldCount(), ip, m_listed);
    const long index = FreeServerIndex(m_rows);
    if (!refusal && index == 0) {
        refusal = Refusal{"The maximum entries is 5."};
    }
    if (ShowRefusal(refusal)) {
        return;
    }
    RunPlan(m_cMib.SetSession(), CDhcpScreenMib::PlanServerAdd(index, ip));
}

void CDhcpScreenDlg::DeleteSelected() {
    const int selected = m_pList->SelectedRow();
    if (selected < 0 || selected >= static_cast<int>(m_listed.size())) {
        ShowOk(QStringLiteral("Please select the entry to delete."));
        return;
    }
    RunPlan(m_cMib.SetSession(),
            CDhcpScreenMib::PlanServerDelete(m_listed[static_cast<std::size_t>(selected)].index));
}
