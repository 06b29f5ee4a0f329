// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/PortConfigDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/Repainting.h"
#include "features/common/ReportList.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace portconfig;

namespace {

// The dialog's size on a screen of 96 dpi (its layout was drawn in dialog units).
constexpr int kDialogWidth = 630;
constexpr int kDialogHeight = 369;
// The list's margins, frame and vertical scroll bar, and the group box around it.
constexpr int kListFrameWidth = 64;

QStringList Cells(const std::vector<std::string>& texts) {
    QStringList cells;
    for (const std::string& text : texts) {
        cells.append(QString::fromStdString(text));
    }
    return cells;
}

} // namespace

CPortConfigDlg::CPortConfigDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    BuildControls();
    Watch(m_cMib.TrunkWalk());
    Watch(m_cMib.PortWalk());
    NeedsReading([this] { return m_cMib.TrunksRead(); });
}

void CPortConfigDlg::BuildControls() {
    auto* information =
        kit::Group(this, QStringLiteral("Port Information"), "portInformationGroup");
    m_pPortList = new CReportList(information);
    m_pPortList->setObjectName(QStringLiteral("portList"));
    m_pPortList->SetColumns({QStringLiteral("Index "), QStringLiteral("PortControlSpeed "),
                             QStringLiteral("OperMode  "), QStringLiteral("FlowControlMode  "),
                             QStringLiteral("DefaultPriority  "),
                             QStringLiteral("OperFlowControlMode  ")});
    connect(m_pPortList, &CReportList::rowSelected, this, [this](int row) { PickRow(row); });
    (new QVBoxLayout(information))->addWidget(m_pPortList);

    auto* configuration =
        kit::Group(this, QStringLiteral("Port Configuration"), "portConfigurationGroup");
    m_pPortIdEdit = kit::Edit(configuration, "portIdEdit", /*readOnly=*/true);
    m_pSpeedCombo = kit::Combo(configuration, "speedCombo", Speeds());
    m_pFlowControlCombo = kit::Combo(configuration, "flowControlCombo", FlowControls());
    FocusFor(kSpeedField, m_pSpeedCombo);
    FocusFor(kFlowControlField, m_pFlowControlCombo);
    auto* fields = new QGridLayout(configuration);
    kit::AddFormRow(*fields, 0, QStringLiteral("Port ID:"), m_pPortIdEdit, 0);
    kit::AddFormRow(*fields, 0, QStringLiteral("PortControlSpeed:"), m_pSpeedCombo, 1);
    kit::AddFormRow(*fields, 0, QStringLiteral("FlowControlMode:"), m_pFlowControlCombo, 2);

    RefreshButton()->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(information, 1);
    layout->addWidget(configuration);
    layout->addLayout(kit::ButtonRow({RefreshButton(), ApplyButton(), CloseButton()}));
    // Wide enough for every column where the font is wider than the one it was drawn with.
    int columnsWidth = m_pPortList->ColumnsWidth();
    resize(std::max(kDialogWidth, columnsWidth + kListFrameWidth), kDialogHeight);
}

void CPortConfigDlg::Refresh() {
    m_pPortList->RemoveAllRows();
    m_cMib.StartRead([this](const PortRow& row) { ShowRow(row); });
}

void CPortConfigDlg::ShowRow(const PortRow& row) {
    const PortTable& table = m_cMib.Table();
    m_pPortList->AddRow(Cells(portconfig::RowCells(row, table.portCount, table.allGiga)));
}

void CPortConfigDlg::PickRow(int row) {
    const PortRow* picked = m_cMib.Table().RowOf(row + 1);
    if (picked == nullptr) {
        return;
    }
    m_nPickedPort = picked->port;
    m_pPortIdEdit->setText(QString::number(picked->port));
    // Each as the switch reports it: a value no list knows shows as its number.
    kit::SelectValue(*m_pSpeedCombo,
                     picked->speed.value_or(Speeds().Known(std::nullopt).value_or(kSpeedAuto)));
    kit::SelectValue(*m_pFlowControlCombo, picked->flowControl.value_or(kFlowDisabled));
}

void CPortConfigDlg::Apply() {
    const PortChoice choice{m_nPickedPort, kit::ComboValue(*m_pSpeedCombo).value_or(kSpeed1000Full),
                            kit::ComboValue(*m_pFlowControlCombo).value_or(kFlowDisabled)};
    const std::optional<RequestStatus> status =
        WritePlan(m_cMib.SetSession(), m_cMib.PlanApply(choice));
    if (!status) {
        return;
    }
    if (!status->Ok()) {
        kit::PauseRepainting(kRetryDelayMs); // the port may still be changing its link
    }
    ReadAfresh();
}
