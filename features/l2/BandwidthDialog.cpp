// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/BandwidthDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/FromToPorts.h"
#include "features/common/NumberEdit.h"
#include "features/common/ReportList.h"
#include "features/l2/BandwidthMib.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const CEnumTable kNoLimit{{{1, "Enabled", "Enabled"}, {2, "Disabled", "Disabled"}}};

} // namespace

CBandwidthDlg::CBandwidthDlg(QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CBandwidthMib>()) {
    setWindowTitle(QString::fromUtf8(kCaption));
    auto* settings = kit::Group(this, QStringLiteral("Bandwidth Control"), "bandwidthGroup");
    m_pPorts = new CFromToPorts(settings, DeviceValues().DevicePortCount, ToPortMessage());
    m_pPorts->SetToFollowsFrom(true);
    m_pType = kit::Combo(settings, "typeCombo",
                         {QStringLiteral("Rx"), QStringLiteral("Tx"), QStringLiteral("Both")});
    m_pNoLimit = kit::Combo(settings, "noLimitCombo", kNoLimit);
    kit::SelectValue(*m_pNoLimit, 2);
    m_pRate = new CNumberEdit(settings, 7);
    m_pRate->setObjectName(QStringLiteral("rateEdit"));
    FocusFor(CBandwidthMib::kRateField, m_pRate);
    FocusFor(CBandwidthMib::kPortsField, m_pPorts->From());

    auto* form = new QGridLayout(settings);
    kit::AddFormRow(*form, 0, QStringLiteral("&FromPort"), m_pPorts->From());
    kit::AddFormRow(*form, 0, QStringLiteral("T&oPort"), m_pPorts->To(), 1);
    kit::AddFormRow(*form, 1, QStringLiteral("&Type"), m_pType);
    kit::AddFormRow(*form, 1, QStringLiteral("&No Limit"), m_pNoLimit, 1);
    kit::AddFormRow(*form, 2, QStringLiteral("&Rate(64-1024000)"), m_pRate);
    form->addWidget(new QLabel(QStringLiteral("Kbits/sec "), settings), 2, 2);
    auto* note = new QLabel(
        QStringLiteral("On Gigabit port, the Tx rate is set as multiples of 1850Kbits/sec "),
        settings);
    form->addWidget(note, 3, 0, 1, 4);

    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("rateList"));
    m_pList->SetColumns(QList<ReportColumn>{{QStringLiteral("Port"), 150},
                                            {QStringLiteral("Tx Rate (Kbits/sec)"), 150},
                                            {QStringLiteral("Rx Rate (Kbits/sec)"), 150}});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(settings);
    layout->addLayout(kit::ButtonRow({ApplyButton(), RefreshButton(), CloseButton()}));
    layout->addWidget(m_pList, 1);
    resize(520, 520);

    connect(m_pNoLimit, &QComboBox::currentIndexChanged, this, [this] { UpdateWidgets(); });
    NeedsTrunks(m_cMib.Trunks());
    UpdateWidgets();
}

void CBandwidthDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pRate->setEnabled(kit::ComboValue(*m_pNoLimit) == 2);
}

void CBandwidthDlg::Refresh() {
    m_cMib.Trunks().StartTrunkWalk();
    WalkIntoList(m_cMib.Walk(), *m_pList, [](const auto& row, int) {
        return QStringList{row.port ? QString::number(*row.port) : QString(),
                           kit::Text(CBandwidthMib::RateCell(row.txRate)),
                           kit::Text(CBandwidthMib::RateCell(row.rxRate))};
    });
}

void CBandwidthDlg::Apply() {
    CBandwidthMib::Input input;
    input.fromPort = m_pPorts->FromPort();
    input.toPort = m_pPorts->ToPort();
    input.direction = m_pType->currentIndex();
    input.noLimit = kit::ComboValue(*m_pNoLimit) == 1;
    input.rate = m_pRate->Number();
    if (!RunPlan(m_cMib.SetSession(),
                 CBandwidthMib::PlanApply(input, m_cMib.Trunks().TrunkPorts()))) {
        return;
    }
    m_pPorts->Reset();
    kit::SelectValue(*m_pNoLimit, 2);
    m_pType->setCurrentIndex(0);
    m_pRate->clear();
}
