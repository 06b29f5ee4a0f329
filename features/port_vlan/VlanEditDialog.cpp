// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/VlanEditDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/PortGrid.h"
#include "features/common/TrunkInfo.h"
#include "features/port_vlan/VlanMib.h"
#include "platform/Message.h"
#include "snmp/SessionParameters.h"
#include "snmp/TextConversion.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace vlan;

namespace {

constexpr int kWindowLeft = 200;
constexpr int kWindowTop = 200;

const vlan::VlanRecord* Listed(const CVlanMib& mib, long vid) {
    const auto& vlans = mib.Current().vlans;
    const auto found = std::find_if(vlans.begin(), vlans.end(),
                                    [vid](const VlanRecord& record) { return record.id == vid; });
    return found != vlans.end() ? &*found : nullptr;
}

} // namespace

QSize CVlanEditDlg::SizeFor(int portCount, QSize otherwise) {
    switch (portCount) {
    case 8:
        return {500, 320};
    case 20:
        return {550, 350};
    case 28:
        return {570, 360};
    case 48:
        return {530, 400};
    case 52:
        return {550, 440};
    default:
        return otherwise;
    }
}

CVlanEditDlg::CVlanEditDlg(CVlanMib& mib, CTrunkInfo& trunkInfo, bool addMode, long vid,
                           bool surveillanceVlan, QWidget* parent)
    : CResizableDialog(parent), m_cMib(mib), m_cTrunkInfo(trunkInfo), m_bAddMode(addMode),
      m_nVid(addMode ? 0 : vid), m_bSurveillanceVlan(surveillanceVlan) {
    setWindowTitle(addMode ? QStringLiteral("Add VLAN") : QStringLiteral("Edit VLAN"));

    auto* idGroup = kit::Group(this, QStringLiteral("802.1Q VLAN Name and ID"), "vlanIdGroup");
    m_pVidEdit = kit::Edit(idGroup, "vidEdit");
    m_pNameEdit = kit::Edit(idGroup, "nameEdit", false, kNameMaxCharacters);
    auto* form = new QGridLayout(idGroup);
    kit::AddFormRow(*form, 0, QStringLiteral("VID:"), m_pVidEdit);
    kit::AddFormRow(*form, 0, QStringLiteral("VLAN Name:"), m_pNameEdit, 1);

    auto* portGroup = kit::Group(this, QStringLiteral("VLAN Port Member"), "portMemberGroup");
    const int portCount = DeviceValues().DevicePortCount;
    m_pGrid = new CPortGrid({{QStringLiteral("Tagged:"), QStringLiteral("tagged")},
                             {QStringLiteral("Untagged:"), QStringLiteral("untagged")},
                             {QStringLiteral("Not Member:"), QStringLiteral("notMember")}},
                            portCount, portGroup);
    m_pGrid->setObjectName(QStringLiteral("portGrid"));
    auto* portLayout = new QVBoxLayout(portGroup);
    portLayout->addWidget(m_pGrid);
    portLayout->addWidget(m_pGrid->MakeBulkControls(portGroup));
    portLayout->addStretch(1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CVlanEditDlg::Ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(idGroup);
    layout->addWidget(portGroup, 1);
    layout->addLayout(kit::ButtonRow({ok, cancel}));

    WritingButton(ok);
    NeedsTrunks(m_cTrunkInfo);
    FocusFor(kVidField, m_pVidEdit);
    FocusFor(kNameField, m_pNameEdit);
    UpdateWidgets();
    ShowVlan();
    move(kWindowLeft, kWindowTop);
    resize(SizeFor(portCount, sizeHint()).expandedTo(minimumSizeHint()));
}

void CVlanEditDlg::ShowVlan() {
    const int portCount = m_pGrid->PortCount();
    for (int port = 1; port <= portCount; ++port) {
        m_pGrid->SetChoice(port, kNotMember);
    }
    if (m_bAddMode) {
        m_pVidEdit->setFocus();
        return;
    }
    m_pVidEdit->setText(QString::number(m_nVid));
    m_pVidEdit->setEnabled(false);
    m_pNameEdit->setEnabled(m_nVid != kDefaultVid);
    if (const VlanRecord* record = Listed(m_cMib, m_nVid)) {
        m_strOldName = record->name;
        m_pNameEdit->setText(Utf8ToText(record->name));
        for (int port = 1; port <= portCount; ++port) {
            const auto i = static_cast<std::size_t>(port - 1);
            if (i < record->untaggedPorts.size() && record->untaggedPorts[i] != 0) {
                m_pGrid->SetChoice(port, kUntagged);
            } else if (i < record->egressPorts.size() && record->egressPorts[i] != 0) {
                m_pGrid->SetChoice(port, kTagged);
            }
        }
    }
    if (m_pNameEdit->isEnabled()) {
        m_pNameEdit->setFocus();
    }
}

void CVlanEditDlg::Ok() {
    VlanEdit edit;
    edit.addMode = m_bAddMode;
    edit.vidText = m_pVidEdit->text().toStdString();
    edit.vid = m_nVid;
    edit.name = m_pNameEdit->text();
    edit.oldName = m_strOldName;
    const int portCount = m_pGrid->PortCount();
    for (int port = 1; port <= portCount; ++port) {
        const int choice = m_pGrid->ChoiceOf(port);
        edit.ports.push_back(choice < 0 ? kNotMember : choice);
    }
    const auto refusal =
        CheckVlanEdit(edit, m_cMib.Current().vlans,
                      [this](const PortFlags& selected) { return m_cTrunkInfo.Alike(selected); });
    if (ShowRefusal(refusal)) {
        return;
    }
    const auto status =
        WritePlan(m_cMib.WriteSession(),
                  edit.addMode ? VlanAddPlan(edit, portCount) : VlanEditPlan(edit, portCount));
    if (status && status->Ok()) {
        accept(); // otherwise what was typed stays for another try
    }
}
