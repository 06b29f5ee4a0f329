// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/ManagementVlanDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/Repainting.h"
#include "features/port_vlan/ManagementVlanMib.h"
#include "snmp/Snmp.h"
#include "snmp/TextConversion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CManagementVlanDlg::CManagementVlanDlg(QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CManagementVlanMib>()) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pEnableRadio = new QRadioButton(QStringLiteral("Enable"), this);
    m_pEnableRadio->setObjectName(QStringLiteral("enableRadio"));
    m_pDisableRadio = new QRadioButton(QStringLiteral("Disable"), this);
    m_pDisableRadio->setObjectName(QStringLiteral("disableRadio"));
    m_pEnableRadio->setChecked(true);
    m_pVlanIdCombo = new QComboBox(this);
    FocusFor(CManagementVlanMib::kVlanIdField, m_pVlanIdCombo);
    m_pVlanIdCombo->setObjectName(QStringLiteral("vlanIdCombo"));
    m_pVlanIdCombo->setMinimumContentsLength(6);
    m_pNameEdit = kit::Edit(this, "vlanNameEdit", true);

    auto* radios = new QHBoxLayout;
    radios->addWidget(m_pEnableRadio);
    radios->addWidget(m_pDisableRadio);
    radios->addStretch(1);
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Management VLAN"), this), 0, 0);
    form->addLayout(radios, 0, 1);
    kit::AddFormRow(*form, 1, QStringLiteral("VLAN  ID"), m_pVlanIdCombo);
    kit::AddFormRow(*form, 2, QStringLiteral("VLAN Name"), m_pNameEdit);
    form->setColumnStretch(1, 1);

    connect(m_pEnableRadio, &QRadioButton::toggled, this, [this] { UpdateWidgets(); });
    connect(m_pVlanIdCombo, &QComboBox::activated, this, [this] { ShowName(); });
    Watch(m_cMib.VlanWalk());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(kit::ButtonRow({RefreshButton(), ApplyButton()}));
    ApplyButton()->setDefault(true);
    setMinimumWidth(420);
}

void CManagementVlanDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pVlanIdCombo->setEnabled(m_pEnableRadio->isChecked());
}

void CManagementVlanDlg::Refresh() {
    m_pVlanIdCombo->clear();
    m_cMib.StartVlanWalk(this, [this](int status) {
        for (const std::string& id : m_cMib.Current().vlanIds) {
            const auto number = IntegerOf(id);
            m_pVlanIdCombo->addItem(QString::fromStdString(id),
                                    number ? QVariant::fromValue<qlonglong>(*number) : QVariant());
        }
        if (status == kSnmpEndOfTable && m_cMib.ReadState()) {
            ShowState();
        }
    });
}

void CManagementVlanDlg::ShowState() {
    const auto& model = m_cMib.Current();
    kit::ShowState(*m_pEnableRadio, *m_pDisableRadio, IntegerOf(model.stateText));
    if (const auto vid = IntegerOf(model.vlanIdText)) {
        kit::SelectValue(*m_pVlanIdCombo, *vid);
    } else {
        m_pVlanIdCombo->setCurrentIndex(-1);
    }
    UpdateWidgets();
    ShowName();
}

std::string CManagementVlanDlg::ChosenVid() const {
    const std::optional<long> vid = kit::ComboValue(*m_pVlanIdCombo);
    return vid ? std::to_string(*vid) : std::string();
}

void CManagementVlanDlg::ShowName() {
    const std::string vid = ChosenVid();
    if (vid.empty()) {
        m_pNameEdit->clear();
        return;
    }
    if (const auto name = m_cMib.ReadName(vid)) {
        m_pNameEdit->setText(Utf8ToText(*name));
    }
}

void CManagementVlanDlg::Apply() {
    const std::string state = std::to_string(kit::StateValue(*m_pEnableRadio, *m_pDisableRadio));
    const std::string vid = ChosenVid();
    std::optional<std::size_t> members;
    if (vid != "1") {
        SetReading(true);
        kit::RunRepainting([&] { members = m_cMib.ReadEgressCount(vid); });
        SetReading(false);
        if (!members) {
            Refresh(); // the members could not be read: nothing is written
            return;
        }
    }
    const ApplyPlan plan = CManagementVlanMib::PlanApply(state, vid, members);
    if (ShowRefusal(plan.refusal)) {
        Refresh();
        return;
    }
    RunPlan(m_cMib.SetSession(), plan);
}
