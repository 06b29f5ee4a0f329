// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/SegmentationDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/PortGrid.h"
#include "features/common/ReportList.h"
#include "features/l2/SegmentationMib.h"
#include "snmp/PortEncoding.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr unsigned long kRereadDelayMs = 50;

QPushButton* Button(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CSegmentationDlg::CSegmentationDlg(QWidget* parent)
    : CResizableDialog(parent), m_cMib(AddData<CSegmentationMib>()) {
    setWindowTitle(QString::fromUtf8(kCaption));
    const int portCount = DeviceValues().DevicePortCount;

    auto* global = kit::Group(this, QStringLiteral("Global Settings"), "globalGroup");
    m_pEnable = new QCheckBox(QStringLiteral("Enable Forwarding Port Settings"), global);
    m_pEnable->setObjectName(QStringLiteral("enableCheck"));
    auto* globalRow = new QHBoxLayout(global);
    globalRow->addWidget(m_pEnable, 1);
    globalRow->addWidget(ApplyButton());
    globalRow->addWidget(RefreshButton());

    auto* ports = kit::Group(this, QString(), "portGroup");
    m_pFromPort = new QComboBox(ports);
    m_pFromPort->setObjectName(QStringLiteral("fromPortCombo"));
    for (int port = 1; port <= portCount; ++port) {
        m_pFromPort->addItem(QString::number(port), port);
    }
    m_pGrid = new CPortGrid(portCount, ports);
    m_pGrid->setObjectName(QStringLiteral("portGrid"));
    FocusFor(CSegmentationMib::kPortsField, [this](int) { return m_pGrid->FirstEnabledButton(); });
    m_pAll = Button(ports, QStringLiteral("&ALL"), "allButton");
    m_pClear = Button(ports, QStringLiteral("&Clear"), "clearButton");
    m_pPortApply = Button(ports, QStringLiteral("Apply"), "portApplyButton");
    auto* fromRow = new QHBoxLayout;
    auto* fromLabel = new QLabel(QStringLiteral("&From Port"), ports);
    fromLabel->setBuddy(m_pFromPort);
    fromRow->addWidget(fromLabel);
    fromRow->addWidget(m_pFromPort);
    fromRow->addStretch(1);
    auto* portLayout = new QVBoxLayout(ports);
    portLayout->addLayout(fromRow);
    portLayout->addWidget(m_pGrid);
    m_pRangeEntry = m_pGrid->MakeBulkControls(ports, CPortGrid::AllButton::Left);
    portLayout->addWidget(m_pRangeEntry);
    portLayout->addLayout(kit::ButtonRow({m_pAll, m_pClear, m_pPortApply}));

    auto* table = kit::Group(this, QStringLiteral("Forwarding Port Table"), "tableGroup");
    m_pList = new CReportList(table);
    m_pList->setObjectName(QStringLiteral("forwardingList"));
    m_pList->SetColumns(QList<ReportColumn>{{QStringLiteral("Port"), 150},
                                            {QStringLiteral("Forwarding Port"), 300}});
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->addWidget(m_pList);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(global);
    layout->addWidget(ports);
    layout->addWidget(table, 1);
    resize(sizeHint().width(), 560);

    connect(m_pFromPort, &QComboBox::activated, this, [this] { ShowChosenPort(); });
    connect(m_pAll, &QPushButton::clicked, this, [this] { m_pGrid->SetAllChecked(true); });
    connect(m_pClear, &QPushButton::clicked, this, [this] { m_pGrid->SetAllChecked(false); });
    connect(m_pPortApply, &QPushButton::clicked, this, [this] { ApplyPorts(); });
    WritingButton(m_pPortApply);
    NeedsTrunks(m_cMib.Trunks());
    UpdateWidgets();
}

int CSegmentationDlg::ChosenPort() const {
    return m_pFromPort->currentData().toInt();
}

void CSegmentationDlg::EnableControls() {
    CResizableDialog::EnableControls();
    m_pPortApply->setEnabled(CanWrite() && m_cMib.State() == 1);
    // The grid fills as the walk goes: ticking it meanwhile would be undone by the next row.
    m_pAll->setEnabled(!IsBusy());
    m_pClear->setEnabled(!IsBusy());
    m_pRangeEntry->setEnabled(!IsBusy());
    const int chosen = ChosenPort();
    for (int port = 1; port <= m_pGrid->PortCount(); ++port) {
        m_pGrid->Button(port)->setEnabled(port != chosen);
    }
}

void CSegmentationDlg::ShowChosenPort() {
    const int chosen = ChosenPort();
    m_pGrid->SetCheckedPorts(m_cMib.ForwardingOf(chosen, m_pGrid->PortCount()));
    UpdateWidgets();
}

void CSegmentationDlg::Refresh() {
    SetReading(true);
    if (m_cMib.ReadState().Ok()) {
        kit::ShowState(*m_pEnable, m_cMib.State());
    }
    SetReading(false);
    m_cMib.Trunks().StartTrunkWalk();
    const int portCount = m_pGrid->PortCount();
    WalkIntoList(
        m_cMib.Walk(), *m_pList,
        [portCount](const CSegmentationMib::Row& row, int) {
            return QStringList{
                row.port ? QString::number(*row.port) : QString(),
                QString::fromStdString(PortBitsToRanges(row.forwarding, 1, portCount).text)};
        },
        [this](int) { ShowChosenPort(); });
}

void CSegmentationDlg::Apply() {
    RunPlan(m_cMib.SetSession(), CSegmentationMib::PlanState(kit::StateValue(*m_pEnable)));
}

void CSegmentationDlg::ApplyPorts() {
    ApplyPlan plan = CSegmentationMib::PlanPorts(ChosenPort(), m_pGrid->CheckedPorts(),
                                                 m_cMib.Trunks(), m_pGrid->PortCount());
    if (!plan.refusal && !plan.HasWrites()) {
        return;
    }
    for (SetStep& step : plan.steps) {
        step.pauseMs = kRereadDelayMs; // the switch takes a moment before the list is read again
    }
    RunPlan(m_cMib.SetSession(), plan);
}
