// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/SpanningTreePortDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/NumberEdit.h"
#include "snmp/SessionParameters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLineEdit* ShownValue(QWidget* parent, const char* objectName) {
    QLineEdit* edit = kit::Edit(parent, objectName, /*readOnly=*/true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QPushButton* Button(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CSpanningTreePortDlg::CSpanningTreePortDlg(int port, QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CSpanningTreeMib>()),
      m_nPortCount(std::max(1, DeviceValues().DevicePortCount)) {
    m_nPort = std::clamp(port, 1, m_nPortCount);
    setWindowTitle(QStringLiteral("Port Config"));
    m_pPortEdit = ShownValue(this, "portEdit");
    m_pPriority = new QComboBox(this);
    m_pPriority->setObjectName(QStringLiteral("priorityCombo"));
    for (long priority = 0; priority <= 240; priority += 16) {
        m_pPriority->addItem(QString::number(priority),
                             QVariant::fromValue(static_cast<qlonglong>(priority)));
    }
    m_pCost = new CNumberEdit(this, 10);
    m_pCost->setObjectName(QStringLiteral("costEdit"));
    m_pEnable = new QCheckBox(QStringLiteral("Enable:"), this);
    m_pEnable->setObjectName(QStringLiteral("enableCheck"));
    m_pEnable->setLayoutDirection(Qt::RightToLeft);
    m_pStatus = ShownValue(this, "statusEdit");
    m_pDesigRoot = ShownValue(this, "desigRootEdit");
    m_pDesigCost = ShownValue(this, "desigCostEdit");
    m_pDesigBridge = ShownValue(this, "desigBridgeEdit");
    m_pDesigPort = ShownValue(this, "desigPortEdit");
    m_pForward = ShownValue(this, "forwardEdit");

    auto* form = new QGridLayout;
    kit::AddFormRow(*form, 0, QStringLiteral("Port:"), m_pPortEdit);
    kit::AddFormRow(*form, 1, QStringLiteral("&Priority:"), m_pPriority);
    kit::AddFormRow(*form, 2, QStringLiteral("C&ost:(1-200000000,\n0=auto)"), m_pCost);
    form->addWidget(m_pEnable, 3, 0);
    kit::AddFormRow(*form, 0, QStringLiteral("Status:"), m_pStatus, 1);
    kit::AddFormRow(*form, 1, QStringLiteral("Desig Root:"), m_pDesigRoot, 1);
    kit::AddFormRow(*form, 2, QStringLiteral("Desig Cost:"), m_pDesigCost, 1);
    kit::AddFormRow(*form, 3, QStringLiteral("Desig Bridge:"), m_pDesigBridge, 1);
    kit::AddFormRow(*form, 4, QStringLiteral("Desig Port:"), m_pDesigPort, 1);
    kit::AddFormRow(*form, 5, QStringLiteral("Forward:"), m_pForward, 1);
    m_pDesigRoot->setMinimumWidth(
        m_pDesigRoot->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00:00:00:00:00:00")) +
        16);

    m_pPrev = Button(this, QStringLiteral("<= Prev Port"), "prevButton");
    m_pNext = Button(this, QStringLiteral("Next Port =>"), "nextButton");
    m_pOk = Button(this, QStringLiteral("&OK"), "okButton");
    QPushButton* cancel = Button(this, QStringLiteral("&Cancel"), "cancelButton");
    auto* steps = new QHBoxLayout;
    steps->addWidget(m_pPrev);
    steps->addWidget(m_pNext);
    steps->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(steps);
    layout->addLayout(kit::ButtonRow({ApplyButton(), m_pOk, cancel, RefreshButton()}));

    connect(m_pPrev, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(m_pNext, &QPushButton::clicked, this, [this] { Step(+1); });
    connect(m_pOk, &QPushButton::clicked, this, [this] {
        if (ApplyPort()) {
            accept();
        }
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    WritingButton(m_pOk);
    NeedsTrunks(m_cMib.Trunks());
    NeedsReading([this] { return m_bPortRead; });
    m_cMib.Trunks().StartTrunkWalk();
    UpdateWidgets();
}

void CSpanningTreePortDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !IsBusy();
    m_pOk->setEnabled(CanWrite());
    m_pPrev->setEnabled(idle && m_nPort > 1);
    m_pNext->setEnabled(idle && m_nPort < m_nPortCount);
}

void CSpanningTreePortDlg::Step(int delta) {
    m_nPort = std::clamp(m_nPort + delta, 1, m_nPortCount);
    Refresh();
}

void CSpanningTreePortDlg::Refresh() {
    m_pPortEdit->setText(QString::number(m_nPort));
    SetReading(true);
    const auto values = m_cMib.ReadPort(m_nPort);
    m_bPortRead = values.Ok();
    SetReading(false);
    if (!values) {
        m_lastRead = {}; // the controls show another port's values: nothing may be applied
        return;
    }
    // Columns 1..10 of the port's row.
    const std::vector<std::string>& v = *values;
    const auto cells = stp::PortCells(v);
    m_lastRead = {IntegerOf(v[1]), IntegerOf(v[4]), IntegerOf(v[3])};
    if (m_lastRead.priority) {
        kit::SelectValue(*m_pPriority, *m_lastRead.priority);
    }
    m_pCost->setText(QString::fromStdString(cells[2]));
    m_pEnable->setChecked(m_lastRead.enable == 1);
    m_pStatus->setText(QString::fromStdString(cells[4]));
    m_pDesigRoot->setText(QString::fromStdString(cells[5]));
    m_pDesigCost->setText(QString::fromStdString(cells[6]));
    m_pDesigBridge->setText(QString::fromStdString(cells[7]));
    m_pDesigPort->setText(QString::fromStdString(cells[8]));
    m_pForward->setText(QString::fromStdString(cells[9]));
    UpdateWidgets();
}

bool CSpanningTreePortDlg::ApplyPort() {
    stp::PortInput input;
    input.port = m_nPort;
    input.priority = kit::ComboValue(*m_pPriority).value_or(128);
    input.cost = m_pCost->Number();
    input.enabled = m_pEnable->isChecked();
    const ApplyPlan plan =
        stp::PlanPort(input, m_lastRead, m_cMib.Trunks().TrunkGroupOf(m_nPort) != 0);
    if (ShowRefusal(plan.refusal)) {
        return false;
    }
    if (!plan.Request().IsEmpty()) {
        SendSet(m_cMib.SetSession(), plan.Request());
        Refresh();
    }
    return true;
}

void CSpanningTreePortDlg::Apply() {
    ApplyPort();
}
