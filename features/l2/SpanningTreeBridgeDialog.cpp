// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/SpanningTreeBridgeDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/NumberEdit.h"
#include "features/l2/SpanningTreeMib.h"
#include "features/l2/SpanningTreeTableDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

CNumberEdit* TimerEdit(QWidget* parent, const char* objectName) {
    auto* edit = new CNumberEdit(parent, 5);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

QLineEdit* ShownValue(QWidget* parent, const char* objectName) {
    QLineEdit* edit = kit::Edit(parent, objectName, /*readOnly=*/true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

void Show(CNumberEdit* edit, const std::optional<long>& value) {
    edit->setText(value ? QString::number(*value) : QString());
}

} // namespace

CSpanningTreeBridgeDlg::CSpanningTreeBridgeDlg(QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CSpanningTreeMib>()) {
    setWindowTitle(QString::fromUtf8(kCaption));
    auto* settings = kit::Group(this, QStringLiteral("Bridge Settings"), "settingsGroup");
    m_pEnable = new QCheckBox(QStringLiteral("Enable RSTP"), settings);
    m_pEnable->setObjectName(QStringLiteral("enableCheck"));
    m_pVersion = kit::Combo(settings, "versionCombo", stp::Versions());
    m_pAge = TimerEdit(settings, "ageEdit");
    m_pDelay = TimerEdit(settings, "delayEdit");
    m_pHello = TimerEdit(settings, "helloEdit");
    FocusFor(stp::kAgeField, m_pAge);
    FocusFor(stp::kDelayField, m_pDelay);
    FocusFor(stp::kHelloField, m_pHello);
    m_pPriority = new QComboBox(settings);
    m_pPriority->setObjectName(QStringLiteral("priorityCombo"));
    for (long priority = 0; priority <= 61440; priority += 4096) {
        m_pPriority->addItem(QString::number(priority),
                             QVariant::fromValue(static_cast<qlonglong>(priority)));
    }
    auto* form = new QGridLayout(settings);
    form->addWidget(m_pEnable, 0, 0, 1, 2);
    kit::AddFormRow(*form, 1, QStringLiteral("STP &Version:"), m_pVersion);
    kit::AddFormRow(*form, 2, QStringLiteral("A&ge Time(600-4000):"), m_pAge);
    kit::AddFormRow(*form, 3, QStringLiteral("&Delay(400-3000):"), m_pDelay);
    kit::AddFormRow(*form, 4, QStringLiteral("&Hello Time(100-1000):"), m_pHello);
    kit::AddFormRow(*form, 5, QStringLiteral("Pr&iority:"), m_pPriority);
    form->addWidget(new QLabel(QStringLiteral("(Time Unit: 1/100 Second)"), settings), 6, 0, 1, 2);

    auto* state = kit::Group(this, QStringLiteral("Bridge State"), "stateGroup");
    m_pTopoChangeTime = ShownValue(state, "topoChangeTimeEdit");
    m_pTopoChanged = ShownValue(state, "topoChangedEdit");
    m_pForwardDelay = ShownValue(state, "forwardDelayEdit");
    m_pHelloTime = ShownValue(state, "helloTimeEdit");
    m_pHoldTime = ShownValue(state, "holdTimeEdit");
    m_pRootPort = ShownValue(state, "rootPortEdit");
    m_pDesignatedRoot = ShownValue(state, "designatedRootEdit");
    auto* shown = new QGridLayout(state);
    kit::AddFormRow(*shown, 0, QStringLiteral("TopoChangeTime:"), m_pTopoChangeTime);
    kit::AddFormRow(*shown, 1, QStringLiteral("TopoChanged:"), m_pTopoChanged);
    kit::AddFormRow(*shown, 2, QStringLiteral("Forward Delay:"), m_pForwardDelay);
    kit::AddFormRow(*shown, 3, QStringLiteral("Hello Time:"), m_pHelloTime);
    kit::AddFormRow(*shown, 4, QStringLiteral("Hold Time:"), m_pHoldTime);
    kit::AddFormRow(*shown, 5, QStringLiteral("RootPort"), m_pRootPort);
    kit::AddFormRow(*shown, 6, QStringLiteral("Designated Root"), m_pDesignatedRoot);
    m_pDesignatedRoot->setMinimumWidth(m_pDesignatedRoot->fontMetrics().horizontalAdvance(
                                           QStringLiteral("00:00:00:00:00:00:00:00")) +
                                       16);

    m_pPortSetting = new QPushButton(QStringLiteral("Port Setting"), this);
    m_pPortSetting->setObjectName(QStringLiteral("portSettingButton"));
    m_pPortSetting->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);

    auto* columns = new QHBoxLayout;
    columns->addWidget(settings);
    columns->addWidget(state);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(kit::ButtonRow({ApplyButton(), m_pPortSetting, RefreshButton(), cancel}));

    connect(m_pEnable, &QCheckBox::toggled, this, [this] { UpdateWidgets(); });
    connect(m_pPortSetting, &QPushButton::clicked, this, [this] { OpenPortTable(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdateWidgets();
}

void CSpanningTreeBridgeDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool enabled = m_pEnable->isChecked();
    for (QWidget* control :
         {static_cast<QWidget*>(m_pVersion), static_cast<QWidget*>(m_pAge),
          static_cast<QWidget*>(m_pDelay), static_cast<QWidget*>(m_pHello),
          static_cast<QWidget*>(m_pPriority), static_cast<QWidget*>(m_pPortSetting)}) {
        control->setEnabled(enabled);
    }
}

void CSpanningTreeBridgeDlg::Refresh() {
    SetReading(true);
    m_cMib.StartBridgeRead([this](bool read) { ShowBridge(read); });
}

void CSpanningTreeBridgeDlg::ShowBridge(bool read) {
    SetReading(false);
    if (!read) {
        return;
    }
    const stp::Bridge& bridge = m_cMib.CurrentBridge();
    m_pEnable->setChecked(bridge.rstpState == 1);
    if (bridge.version) {
        kit::SelectValue(*m_pVersion, *bridge.version);
    }
    if (bridge.priority) {
        kit::SelectValue(*m_pPriority, *bridge.priority);
    }
    Show(m_pAge, bridge.maxAge);
    Show(m_pDelay, bridge.forwardDelay);
    Show(m_pHello, bridge.helloTime);
    m_pTopoChangeTime->setText(QString::fromStdString(bridge.topoChangeTime));
    m_pTopoChanged->setText(QString::fromStdString(bridge.topoChanges));
    m_pForwardDelay->setText(QString::fromStdString(bridge.currentDelay));
    m_pHelloTime->setText(QString::fromStdString(bridge.currentHello));
    m_pHoldTime->setText(QString::fromStdString(bridge.holdTime));
    m_pRootPort->setText(QString::fromStdString(bridge.rootPort));
    m_pDesignatedRoot->setText(QString::fromStdString(bridge.designatedRoot));
    UpdateWidgets();
}

void CSpanningTreeBridgeDlg::Apply() {
    stp::BridgeInput input;
    input.enabled = m_pEnable->isChecked();
    input.version = kit::ComboValue(*m_pVersion).value_or(2);
    input.priority = kit::ComboValue(*m_pPriority).value_or(32768);
    input.age = m_pAge->Number();
    input.delay = m_pDelay->Number();
    input.hello = m_pHello->Number();
    RunPlan(m_cMib.SetSession(), stp::PlanBridge(input, m_cMib.CurrentBridge().rstpState == 1));
}

void CSpanningTreeBridgeDlg::OpenPortTable() {
    CSpanningTreeTableDlg table(this);
    table.exec();
}
