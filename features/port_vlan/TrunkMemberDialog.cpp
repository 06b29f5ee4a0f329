// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/TrunkMemberDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/Messages.h"
#include "features/common/PortGrid.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace trunk;

namespace {

constexpr int kMargin = 10;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kTrunkGroupHeight = 56;
constexpr int kBulkLineHeight = 32;

QLabel* Label(QWidget* parent, const QString& text, const char* objectName) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    return label;
}

} // namespace

CTrunkMemberDlg::CTrunkMemberDlg(int trunkId, long mode, const PortFlags& members, QWidget* parent)
    : CResizableDialog(parent),
      m_cAdmission(AddData<CTrunkAdmission>(std::max(0, DeviceValues().DevicePortCount))),
      m_nTrunkId(trunkId), m_nMode(mode), m_nPortCount(std::max(0, DeviceValues().DevicePortCount)),
      m_members(members) {
    setWindowTitle(QStringLiteral("Trunk member"));
    ReportsUnansweredReadsItself(); // "TrunkValid Init Error !"
    BuildControls();
    m_pGrid->SetCheckedPorts(m_members);
    Watch(m_cAdmission.Walk());
    SetAnchors({{QStringLiteral("okButton"), kAnchorMoveBoth},
                {QStringLiteral("cancelButton"), kAnchorMoveBoth},
                {QStringLiteral("portMemberGroup"), kAnchorGrowBoth},
                {QStringLiteral("trunkGroup"), kAnchorGrowWidth},
                {QStringLiteral("modeLabel"), kAnchorMoveRight},
                {QStringLiteral("modeEdit"), kAnchorMoveRight}});
}

CTrunkMemberDlg::~CTrunkMemberDlg() = default;

QSize CTrunkMemberDlg::SizeFor(int portCount) {
    switch (portCount) {
    case 10:
        return {520, 275};
    case 16:
        return {447, 275};
    case 20:
        return {550, 255};
    case 24:
        return {550, 275};
    case 28:
        return {580, 275};
    case 48:
        return {520, 330};
    case 52:
        return {560, 330};
    default:
        return portCount > 28 ? QSize(560, 330) : QSize(580, 275);
    }
}

// Controls stand where they were drawn; the anchors move them as the window grows.
void CTrunkMemberDlg::BuildControls() {
    // The drawn size, and one line more for the range entry under the grid.
    const QSize size = SizeFor(m_nPortCount) + QSize(0, kBulkLineHeight);
    const int width = size.width();
    const int height = size.height();
    const int groupWidth = width - 2 * kMargin;

    auto* trunkGroup = kit::Group(this, QStringLiteral("Trunk"), "trunkGroup");
    trunkGroup->setGeometry(kMargin, 6, groupWidth, kTrunkGroupHeight);
    auto* idLabel = Label(this, QStringLiteral("Trunk ID:"), "trunkIdLabel");
    idLabel->setGeometry(2 * kMargin, 30, 70, 22);
    auto* idEdit = kit::Edit(this, "trunkIdEdit", /*readOnly=*/true);
    idEdit->setGeometry(2 * kMargin + 72, 30, 60, 22);
    idEdit->setText(QString::number(m_nTrunkId));
    auto* modeEdit = kit::Edit(this, "modeEdit", /*readOnly=*/true);
    modeEdit->setGeometry(width - 2 * kMargin - 90, 30, 90, 22);
    modeEdit->setText(QString::fromStdString(Modes().Cell(m_nMode)));
    auto* modeLabel = Label(this, QStringLiteral("PortChannelMode:"), "modeLabel");
    modeLabel->setGeometry(width - 2 * kMargin - 90 - 120, 30, 116, 22);
    modeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    idLabel->setBuddy(idEdit);
    modeLabel->setBuddy(modeEdit);

    const int gridTop = 6 + kTrunkGroupHeight + 8;
    const int buttonTop = height - kMargin - kButtonHeight;
    auto* memberGroup = kit::Group(this, QStringLiteral("Port Member"), "portMemberGroup");
    memberGroup->setGeometry(kMargin, gridTop, groupWidth, buttonTop - 8 - gridTop);
    m_pGrid = new CPortGrid(m_nPortCount, memberGroup);
    m_pGrid->setObjectName(QStringLiteral("portGrid"));
    // The port to blame takes the focus, else the first port that takes input.
    FocusFor(kMembersField, [this](int port) -> QWidget* {
        QAbstractButton* button = m_pGrid->Button(port);
        return button != nullptr && button->isEnabled() ? button : m_pGrid->FirstEnabledButton();
    });
    auto* gridLayout = new QVBoxLayout(memberGroup);
    gridLayout->setContentsMargins(6, 4, 6, 4);
    gridLayout->addStretch(1);
    gridLayout->addWidget(m_pGrid, 0, Qt::AlignHCenter);
    gridLayout->addWidget(m_pGrid->MakeBulkControls(memberGroup));
    gridLayout->addStretch(1);

    m_pOkButton = new QPushButton(QStringLiteral("OK"), this);
    m_pOkButton->setObjectName(QStringLiteral("okButton"));
    m_pOkButton->setDefault(true);
    m_pOkButton->setGeometry(width - 2 * (kButtonWidth + kMargin), buttonTop, kButtonWidth,
                             kButtonHeight);
    connect(m_pOkButton, &QPushButton::clicked, this, [this] { Apply(); });
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setGeometry(width - kButtonWidth - kMargin, buttonTop, kButtonWidth, kButtonHeight);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (QAbstractButton* first = m_pGrid->Button(1)) {
        first->setFocus();
    }
    setTabOrder(m_pGrid, m_pOkButton);
    setTabOrder(m_pOkButton, cancel);
    resize(size);
    move(200, 200);
}

void CTrunkMemberDlg::EnableControls() {
    CResizableDialog::EnableControls();
    m_pOkButton->setEnabled(!IsBusy());
}

void CTrunkMemberDlg::Refresh() {
    StartRead(/*announceFailure=*/true);
}

void CTrunkMemberDlg::StartRead(bool announceFailure) {
    SetReading(true);
    m_cAdmission.StartRead([this, announceFailure](bool complete) {
        SetReading(false);
        if (!complete && announceFailure) {
            ShowOk(QStringLiteral("TrunkValid Init Error !"));
        }
    });
}

void CTrunkMemberDlg::Apply() {
    // Without the admission data no rule can be checked: refuse, and read once more.
    if (!m_cAdmission.IsRead()) {
        ShowOk(QStringLiteral("TrunkValid Init Error !"));
        StartRead(/*announceFailure=*/false);
        return;
    }
    const PortFlags candidate = m_pGrid->CheckedPorts();
    const auto refusal = CheckMembers(m_cAdmission.Data(), candidate, m_nTrunkId,
                                      [this] { return m_cAdmission.ReadGlobals(); });
    if (ShowRefusal(refusal)) {
        return;
    }
    if (SendSet(m_cAdmission.SetSession(), MembersRequest(m_nTrunkId, candidate, m_nMode)).Ok()) {
        m_members = candidate;
        accept();
    }
}
