// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/PvidDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/SnmpRequests.h"
#include "features/common/TrunkInfo.h"
#include "features/port_vlan/VlanMib.h"
#include "snmp/SessionParameters.h"

#include <algorithm>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vlan;

namespace {

constexpr int kPortsPerColumn = 13;
constexpr int kVidDigits = 4;

} // namespace

CPvidDlg::CPvidDlg(CVlanMib& mib, CTrunkInfo& trunkInfo, QWidget* parent)
    : CResizableDialog(parent), m_cMib(mib), m_cTrunkInfo(trunkInfo) {
    setWindowTitle(QStringLiteral("PVID Configuration"));
    const int portCount = std::max(0, DeviceValues().DevicePortCount);
    auto* group = kit::Group(this, QStringLiteral("Port VID:"), "pvidGroup");
    auto* grid = new QGridLayout(group);
    for (int port = 1; port <= portCount; ++port) {
        auto* edit = kit::Edit(group, "", false, kVidDigits);
        edit->setObjectName(QStringLiteral("pvid%1").arg(port));
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        const int column = ((port - 1) / kPortsPerColumn) * 2;
        const int row = (port - 1) % kPortsPerColumn;
        auto* label = new QLabel(QStringLiteral("Port %1:").arg(port), group);
        label->setBuddy(edit);
        grid->addWidget(label, row, column, Qt::AlignRight);
        grid->addWidget(edit, row, column + 1);
        m_pEdits.append(edit);
    }

    auto* apply = ApplyButton();
    apply->setText(QStringLiteral("Apply"));
    apply->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    Watch(m_cMib.PvidDialogWalk());
    NeedsTrunks(m_cTrunkInfo);
    FocusFor(kPvidField, [this](int index) -> QWidget* {
        return index >= 0 && index < m_pEdits.size() ? m_pEdits[index] : nullptr;
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(kit::ButtonRow({apply, cancel, RefreshButton()}));
}

QLineEdit* CPvidDlg::PvidEdit(int port) const {
    return port >= 1 && port <= m_pEdits.size() ? m_pEdits[port - 1] : nullptr;
}

void CPvidDlg::Refresh() {
    if (!m_cTrunkInfo.IsTrunkInfoValid()) {
        m_cTrunkInfo.StartTrunkWalk(); // Apply waits for the membership its check judges
    }
    auto& walk = m_cMib.PvidDialogWalk();
    walk.OnRow(this, [this](const PortPvid& row, int) {
        if (QLineEdit* edit = PvidEdit(static_cast<int>(row.port))) {
            edit->setText(QString::number(row.pvid));
        }
    });
    walk.Start();
}

// What the edits show is what goes out: a field left empty or holding no number is no VLAN.
void CPvidDlg::Apply() {
    PortFlags pvids;
    for (const QLineEdit* edit : m_pEdits) {
        bool number = false;
        const int pvid = edit->text().toInt(&number);
        pvids.push_back(number ? pvid : 0);
    }
    const std::optional<RequestStatus> status = WritePlan(
        m_cMib.WriteSession(), PlanPvids(pvids, m_cTrunkInfo.TrunkPorts(), m_cMib.Current().vlans));
    if (status && status->Ok()) {
        accept(); // otherwise what was typed stays for another try
    }
}
