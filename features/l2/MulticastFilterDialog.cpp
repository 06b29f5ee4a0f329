// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/MulticastFilterDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"
#include "snmp/TextConversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QVBoxLayout>

CMulticastFilterDlg::CMulticastFilterDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pVlanCombo = new QComboBox(this);
    m_pVlanCombo->setObjectName(QStringLiteral("vlanCombo"));
    m_pAllCheck = new QCheckBox(QStringLiteral("A&ll"), this);
    m_pAllCheck->setObjectName(QStringLiteral("allCheck"));
    connect(m_pAllCheck, &QCheckBox::toggled, this, [this] { UpdateWidgets(); });
    m_pModeCombo = kit::Combo(this, "modeCombo", CMulticastFilterMib::Modes());

    auto* form = new QGridLayout;
    kit::AddFormRow(*form, 0, QStringLiteral("&VLAN ID"), m_pVlanCombo);
    form->addWidget(m_pAllCheck, 0, 2);
    kit::AddFormRow(*form, 1, QStringLiteral("&Multicast Filtering Mode"), m_pModeCombo);
    form->addWidget(ApplyButton(), 1, 2);

    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("filterList"));
    m_pList->SetColumns({{QStringLiteral("VLAN ID"), 100},
                         {QStringLiteral("VLAN Name"), 150},
                         {QStringLiteral("Multicast Filtering Mode"), 320}});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pList, 1);
    layout->addLayout(kit::ButtonRow({RefreshButton(), CloseButton()}));
    resize(640, 360);
    connect(m_pList, &CReportList::rowSelected, this, [this](int row) { ShowRow(row); });
    UpdateWidgets();
}

void CMulticastFilterDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pVlanCombo->setEnabled(!m_pAllCheck->isChecked());
}

// A picked row fills the form with that VLAN and its mode as the switch reports it.
void CMulticastFilterDlg::ShowRow(int row) {
    const CMulticastFilterMib::Row* picked = m_cMib.Walk().RowAt(row);
    if (picked == nullptr) {
        return;
    }
    const CMulticastFilterMib::Row& vlan = *picked;
    m_pAllCheck->setChecked(false);
    kit::SelectValue(*m_pVlanCombo, vlan.vid);
    if (vlan.mode) {
        kit::SelectValue(*m_pModeCombo, *vlan.mode);
    }
}

void CMulticastFilterDlg::Refresh() {
    m_pVlanCombo->clear();
    WalkIntoList(m_cMib.Walk(), *m_pList, [this](const CMulticastFilterMib::Row& vlan, int) {
        m_pVlanCombo->addItem(QString::number(vlan.vid),
                              QVariant::fromValue(static_cast<qlonglong>(vlan.vid)));
        return QStringList{QString::number(vlan.vid), Utf8ToText(vlan.name),
                           QString::fromStdString(CMulticastFilterMib::Modes().Cell(vlan.mode))};
    });
}

void CMulticastFilterDlg::Apply() {
    const ApplyPlan plan =
        m_cMib.PlanApply(m_pAllCheck->isChecked(), kit::ComboValue(*m_pVlanCombo),
                         kit::ComboValue(*m_pModeCombo).value_or(CMulticastFilterMib::kForward));
    if (plan.Request().IsEmpty()) {
        return; // no VLAN listed or chosen
    }
    RunPlan(m_cMib.SetSession(), plan);
}
