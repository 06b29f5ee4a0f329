// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/JumboFrameDialog.h"

#include "features/common/Captions.h"
#include "features/common/DialogKit.h"
#include "features/l2/JumboFrameMib.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

CJumboFrameDlg::CJumboFrameDlg(QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CJumboFrameMib>()) {
    setWindowTitle(QString::fromUtf8(caption::kJumboFrame));
    m_pEnable = new QCheckBox(QStringLiteral("Enable Jumbo Frame"), this);
    m_pEnable->setObjectName(QStringLiteral("enableCheck"));
    auto* note = new QLabel(QStringLiteral("Note: Maximum Length is 10000 bytes"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pEnable);
    layout->addWidget(note);
    layout->addLayout(kit::ButtonRow({ApplyButton(), CloseButton()}));
    ApplyButton()->setDefault(true);
}

void CJumboFrameDlg::Refresh() {
    SetReading(true);
    if (m_cMib.Read().Ok()) {
        kit::ShowState(*m_pEnable, m_cMib.State());
    }
    SetReading(false);
}

void CJumboFrameDlg::Apply() {
    RunPlan(m_cMib.SetSession(), CJumboFrameMib::PlanApply(kit::StateValue(*m_pEnable)));
}
