// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/TrunkDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/ReportList.h"
#include "features/port_vlan/TrunkMemberDialog.h"
#include "snmp/SessionParameters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace trunk;

namespace {

// The dialog's size on a screen of 96 dpi (its layout was drawn in dialog units).
constexpr int kDialogWidth = 490;
constexpr int kDialogHeight = 427;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

int MemberCount(const PortFlags& members) {
    return static_cast<int>(
        std::count_if(members.begin(), members.end(), [](std::int32_t flag) { return flag != 0; }));
}

} // namespace

CTrunkDlg::CTrunkDlg(QWidget* parent)
    : CFeatureDialog(parent), m_nPortCount(std::max(0, DeviceValues().DevicePortCount)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    BuildControls();
    UpdateWidgets();
}

CTrunkDlg::~CTrunkDlg() = default;

void CTrunkDlg::BuildControls() {
    auto* status = kit::Group(this, QStringLiteral("Trunk status"), "trunkStatusGroup");
    m_pEnableCheck = new QCheckBox(QStringLiteral("Enable Trunk"), status);
    FocusFor(kEnableField, m_pEnableCheck);
    m_pEnableCheck->setObjectName(QStringLiteral("enableTrunkCheck"));
    m_pStateApply = new QPushButton(QStringLiteral("&Apply"), status);
    m_pStateApply->setObjectName(QStringLiteral("stateApplyButton"));
    connect(m_pStateApply, &QPushButton::clicked, this, [this] { ApplyState(); });
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->addWidget(m_pEnableCheck);
    statusLayout->addStretch(1);
    statusLayout->addWidget(m_pStateApply);

    auto* information =
        kit::Group(this, QStringLiteral("Trunk Information"), "trunkInformationGroup");
    m_pTrunkList = new CReportList(information);
    m_pTrunkList->setObjectName(QStringLiteral("trunkList"));
    m_pTrunkList->SetColumns({QStringLiteral("TrunkID    "), QStringLiteral("PortChannelMode    "),
                              QStringLiteral("PortMember                            ")});
    connect(m_pTrunkList, &CReportList::rowSelected, this, [this](int row) { SelectRow(row); });
    auto* informationLayout = new QVBoxLayout(information);
    informationLayout->addWidget(m_pTrunkList);

    auto* configuration =
        kit::Group(this, QStringLiteral("Trunk Configuration"), "trunkConfigurationGroup");
    m_pTrunkIdEdit = kit::Edit(configuration, "trunkIdEdit", /*readOnly=*/true);
    m_pModeCombo = kit::Combo(configuration, "modeCombo", Modes());
    auto* form = new QGridLayout(configuration);
    kit::AddFormRow(*form, 0, QStringLiteral("Trunk ID:"), m_pTrunkIdEdit);
    kit::AddFormRow(*form, 0, QStringLiteral("PortChannelMode:"), m_pModeCombo, 1);

    m_pMemberButton = new QPushButton(QStringLiteral("&PortMember"), this);
    m_pMemberButton->setObjectName(QStringLiteral("portMemberButton"));
    connect(m_pMemberButton, &QPushButton::clicked, this, [this] { EditMembers(); });

    // Enter re-reads: it never writes by surprise.
    RefreshButton()->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status);
    layout->addWidget(information, 1);
    layout->addWidget(configuration);
    layout->addLayout(
        kit::ButtonRow({RefreshButton(), m_pMemberButton, ApplyButton(), CloseButton()}));
    resize(kDialogWidth, kDialogHeight);
}

void CTrunkDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !IsBusy();
    m_pStateApply->setEnabled(idle);
    m_pMemberButton->setEnabled(idle && m_bStateEnabled);
    m_pModeCombo->setEnabled(m_bStateEnabled);
}

void CTrunkDlg::Refresh() {
    SetReading(true);
    const std::optional<long> state = m_cMib.ReadState();
    SetReading(false);
    if (state) {
        m_bStateEnabled = *state == kStateEnabled;
        m_pEnableCheck->setChecked(m_bStateEnabled);
    }
    WalkIntoList(
        m_cMib.TrunkWalk(), *m_pTrunkList,
        [](const TrunkRow& trunkRow, int) -> QStringList {
            return {QString::number(trunkRow.id), Text(Modes().Cell(trunkRow.mode)),
                    Text(trunkRow.memberList)};
        },
        [this](int) {
            // The picked trunk now stands for what the switch holds.
            if (m_picked) {
                if (const TrunkRow* read = m_cMib.RowOf(m_picked->id)) {
                    m_picked = *read;
                }
            }
        });
    UpdateWidgets();
}

void CTrunkDlg::SelectRow(int row) {
    const TrunkRow* picked = m_cMib.TrunkWalk().RowAt(row);
    if (picked == nullptr) {
        return;
    }
    m_picked = *picked;
    m_pTrunkIdEdit->setText(QString::number(m_picked->id));
    kit::SelectValue(*m_pModeCombo, m_picked->mode);
}

std::optional<int> CTrunkDlg::PickedTrunk() const {
    if (m_pTrunkIdEdit->text().isEmpty() || !m_picked) {
        return std::nullopt;
    }
    return m_picked->id;
}

void CTrunkDlg::Apply() {
    ModeInput input;
    input.enableChecked = m_pEnableCheck->isChecked();
    input.trunkId = PickedTrunk();
    input.chosenMode = kit::ComboValue(*m_pModeCombo).value_or(kModeDisable);
    if (m_picked) {
        input.rowMode = m_picked->mode;
        input.rowMemberCount = MemberCount(m_picked->members);
    }
    const ApplyPlan plan = PlanMode(input);
    if (ShowRefusal(plan.refusal) || !plan.HasWrites()) {
        return;
    }
    RunPlan(m_cMib.SetSession(), plan);
}

void CTrunkDlg::ApplyState() {
    RunPlan(m_cMib.SetSession(), PlanState(m_pEnableCheck->isChecked()));
}

void CTrunkDlg::EditMembers() {
    const long mode = kit::ComboValue(*m_pModeCombo).value_or(kModeDisable);
    const std::optional<int> trunkId = PickedTrunk();
    if (ShowRefusal(CheckPortMember(mode, trunkId.has_value()))) {
        return;
    }
    CTrunkMemberDlg members(*trunkId, mode, m_picked->members, this);
    if (members.exec() == QDialog::Accepted) {
        m_picked->members = members.Members();
        m_picked->mode = mode;
        Refresh();
    }
}
