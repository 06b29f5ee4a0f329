// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/IgmpSnoopingDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/NumberEdit.h"
#include "features/l2/IgmpVlanDialog.h"
#include "platform/Trace.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace igmp;

namespace {

// The edits' names, in the order of the timers.
constexpr std::array<const char*, kTimerCount> kTimerEditNames{
    "hostTimeoutEdit",   "routerTimeoutEdit",  "robustnessEdit", "lastMemberQueryIntervalEdit",
    "queryIntervalEdit", "maxResponseTimeEdit"};

} // namespace

CIgmpSnoopingDlg::CIgmpSnoopingDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pEnableCheck = new QCheckBox(QStringLiteral("&Enable IGMP Snooping "), this);
    m_pEnableCheck->setObjectName(QStringLiteral("enableCheck"));
    connect(m_pEnableCheck, &QCheckBox::toggled, this, [this] { UpdateWidgets(); });

    auto* grid = new QGridLayout;
    for (int timer = 0; timer < kTimerCount; ++timer) {
        const auto at = static_cast<std::size_t>(timer);
        auto* edit = new CNumberEdit(this, 6);
        edit->setObjectName(QString::fromLatin1(kTimerEditNames[at]));
        m_pTimerEdits[at] = edit;
        kit::AddFormRow(*grid, timer, QString::fromLatin1(Timers()[at].label), edit);
    }
    FocusFor(kTimerField, [this](int timer) -> QWidget* {
        return timer >= 0 && timer < kTimerCount ? m_pTimerEdits[static_cast<std::size_t>(timer)]
                                                 : nullptr;
    });
    auto* note = new QLabel(
        QStringLiteral("Note: The Host Timeout was computed automatically in Querier Enabled by\n"
                       " (Robustness Variable * Query Interval + Max Response Time)."),
        this);
    note->setObjectName(QStringLiteral("noteLabel"));

    m_pVlanInfoButton = new QPushButton(QStringLiteral("&IGMP Vlan Info"), this);
    m_pVlanInfoButton->setObjectName(QStringLiteral("vlanInfoButton"));
    m_pVlanInfoButton->setAutoDefault(false);
    connect(m_pVlanInfoButton, &QPushButton::clicked, this, [this] { OpenVlanSettings(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pEnableCheck);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(
        kit::ButtonRow({ApplyButton(), m_pVlanInfoButton, RefreshButton(), CloseButton()}));
    UpdateWidgets();
}

void CIgmpSnoopingDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    for (CNumberEdit* edit : m_pTimerEdits) {
        edit->setEnabled(m_pEnableCheck->isChecked());
    }
}

void CIgmpSnoopingDlg::Refresh() {
    SetReading(true);
    if (m_cMib.ReadGlobal()) {
        const CIgmpMib::Global& global = m_cMib.CurrentGlobal();
        m_pEnableCheck->setChecked(global.state == kEnabled);
        for (std::size_t timer = 0; timer < kTimerCount; ++timer) {
            if (global.timers[timer]) {
                m_pTimerEdits[timer]->SetNumber(*global.timers[timer]);
            } else {
                m_pTimerEdits[timer]->clear();
            }
        }
    }
    SetReading(false);
}

void CIgmpSnoopingDlg::Apply() {
    TimerInput typed;
    for (std::size_t timer = 0; timer < kTimerCount; ++timer) {
        typed[timer] = m_pTimerEdits[timer]->Number();
    }
    const ApplyPlan plan =
        CIgmpMib::PlanGlobal(m_cMib.CurrentGlobal(), m_pEnableCheck->isChecked(), typed);
    if (ShowRefusal(plan.refusal)) {
        return;
    }
    if (!RunPlan(m_cMib.SetSession(), plan)) {
        Refresh(); // cancelled
    }
}

void CIgmpSnoopingDlg::OpenVlanSettings() {
    CIgmpVlanDlg dialog(&m_cMib, this);
    dialog.exec();
    activateWindow(); // the keyboard comes back here
}
