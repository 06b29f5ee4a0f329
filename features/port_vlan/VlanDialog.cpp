// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/VlanDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/Repainting.h"
#include "features/common/ReportList.h"
#include "features/common/TrunkInfo.h"
#include "features/port_vlan/PvidDialog.h"
#include "features/port_vlan/VlanEditDialog.h"
#include "features/port_vlan/VlanMib.h"
#include "platform/Message.h"
#include "snmp/SessionParameters.h"
#include "snmp/TextConversion.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace vlan;

namespace {

constexpr kit::StatePair kModePair{kModeAsymmetric, kModeSymmetric};

QPushButton* MakeButton(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CVlanDlg::CVlanDlg(QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CVlanMib>()), m_cTrunkInfo(AddData<CTrunkInfo>()),
      m_bEditAllowed(SessionParameters().VlanEditAllowed) {
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* modeGroup =
        kit::Group(this, QStringLiteral("802.1Q Asymmetric VLAN Configuration "), "modeGroup");
    m_pAsymmetricCheck = new QCheckBox(QStringLiteral("Enable Asymmetric VLAN"), modeGroup);
    m_pAsymmetricCheck->setObjectName(QStringLiteral("asymmetricCheck"));
    auto* modeLayout = new QHBoxLayout(modeGroup);
    modeLayout->addWidget(m_pAsymmetricCheck);
    modeLayout->addStretch(1);
    modeLayout->addWidget(ApplyButton());

    auto* listGroup = kit::Group(this, QStringLiteral("802.1Q VLAN Information"), "vlanGroup");
    m_pVlanList = new CReportList(listGroup);
    m_pVlanList->setObjectName(QStringLiteral("vlanList"));
    m_pVlanList->SetColumns({{QStringLiteral("VLAN ID"), 80},
                             {QStringLiteral("VLAN Name"), 120, Qt::AlignCenter},
                             {QStringLiteral("No.of Ports"), 100},
                             {QStringLiteral("Egress Port Member"), 220},
                             {QStringLiteral("Untag Port Member"), 220}});
    connect(m_pVlanList, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_pEditButton->isEnabled()) {
            Edit();
        }
    });
    connect(m_pVlanList, &CReportList::rowSelected, this, [this] { UpdateWidgets(); });
    auto* listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(m_pVlanList);

    m_pPvidButton = MakeButton(this, QStringLiteral("&PVID"), "pvidButton");
    m_pAddButton = MakeButton(this, QStringLiteral("&Add"), "addButton");
    m_pEditButton = MakeButton(this, QStringLiteral("&Edit"), "editButton");
    m_pDeleteButton = MakeButton(this, QStringLiteral("&Delete"), "deleteButton");
    connect(m_pPvidButton, &QPushButton::clicked, this, &CVlanDlg::Pvid);
    connect(m_pAddButton, &QPushButton::clicked, this, &CVlanDlg::Add);
    connect(m_pEditButton, &QPushButton::clicked, this, &CVlanDlg::Edit);
    connect(m_pDeleteButton, &QPushButton::clicked, this, &CVlanDlg::Delete);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(modeGroup);
    layout->addWidget(listGroup, 1);
    layout->addLayout(kit::ButtonRow({m_pPvidButton, m_pAddButton, m_pEditButton, m_pDeleteButton,
                                      RefreshButton(), CloseButton()}));
    for (CTableWalk* walk : m_cMib.Walks()) {
        Watch(*walk);
    }
    resize(800, 400);
    UpdateWidgets();
}

void CVlanDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    // The sub-dialogs check the trunks: nothing is offered before they have been read.
    const bool idle = CanWrite();
    const bool editing = m_bEditAllowed && idle && m_pSubDialog.isNull();
    RefreshButton()->setEnabled(idle);
    ApplyButton()->setEnabled(idle);
    CloseButton()->setEnabled(idle);
    m_pPvidButton->setEnabled(editing);
    m_pAddButton->setEnabled(editing);
    m_pEditButton->setEnabled(editing);
    m_pDeleteButton->setEnabled(editing);
}

