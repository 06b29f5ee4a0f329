// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/MirrorDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/PortGrid.h"
#include "features/l2/MirrorMib.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CMirrorDlg::CMirrorDlg(QWidget* parent) : CResizableDialog(parent), m_cMib(AddData<CMirrorMib>()) {
    setWindowTitle(QString::fromUtf8(kCaption));
    const int portCount = DeviceValues().DevicePortCount;

    m_pEnabled = new QRadioButton(QStringLiteral("Enabled"), this);
    m_pEnabled->setObjectName(QStringLiteral("enabledRadio"));
    m_pDisabled = new QRadioButton(QStringLiteral("Disabled"), this);
    m_pDisabled->setObjectName(QStringLiteral("disabledRadio"));
    m_pDisabled->setChecked(true);
    auto* stateGroup = new QButtonGroup(this);
    stateGroup->addButton(m_pEnabled);
    stateGroup->addButton(m_pDisabled);
    m_pTarget = new QComboBox(this);
    m_pTarget->setObjectName(QStringLiteral("targetCombo"));
    FocusFor(CMirrorMib::kTargetField, m_pTarget);
    for (int port = 1; port <= portCount; ++port) {
        m_pTarget->addItem(QString::number(port), port);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Port Mirroring"), this));
    top->addWidget(m_pEnabled);
    top->addWidget(m_pDisabled);
    top->addSpacing(24);
    auto* targetLabel = new QLabel(QStringLiteral("&TargetPort"), this);
    targetLabel->setBuddy(m_pTarget);
    top->addWidget(targetLabel);
    top->addWidget(m_pTarget);
    top->addStretch(1);

    auto* sources = kit::Group(this, QStringLiteral("Source Port Selection"), "sourceGroup");
    m_pGrid = new CPortGrid({{QStringLiteral("TX"), QStringLiteral("tx")},
                             {QStringLiteral("RX"), QStringLiteral("rx")},
                             {QStringLiteral("Both"), QStringLiteral("both")},
                             {QStringLiteral("None"), QStringLiteral("none")}},
                            portCount, sources);
    m_pGrid->setObjectName(QStringLiteral("portGrid"));
    FocusFor(CMirrorMib::kSourcesField, [this](int) { return m_pGrid->FirstEnabledButton(); });
    auto* allRow = new QHBoxLayout;
    const char* names[] = {"allTxButton", "allRxButton", "allBothButton", "allNoneButton"};
    const char* modes[] = {"TX", "RX", "Both", "None"};
    for (int mode = CMirrorMib::kTx; mode <= CMirrorMib::kNone; ++mode) {
        auto* all = new QPushButton(QStringLiteral("All"), sources);
        all->setObjectName(QString::fromLatin1(names[mode]));
        all->setAutoDefault(false);
        auto* label = new QLabel(QString::fromLatin1(modes[mode]) + QStringLiteral(":"), sources);
        allRow->addWidget(label);
        allRow->addWidget(all);
        allRow->addSpacing(12);
        connect(all, &QPushButton::clicked, this, [this, mode] { SetModeOfAll(mode); });
        m_allButtons << all;
    }
    allRow->addStretch(1);
    auto* sourceLayout = new QVBoxLayout(sources);
    sourceLayout->addWidget(m_pGrid);
    sourceLayout->addLayout(allRow);
    m_pRangeEntries = m_pGrid->MakeBulkControls(sources, CPortGrid::AllButton::Left);
    sourceLayout->addWidget(m_pRangeEntries);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sources, 1);
    layout->addLayout(kit::ButtonRow({RefreshButton(), ApplyButton(), CloseButton()}));

    connect(m_pTarget, &QComboBox::activated, this, [this] { TargetChosen(); });
    connect(m_pEnabled, &QRadioButton::toggled, this, [this] { UpdateWidgets(); });
    NeedsTrunks(m_cMib.Trunks());
    UpdateWidgets();
}

int CMirrorDlg::Target() const {
    return m_pTarget->currentData().toInt();
}

void CMirrorDlg::EnableControls() {
    CResizableDialog::EnableControls();
    const bool enabled = m_pEnabled->isChecked();
    const int target = Target();
    for (int port = 1; port <= m_pGrid->PortCount(); ++port) {
        for (int mode = CMirrorMib::kTx; mode <= CMirrorMib::kNone; ++mode) {
            m_pGrid->Button(port, mode)->setEnabled(enabled && port != target);
        }
    }
    for (QPushButton* all : m_allButtons) {
        all->setEnabled(enabled);
    }
    m_pRangeEntries->setEnabled(enabled);
}

// The target mirrors nothing itself.
void CMirrorDlg::TargetChosen() {
    m_pGrid->SetChoice(Target(), CMirrorMib::kNone);
    UpdateWidgets();
}

void CMirrorDlg::SetModeOfAll(int mode) {
    const int target = Target();
    for (int port = 1; port <= m_pGrid->PortCount(); ++port) {
        if (port != target) {
            m_pGrid->SetChoice(port, mode);
        }
    }
}

void CMirrorDlg::Refresh() {
    m_cMib.Trunks().StartTrunkWalk();
    SetReading(true);
    const bool read = m_cMib.Read(m_pGrid->PortCount()).Ok();
    SetReading(false);
    if (!read) {
        return;
    }
    const auto& model = m_cMib.Current();
    kit::ShowState(*m_pEnabled, *m_pDisabled, model.state);
    if (model.target) {
        const int index = m_pTarget->findData(static_cast<int>(*model.target));
        if (index >= 0) {
            m_pTarget->setCurrentIndex(index);
        }
    }
    for (int port = 1; port <= m_pGrid->PortCount(); ++port) {
        const auto entry = static_cast<std::size_t>(port - 1);
        m_pGrid->SetChoice(port, entry < model.modes.size() ? model.modes[entry]
                                                            : static_cast<int>(CMirrorMib::kNone));
    }
    UpdateWidgets();
}

void CMirrorDlg::Apply() {
    CMirrorMib::Input input;
    input.state = kit::StateValue(*m_pEnabled, *m_pDisabled);
    input.target = Target();
    for (int port = 1; port <= m_pGrid->PortCount(); ++port) {
        input.modes.push_back(m_pGrid->ChoiceOf(port));
    }
    const auto plan = CMirrorMib::PlanApply(input, m_cMib.Trunks(), m_cMib.Current().state == 1,
                                            m_pGrid->PortCount());
    if (!RunPlan(m_cMib.SetSession(), plan)) {
        Refresh();
    }
}
