// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/SystemInfoDialog.h"

#include "features/maintenance/PublicMibText.h"
#include "snmp/InputChecks.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

CSystemInfoDlg::CSystemInfoDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* form = new QFormLayout;
    m_description = AddText("descriptionText");
    m_description->setWordWrap(true);
    m_objectId = AddText("objectIdText");
    m_upTime = AddText("upTimeText");
    m_name = AddEdit("nameEdit");
    m_location = AddEdit("locationEdit");
    FocusFor(CSystemInfoMib::kNameField, m_name);
    FocusFor(CSystemInfoMib::kLocationField, m_location);
    m_contact = AddEdit("contactEdit");
    form->addRow(QStringLiteral("Description"), m_description);
    form->addRow(QStringLiteral("Object OID"), m_objectId);
    form->addRow(QStringLiteral("Up Time"), m_upTime);
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Location"), m_location);
    form->addRow(QStringLiteral("Contact"), m_contact);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(RefreshButton());
    buttons->addWidget(ApplyButton());
    buttons->addWidget(CloseButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

QLineEdit* CSystemInfoDlg::AddEdit(const char* objectName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

QLabel* CSystemInfoDlg::AddText(const char* objectName) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void CSystemInfoDlg::Refresh() {
    SetReading(true);
    m_cMib.StartRead(
        this, [this](const std::optional<CSystemInfoMib::Values>& values) { ShowValues(values); });
}

void CSystemInfoDlg::ShowValues(const std::optional<CSystemInfoMib::Values>& values) {
    if (values) {
        m_description->setText(Utf8ToText(values->description));
        m_objectId->setText(QString::fromStdString(values->objectId));
        m_upTime->setText(UpTimeText(values->upTime));
        m_contact->setText(Utf8ToText(values->contact));
        m_name->setText(Utf8ToText(values->name));
        m_location->setText(Utf8ToText(values->location));
    }
    SetReading(false);
}

void CSystemInfoDlg::Apply() {
    const ApplyPlan plan = CSystemInfoMib::PlanWrite(m_name->text(), m_location->text());
    if (ShowRefusal(plan.refusal)) {
        return;
    }
    SendSet(m_cMib.SetSession(), plan.Request());
}
