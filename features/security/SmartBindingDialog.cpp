// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/SmartBindingDialog.h"
#include "features/common/DialogKit.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/NumberEdit.h"
#include "features/common/ReportList.h"
#include "snmp/InputChecks.h"
#include "snmp/SessionParameters.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

using namespace impb;
using kit::Text;

namespace {

constexpr int kFirstRescanMs = 1000;
constexpr int kSecondRescanMs = 500;

CIpAddressEdit* AddressEdit(QWidget* parent, const char* objectName) {
    auto* edit = new CIpAddressEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

} // namespace

CIMPBSmartBinding::CIMPBSmartBinding(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* manual = kit::Group(this, QStringLiteral("Manual Binding"), "manualBindingGroup");
    m_pIp = AddressEdit(manual, "bindIpAddress");
    m_pMac = kit::Edit(manual, "bindMacAddress", false, 17);
    m_pPort = new CNumberEdit(manual, 3);
    m_pPort->setObjectName(QStringLiteral("bindPort"));
    auto* add = kit::Button(manual, QStringLiteral("Add"), "addButton");
    auto* manualForm = new QGridLayout(manual);
    kit::AddFormRow(*manualForm, 0, QStringLiteral("IP Address"), m_pIp);
    kit::AddFormRow(*manualForm, 1, QStringLiteral("MAC Address"), m_pMac);
    kit::AddFormRow(*manualForm, 2, QStringLiteral("Ports"), m_pPort);
    manualForm->addWidget(add, 2, 2);

    auto* scan = kit::Group(this, QStringLiteral("Auto Scan"), "autoScanGroup");
    m_pScanFrom = AddressEdit(scan, "scanFrom");
    m_pScanTo = AddressEdit(scan, "scanTo");
    FocusFor(kBindIpField, m_pIp);
    FocusFor(kBindMacField, m_pMac);
    FocusFor(kBindPortField, m_pPort);
    FocusFor(kScanFromField, m_pScanFrom);
    FocusFor(kScanToField, m_pScanTo);
    auto* scanButton = kit::Button(scan, QStringLiteral("Scan"), "scanButton");
    auto* scanForm = new QGridLayout(scan);
    scanForm->addWidget(
        new QLabel(
            QStringLiteral("Enter a range of IP address to scan all devices in the network. "),
            scan),
        0, 0, 1, 3);
    kit::AddFormRow(*scanForm, 1, QStringLiteral("IP Address From"), m_pScanFrom);
    kit::AddFormRow(*scanForm, 2, QStringLiteral("To"), m_pScanTo);
    scanForm->addWidget(scanButton, 2, 2);

    auto* info = kit::Group(this, QStringLiteral("List Info"), "listInfoGroup");
    m_pList = kit::CentredList(info, "bindingList",
                               {{QStringLiteral("VID"), 100},
                                {QStringLiteral("IP Address"), 160},
                                {QStringLiteral("Mac Address"), 170},
                                {QStringLiteral("Port"), 110},
                                {QStringLiteral("Binding"), 100}});
    m_pBinding = kit::Button(info, QStringLiteral("Binding"), "bindingButton");
    auto* infoLayout = new QVBoxLayout(info);
    infoLayout->addWidget(m_pList, 1);
    infoLayout->addLayout(kit::ButtonRow({RefreshButton(), m_pBinding}));

    auto* top = new QHBoxLayout;
    top->addWidget(manual, 1);
    top->addWidget(scan, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(info, 1);
    layout->addLayout(kit::ButtonRow({CloseButton()}));
    resize(700, 560);

    connect(add, &QPushButton::clicked, this, [this] { AddBinding(); });
    connect(scanButton, &QPushButton::clicked, this, [this] { StartScan(); });
    connect(m_pBinding, &QPushButton::clicked, this, [this] { BindSelected(); });
    Watch(m_cMib.BindingWalk());
    for (QPushButton* writes : {add, scanButton, m_pBinding}) {
        WritingButton(writes);
    }
    UpdateWidgets();
}

void CIMPBSmartBinding::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pBinding->setEnabled(CanWrite());
}

void CIMPBSmartBinding::Refresh() {
    WalkIntoList(m_cMib.BindingWalk(), *m_pList, [](const HostRow& row, int) {
        return QStringList{row.vid ? QString::number(*row.vid) : QString(), Text(row.ip),
                           Text(row.mac), row.port ? QString::number(*row.port) : QString(),
                           Text(BindingStates().Cell(row.state))};
    });
}

void CIMPBSmartBinding::AddBinding() {
    const std::string ip = m_pIp->Address().toStdString();
    if (ShowRefusal(BindingAddressRefusal(m_pIp->FilledFieldCount(), ip))) {
        return;
    }
    const std::string mac = m_pMac->text().toStdString();
    if (ShowRefusal(BindingMacRefusal(mac))) {
        return;
    }
    const std::string port = m_pPort->text().toStdString();
    if (ShowRefusal(BindingPortRefusal(port, DeviceValues().DevicePortCount))) {
        return;
    }
    const ApplyPlan plan = CImpbMib::PlanWhiteListAdd(ip, mac, std::stol(port));
    const auto status = WritePlan(m_cMib.SetSession(), plan);
    if (!status || !status->Ok() || !plan.HasWrites()) {
        return; // what was typed stays for another try
    }
    ShowInformation(QStringLiteral("Success!"));
    m_pIp->Clear();
    m_pMac->clear();
    m_pPort->clear();
}

void CIMPBSmartBinding::StartScan() {
    const std::string from = m_pScanFrom->Address().toStdString();
    const std::string to = m_pScanTo->Address().toStdString();
    const auto refusal =
        ScanRangeRefusal(m_pScanFrom->FilledFieldCount(), from, m_pScanTo->FilledFieldCount(), to);
    if (ShowRefusal(refusal)) {
        return;
    }
    const auto status = WritePlan(m_cMib.SetSession(), CImpbMib::PlanScan(from, to));
    if (!status || !status->Ok()) {
        return;
    }
    m_pScanFrom->Clear();
    m_pScanTo->Clear();
    // The switch needs a moment to find the hosts; the list is read twice.
    QPointer<CIMPBSmartBinding> self(this);
    QTimer::singleShot(kFirstRescanMs, this, [self] {
        if (self) {
            self->Refresh();
            QTimer::singleShot(kSecondRescanMs, self, [self] {
                if (self) {
                    self->Refresh();
                }
            });
        }
    });
}

void CIMPBSmartBinding::BindSelected() {
    const HostRow* picked = m_cMib.BindingWalk().RowAt(m_pList->SelectedRow());
    if (picked == nullptr) {
        ShowOk(QStringLiteral("Please select the item would be Binding!\n"));
        return;
    }
    if (picked->state == 1L) { // bound
        ShowOk(QStringLiteral("The entry is bound."));
        return;
    }
    RunPlan(m_cMib.SetSession(), CImpbMib::PlanBind(*picked));
}