void CVlanDlg::Refresh() {
    m_cMib.ReadVoiceAndSurveillance();
    if (m_cMib.ReadMode()) {
        ShowMode();
    }
    m_cTrunkInfo.StartTrunkWalk();
    m_pVlanList->RemoveAllRows();
    m_cMib.StartWalks([this](const VlanRecord&) { AddVlanRow(m_pVlanList->RowCount()); }, {});
}

void CVlanDlg::ShowMode() {
    kit::ShowState(*m_pAsymmetricCheck, m_cMib.Current().mode, kModePair);
}

void CVlanDlg::AddVlanRow(int rowNumber) {
    const VlanRecord* listed = m_cMib.VlanAt(rowNumber);
    if (listed == nullptr) {
        return;
    }
    const VlanRecord& record = *listed;
    m_pVlanList->AddRow(
        {QString::number(record.id), Utf8ToText(record.name), QString::number(record.egress.count),
         QString::fromStdString(record.egress.text), QString::fromStdString(record.untagged.text)});
}

void CVlanDlg::Apply() {
    const ApplyPlan plan = m_cMib.PlanModeApply(kit::StateValue(*m_pAsymmetricCheck, kModePair));
    if (plan.refusal) {
        ShowRefusal(plan.refusal);
        bool read = false;
        if (plan.refusal->field == CVlanMib::kRereadMode) {
            kit::RunRepainting([&] { read = m_cMib.ReadMode(); });
        }
        if (read) {
            ShowMode();
        }
        return;
    }
    RunPlan(m_cMib.ModeSession(), plan);
}

void CVlanDlg::Add() {
    if (m_pVlanList->RowCount() >= kMaxVlans) {
        ShowOk(QStringLiteral(" Number of VLAN group is over limit"));
        return;
    }
    OpenSubDialog(new CVlanEditDlg(m_cMib, m_cTrunkInfo, true, 0, false, this));
}

void CVlanDlg::Edit() {
    const QString select = QStringLiteral("Please select the VLAN !");
    if (m_pVlanList->RowCount() == 0) {
        ShowOk(select);
        return;
    }
    const int row = m_pVlanList->SelectedRow();
    if (row < 0) {
        ShowInformation(select);
        return;
    }
    const VlanRecord* picked = m_cMib.VlanAt(row);
    const long vid = picked != nullptr ? picked->id : 0;
    if (vid <= 0) {
        ShowOk(QStringLiteral("Invalid VLAN ID!"));
        return;
    }
    const auto& model = m_cMib.Current();
    const bool surveillance = model.survVlan == vid;
    OpenSubDialog(new CVlanEditDlg(m_cMib, m_cTrunkInfo, false, vid, surveillance, this));
}

void CVlanDlg::Delete() {
    const QString select = QStringLiteral("Please select the VLAN want to be deleted!");
    if (m_pVlanList->RowCount() == 0) {
        ShowOk(select);
        return;
    }
    const int row = m_pVlanList->SelectedRow();
    if (row < 0) {
        ShowInformation(select);
        return;
    }
    const VlanRecord* picked = m_cMib.VlanAt(row);
    RunPlan(m_cMib.DeleteSession(), m_cMib.PlanDelete(picked != nullptr ? picked->id : 0));
}

void CVlanDlg::Pvid() {
    OpenSubDialog(new CPvidDlg(m_cMib, m_cTrunkInfo, this));
}

// Window-modal above this dialog; OK reads the switch again.
void CVlanDlg::OpenSubDialog(QDialog* dialog) {
    m_pSubDialog = dialog;
    connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
        dialog->deleteLater();
        m_pSubDialog = nullptr;
        UpdateWidgets();
        if (result == QDialog::Accepted) {
            Refresh();
        }
    });
    UpdateWidgets();
    dialog->open();
}
