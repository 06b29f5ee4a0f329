// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/PowerSavingDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"
#include "snmp/SessionParameters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace powersaving;

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

int PortCount() {
    return DeviceValues().DevicePortCount;
}

} // namespace

CPowerSavingDlg::CPowerSavingDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* detections = kit::Group(this, QStringLiteral("Global"), "detectionGroup");
    m_pCableLength = new QCheckBox(QStringLiteral("Enable Cable Length Detection"), detections);
    m_pCableLength->setObjectName(QStringLiteral("cableLengthCheck"));
    m_pLinkStatus = new QCheckBox(QStringLiteral("Enable Link Status Detection"), detections);
    m_pLinkStatus->setObjectName(QStringLiteral("linkStatusCheck"));
    m_pDetectionApply = new QPushButton(QStringLiteral("&Apply"), detections);
    m_pDetectionApply->setObjectName(QStringLiteral("detectionApplyButton"));
    m_pDetectionApply->setAutoDefault(false);
    connect(m_pDetectionApply, &QPushButton::clicked, this, &CPowerSavingDlg::ApplyDetections);
    auto* detectionLayout = new QGridLayout(detections);
    detectionLayout->addWidget(m_pCableLength, 0, 0);
    detectionLayout->addWidget(m_pLinkStatus, 1, 0);
    detectionLayout->addWidget(m_pDetectionApply, 1, 1, Qt::AlignRight);

    auto* actions = kit::Group(this, QStringLiteral("Action"), "actionGroup");
    m_pType = new QComboBox(actions);
    m_pType->setObjectName(QStringLiteral("typeCombo"));
    for (const ActionKind& action : Actions()) {
        m_pType->addItem(QString::fromLatin1(action.combo), action.type);
    }
    m_pState =
        kit::Combo(actions, "stateCombo", {QStringLiteral("Enabled"), QStringLiteral("Disabled")});
    m_pProfile1 = new QComboBox(actions);
    m_pProfile1->setObjectName(QStringLiteral("profile1Combo"));
    m_pProfile2 = new QComboBox(actions);
    m_pProfile2->setObjectName(QStringLiteral("profile2Combo"));
    m_pPorts = kit::Edit(actions, "portEdit");
    auto* grid = new QGridLayout(actions);
    kit::AddFormRow(*grid, 0, QStringLiteral("Type"), m_pType);
    kit::AddFormRow(*grid, 0, QStringLiteral("State"), m_pState, 1);
    kit::AddFormRow(*grid, 1, QStringLiteral("Time Profile1"), m_pProfile1);
    kit::AddFormRow(*grid, 1, QStringLiteral("Time Profile2"), m_pProfile2, 1);
    kit::AddFormRow(*grid, 2, QStringLiteral("Port"), m_pPorts);
    grid->addWidget(new QLabel(QStringLiteral("(e.g.:1-4,6)"), actions), 2, 2);
    grid->addWidget(ApplyButton(), 2, 3, Qt::AlignRight);

    auto* summary = kit::Group(this, QStringLiteral("Summary"), "summaryGroup");
    m_pSummary = new CReportList(summary);
    m_pSummary->setObjectName(QStringLiteral("summaryList"));
    m_pSummary->SetColumns({QStringLiteral("Type"), QStringLiteral("State"),
                            QStringLiteral("Time Profile 1 "), QStringLiteral("Time Profile 2"),
                            QStringLiteral("Port ")});
    m_pSummary->setColumnWidth(0,
                               m_pSummary->HeaderTextWidth(QStringLiteral("System_Hibernation")));
    m_pSummary->setColumnWidth(1, m_pSummary->HeaderTextWidth(QStringLiteral("Disabled")));
    m_pSummary->setColumnWidth(4, m_pSummary->HeaderTextWidth(QStringLiteral("1-4,6,9-12,20-28")));
    auto* summaryLayout = new QVBoxLayout(summary);
    summaryLayout->addWidget(m_pSummary);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(detections);
    layout->addWidget(actions);
    layout->addWidget(summary, 1);
    layout->addLayout(kit::ButtonRow({RefreshButton(), CloseButton()}));

    connect(m_pType, &QComboBox::activated, this, &CPowerSavingDlg::TypeChosen);
    connect(m_pState, &QComboBox::currentIndexChanged, this, [this] { UpdateWidgets(); });
    m_pState->setCurrentIndex(1);
    m_pType->setCurrentIndex(0);
    int width = m_pSummary->ColumnsWidth();
    resize(std::max(width + 70, 560), 480);
}

