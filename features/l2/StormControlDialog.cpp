// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/StormControlDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/NumberEdit.h"
#include "features/l2/StormControlMib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CStormControlDlg::CStormControlDlg(QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CStormControlMib>()) {
    setWindowTitle(QString::fromUtf8(kCaption));
    auto* group = kit::Group(this, QStringLiteral("Storm Control"), "stormControlGroup");
    m_pEnable = new QCheckBox(QStringLiteral("Enable Storm Control "), group);
    m_pEnable->setObjectName(QStringLiteral("enableCheck"));
    m_pType = kit::Combo(group, "typeCombo", CStormControlMib::Types());
    auto* unit = kit::Edit(group, "unitEdit", /*readOnly=*/true);
    unit->setText(QStringLiteral("64Kbps  "));
    unit->setFocusPolicy(Qt::NoFocus);
    m_pN = new CNumberEdit(group, 5);
    m_pN->setObjectName(QStringLiteral("nEdit"));
    FocusFor(CStormControlMib::kNField, m_pN);
    m_pProduct = kit::Edit(group, "productEdit", /*readOnly=*/true);
    m_pProduct->setFocusPolicy(Qt::NoFocus);
    const int digits = m_pProduct->fontMetrics().horizontalAdvance(QStringLiteral("000000000"));
    unit->setFixedWidth(unit->fontMetrics().horizontalAdvance(unit->text()) + 16);
    m_pN->setFixedWidth(digits);
    m_pProduct->setFixedWidth(digits);

    auto* form = new QGridLayout(group);
    form->addWidget(m_pEnable, 0, 0, 1, 2);
    kit::AddFormRow(*form, 1, QStringLiteral("Storm Control &Type"), m_pType);
    auto* threshold = new QHBoxLayout;
    threshold->addWidget(unit);
    threshold->addWidget(new QLabel(QStringLiteral("*"), group));
    threshold->addWidget(m_pN);
    threshold->addWidget(new QLabel(QStringLiteral("="), group));
    threshold->addWidget(m_pProduct);
    threshold->addWidget(new QLabel(QStringLiteral("Kbps"), group));
    auto* thresholdLabel = new QLabel(QStringLiteral("Threshold(64Kbps * &N)"), group);
    thresholdLabel->setBuddy(m_pN);
    form->addWidget(thresholdLabel, 2, 0);
    form->addLayout(threshold, 2, 1);
    auto* note = new QLabel(QStringLiteral(" N = ( 1 ~ 16000 ) "), group);
    note->setObjectName(QStringLiteral("nNote"));
    form->addWidget(note, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(kit::ButtonRow({ApplyButton(), RefreshButton(), CloseButton()}));
    ApplyButton()->setDefault(true);

    connect(m_pEnable, &QCheckBox::toggled, this, [this] { UpdateWidgets(); });
    connect(m_pN, &QLineEdit::textEdited, this, [this] { ShowProduct(); });
    UpdateWidgets();
}

void CStormControlDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool enabled = m_pEnable->isChecked();
    m_pType->setEnabled(enabled);
    m_pN->setEnabled(enabled);
}

void CStormControlDlg::ShowProduct() {
    const auto n = m_pN->Number();
    m_pProduct->setText(n ? QString::number(*n * CStormControlMib::kStep) : QString());
}

void CStormControlDlg::Refresh() {
    SetReading(true);
    const bool read = m_cMib.Read().Ok();
    SetReading(false);
    if (!read) {
        return;
    }
    const auto& model = m_cMib.Current();
    kit::ShowState(*m_pEnable, model.state);
    if (model.type) {
        kit::SelectValue(*m_pType, *model.type);
    }
    m_pProduct->setText(model.threshold ? QString::number(*model.threshold) : QString());
    m_pN->setText(QString::fromStdString(CStormControlMib::NText(model.threshold)));
    UpdateWidgets();
}

void CStormControlDlg::Apply() {
    CStormControlMib::Input input;
    input.state = kit::StateValue(*m_pEnable);
    input.type = kit::ComboValue(*m_pType).value_or(1);
    input.n = m_pN->Number();
    const ApplyPlan plan = CStormControlMib::PlanApply(input, m_cMib.Current());
    if (ShowRefusal(plan.refusal)) {
        return;
    }
    if (!plan.Request().IsEmpty()) {
        SendSet(m_cMib.SetSession(), plan.Request());
    }
    Refresh();
}
