// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/SyslogDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/Messages.h"
#include "features/common/NumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CSyslogDlg::CSyslogDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* syslog = kit::Group(this, QStringLiteral("Syslog"), "syslogGroup");
    m_pEnableCheck = new QCheckBox(QStringLiteral("&SysLogEnable"), syslog);
    m_pEnableCheck->setObjectName(QStringLiteral("enableCheck"));
    connect(m_pEnableCheck, &QCheckBox::toggled, this, [this] { UpdateWidgets(); });
    (new QVBoxLayout(syslog))->addWidget(m_pEnableCheck);

    auto* configuration = kit::Group(this, QStringLiteral("Configuratiom"), "configurationGroup");
    m_pAddressEdit = new CIpAddressEdit(configuration);
    m_pAddressEdit->setObjectName(QStringLiteral("hostIpEdit"));
    m_pPortEdit = new CNumberEdit(configuration, 5);
    FocusFor(CSyslogMib::kAddressField, m_pAddressEdit);
    FocusFor(CSyslogMib::kPortField, m_pPortEdit);
    m_pPortEdit->setObjectName(QStringLiteral("udpPortEdit"));
    m_pPortEdit->SetNumber(CSyslogMib::kDefaultPort);
    m_pFacilityCombo = kit::Combo(configuration, "facilityCombo", CSyslogMib::Facilities());
    m_pSeverityCombo = kit::Combo(configuration, "severityCombo", CSyslogMib::Severities());
    auto* form = new QGridLayout(configuration);
    // The label's mnemonic goes to the address's first field.
    kit::AddFormRow(*form, 0, QStringLiteral("&Host IP:"), m_pAddressEdit)
        ->setBuddy(m_pAddressEdit->Field(0));
    kit::AddFormRow(*form, 1, QStringLiteral("&UDP Port(1-65535):"), m_pPortEdit);
    kit::AddFormRow(*form, 2, QStringLiteral("&Facility:"), m_pFacilityCombo);
    kit::AddFormRow(*form, 3, QStringLiteral("S&everity:"), m_pSeverityCombo);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(syslog);
    layout->addWidget(configuration);
    layout->addLayout(kit::ButtonRow({RefreshButton(), ApplyButton(), CloseButton()}));
    UpdateWidgets();
}

void CSyslogDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool enabled = m_pEnableCheck->isChecked();
    for (QWidget* field :
         {static_cast<QWidget*>(m_pAddressEdit), static_cast<QWidget*>(m_pPortEdit),
          static_cast<QWidget*>(m_pFacilityCombo), static_cast<QWidget*>(m_pSeverityCombo)}) {
        field->setEnabled(enabled);
    }
}

void CSyslogDlg::Refresh() {
    SetReading(true);
    if (m_cMib.Read()) {
        const CSyslogMib::Model& model = m_cMib.Current();
        m_pAddressEdit->SetAddress(QString::fromStdString(model.address));
        if (model.port) {
            m_pPortEdit->SetNumber(*model.port);
        }
        if (model.facility) {
            kit::SelectValue(*m_pFacilityCombo, *model.facility);
        }
        if (model.severity) {
            kit::SelectValue(*m_pSeverityCombo, *model.severity);
        }
        kit::ShowState(*m_pEnableCheck, model.state);
    }
    SetReading(false);
}

void CSyslogDlg::Apply() {
    CSyslogMib::Input input;
    input.state = kit::StateValue(*m_pEnableCheck);
    input.filledFields = m_pAddressEdit->FilledFieldCount();
    input.address = m_pAddressEdit->Address().toStdString();
    input.port = m_pPortEdit->Number();
    input.facility = kit::ComboValue(*m_pFacilityCombo).value_or(128);
    input.severity = kit::ComboValue(*m_pSeverityCombo).value_or(4);
    const ApplyPlan plan = CSyslogMib::PlanApply(input);
    if (ShowRefusal(plan.refusal)) {
        return;
    }
    RunPlan(m_cMib.SetSession(), plan,
            [] { ShowInformation(QStringLiteral("Set System log Server successfully")); });
}