int CPowerSavingDlg::ChosenType() const {
    const std::optional<long> type = kit::ComboValue(*m_pType);
    return type && *type >= 1 && *type <= kActionCount ? static_cast<int>(*type) : 1;
}

bool CPowerSavingDlg::ChosenEnabled() const {
    return m_pState->currentIndex() == 0;
}

void CPowerSavingDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !IsBusy();
    m_pDetectionApply->setEnabled(idle);
    const bool enabled = ChosenEnabled();
    m_pProfile1->setEnabled(enabled);
    m_pProfile2->setEnabled(enabled);
    m_pPorts->setEnabled(enabled && ChosenType() != kHibernation);
}

void CPowerSavingDlg::Refresh() {
    m_pProfile1->clear();
    m_pProfile2->clear();
    m_pSummary->RemoveAllRows();
    m_bSettingsRead = m_cMib.Read();
    auto& walk = m_cMib.ProfileWalk();
    Watch(walk);
    walk.OnFinished(this, [this](int) { ProfilesRead(); });
    walk.Start();
}

// The profile names are known: fill the combos and the summary.
void CPowerSavingDlg::ProfilesRead() {
    for (QComboBox* combo : {m_pProfile1, m_pProfile2}) {
        combo->clear();
        combo->addItem(QStringLiteral("None"), 0);
        for (const ProfileName& profile : m_cMib.Profiles()) {
            combo->addItem(Text(profile.name), static_cast<qlonglong>(profile.index));
        }
        combo->setCurrentIndex(0);
    }
    const Settings& settings = m_cMib.Current();
    m_pCableLength->setChecked(settings.cableLength == 1L);
    m_pLinkStatus->setChecked(settings.linkStatus == 1L);
    m_pSummary->RemoveAllRows();
    for (const ActionKind& action : Actions()) {
        const ActionValues& values = settings.actions[static_cast<std::size_t>(action.type - 1)];
        m_pSummary->AddRow(
            {QString::fromLatin1(action.list),
             values.state == 1L ? QStringLiteral("Enabled") : QStringLiteral("Disabled"),
             Text(ProfileNameOf(values.profile1, m_cMib.Profiles())),
             Text(ProfileNameOf(values.profile2, m_cMib.Profiles())),
             Text(PortCell(action.type, values.ports, PortCount()))});
    }
    TypeChosen(); // the chosen action as the switch holds it, its profiles included
}

void CPowerSavingDlg::TypeChosen() {
    const int type = ChosenType();
    const ActionValues& values = m_cMib.Current().actions[static_cast<std::size_t>(type - 1)];
    const auto selectProfile = [](QComboBox* combo, std::optional<long> index) {
        if (index) {
            kit::SelectValue(*combo, *index);
        } else {
            combo->setCurrentIndex(0); // "None"
        }
    };
    selectProfile(m_pProfile1, values.profile1);
    selectProfile(m_pProfile2, values.profile2);
    m_pState->setCurrentIndex(values.state == 1L ? 0 : 1);
    m_pPorts->setText(Text(PortEditText(type, values.ports, PortCount())));
    UpdateWidgets();
}

void CPowerSavingDlg::ApplyDetections() {
    const RequestStatus status =
        SendSet(m_cMib.SetSession(),
                DetectionRequest(m_pCableLength->isChecked(), m_pLinkStatus->isChecked()));
    if (status.Ok()) {
        Refresh();
    }
}

void CPowerSavingDlg::Apply() {
    ActionInput input;
    input.type = ChosenType();
    input.enabled = ChosenEnabled();
    input.profile1 = kit::ComboValue(*m_pProfile1).value_or(0);
    input.profile2 = kit::ComboValue(*m_pProfile2).value_or(0);
    input.portText = input.type == kHibernation ? std::string() : m_pPorts->text().toStdString();
    RunPlan(m_cMib.SetSession(), PlanAction(input, PortCount()));
}
