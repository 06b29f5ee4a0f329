// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snmp_agent/SnmpEngineIdDialog.h"

#include "features/common/DialogKit.h"
#include "snmp/SessionParameters.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace snmpagent;

CSnmpEngineIdDlg::CSnmpEngineIdDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pEngineIdEdit = kit::Edit(this, "engineIdEdit", false, kEngineIdCharacters);
    auto* grid = new QGridLayout;
    kit::AddFormRow(*grid, 0, QStringLiteral("SNMP Engine ID"), m_pEngineIdEdit);
    auto* note = new QLabel(
        QStringLiteral("Note: Engine ID length is 10-64, the accepted character is from 0 to F."),
        this);
    note->setObjectName(QStringLiteral("noteLabel"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(kit::ButtonRow({ApplyButton(), CloseButton()}));
    resize(520, sizeHint().height());
}

void CSnmpEngineIdDlg::Refresh() {
    SetReading(true);
    const std::optional<std::string> engineId = m_cMib.ReadEngineId();
    SetReading(false);
    if (engineId) {
        m_pEngineIdEdit->setText(QString::fromStdString(*engineId));
    }
}

void CSnmpEngineIdDlg::Apply() {
    kit::WaitCursor wait;
    RunPlan(m_cMib.SetSession(), PlanEngineId(m_pEngineIdEdit->text()));
}
