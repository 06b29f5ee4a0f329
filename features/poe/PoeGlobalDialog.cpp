// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/PoeGlobalDialog.h"

#include "features/common/DialogKit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CPoeGlobalDlg::CPoeGlobalDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* grid = new QGridLayout;
    m_pThreshold = kit::Edit(this, "thresholdEdit", false, 16);
    FocusFor(poe::kThresholdField, m_pThreshold);
    kit::AddFormRow(*grid, 0, QStringLiteral("PoE Power Threshold  (7.1-185.0)"), m_pThreshold);
    grid->addWidget(new QLabel(QStringLiteral("Watts "), this), 0, 2);
    m_pSequence = kit::Combo(this, "sequenceCombo", poe::ShutOffSequence());
    kit::AddFormRow(*grid, 1, QStringLiteral("Power Shut Off Sequence "), m_pSequence);
    m_pBudget = kit::Edit(this, "budgetEdit", true);
    kit::AddFormRow(*grid, 2, QStringLiteral("Total PoE Power Budget"), m_pBudget);
    m_pUsed = kit::Edit(this, "usedEdit", true);
    kit::AddFormRow(*grid, 3, QStringLiteral("Power Used"), m_pUsed);
    m_pLeft = kit::Edit(this, "leftEdit", true);
    kit::AddFormRow(*grid, 4, QStringLiteral("Power Left"), m_pLeft);
    m_pPercent = kit::Edit(this, "percentEdit", true);
    kit::AddFormRow(*grid, 5, QStringLiteral("The percentage of system power supplied"),
                    m_pPercent);
    // The RPS status is read with the rest but the dialog keeps it hidden.
    m_pRps = kit::Edit(this, "rpsStatusEdit", true);
    QLabel* rpsLabel = kit::AddFormRow(*grid, 6, QStringLiteral("RPS Status "), m_pRps);
    rpsLabel->hide();
    m_pRps->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    // Refresh reads again after a read the switch did not answer.
    layout->addLayout(kit::ButtonRow({ApplyButton(), RefreshButton(), CloseButton()}));
    NeedsReading([this] { return m_bRead; });
}

void CPoeGlobalDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pThreshold->setEnabled(CanWrite());
    m_pSequence->setEnabled(CanWrite());
}

void CPoeGlobalDlg::Refresh() {
    if (m_cMib.IsReading()) {
        return;
    }
    m_bRead = false;
    ShowWaiting({m_pThreshold, m_pSequence, m_pBudget, m_pUsed, m_pLeft, m_pPercent, m_pRps});
    SetReading(true);
    m_cMib.StartRead([this](const SnmpResult<std::vector<std::string>>& result) { Show(result); });
}

void CPoeGlobalDlg::Show(const SnmpResult<std::vector<std::string>>& result) {
    if (result) {
        const poe::GlobalValues values = poe::GlobalValuesOf(*result);
        m_pThreshold->setText(QString::fromStdString(values.threshold));
        if (values.sequence) {
            kit::SelectValue(*m_pSequence, *values.sequence);
        } else {
            m_pSequence->setCurrentIndex(-1);
        }
        m_pBudget->setText(QString::fromStdString(values.budget));
        m_pUsed->setText(QString::fromStdString(values.used));
        m_pLeft->setText(QString::fromStdString(values.left));
        m_pPercent->setText(QString::fromStdString(values.percent));
        m_pRps->setText(QString::fromStdString(values.rps));
        m_stored = {values.threshold, values.sequence};
        m_bRead = true;
    }
    SetReading(false);
    if (!result) {
        // A read the switch did not answer is reported by the kit, once per round of reads.
        if (result.Status().Outcome() != SnmpOutcome::NoAnswer) {
            ShowOk(ReadFailureText(result.Status()));
        }
        return;
    }
    // The threshold was disabled while waiting, so the focus went to a read-only field.
    const auto* focused = qobject_cast<const QLineEdit*>(focusWidget());
    if (m_bRead && (focused == nullptr || focused->isReadOnly())) {
        m_pThreshold->setFocus();
    }
}

void CPoeGlobalDlg::Apply() {
    ApplyButton()->setEnabled(false);
    const poe::GlobalSettings input{m_pThreshold->text().toStdString(),
                                    kit::ComboValue(*m_pSequence)};
    const ApplyPlan plan = poe::PlanGlobalApply(input, m_stored);
    if (ShowRefusal(plan.refusal)) {
        UpdateWidgets();
        return;
    }
    RunPlan(m_cMib.SetSession(), plan, [&] {
        ShowInformation(QStringLiteral("set succeed"));
        m_stored = input;
    });
}
