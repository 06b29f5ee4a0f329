// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/PortConfigDialog.h"

#include "features/common/ReportList.h"
#include "features/port_vlan/PortConfigMib.h"
#include "snmp/SessionParameters.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>

using namespace portconfig;

namespace {

// The dialog's size on a screen of 96 dpi (its layout was drawn in dialog units).
constexpr int kDialogWidth = 630;
constexpr int kDialogHeight = 369;
// The list's margins, frame and vertical scroll bar, and the group box around it.
constexpr int kListFrameWidth = 64;

enum PortListColumn : int {
    kColumnIndex = 0,
    kColumnSpeed = 1,
    kColumnOperMode = 2,
    kColumnFlowControl = 3,
    kColumnDefaultPriority = 4,
    kColumnOperFlowControl = 5,
};

// Values of a port table row, in the order of PortTableColumns().
enum PortRowValue : std::size_t {
    kValueSpeed = 0,
    kValueOperMode = 1,
    kValueFlowControl = 2,
    kValueDefaultPriority = 3,
    kValueOperFlowControl = 4,
    kValueMediaType = 5,
};

const QString kSpeedDisableText = QStringLiteral("Disable");

int NumberOf(std::string_view text) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return (error == std::errc() && stop == end) ? number : 0;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QComboBox* MakeCombo(QWidget* parent, const char* objectName,
                     const std::vector<std::string>& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    for (const std::string& item : items) {
        combo->addItem(Text(item));
    }
    combo->setCurrentIndex(0);
    return combo;
}

QString ForcedSpeedQuestion() {
    return QStringLiteral("The speed is set to force mode. \n"
                          "* The speed mode must be the same as the counterpart. ");
}

QString FlowControlQuestion() {
    return QStringLiteral(
        "QoS works best when Flow Control is disabled. \n"
        "* When Flow Control is enabled.QoS may not perform accurate bandwidth allocation. \n"
        "* Do you still want to enable Flow Control?. ");
}

} // namespace

CPortConfigDlg::CPortConfigDlg(QWidget* parent)
    : CFeatureDialog(parent),
      m_cPortWalk(m_cCommonSNMPTable, PortTableColumns(), kPortWalkStepTimeoutMs),
      m_cTrunkWalk(m_cCommonSNMPTrunk, {TrunkMemberColumn()}, kPortWalkStepTimeoutMs),
      m_nPortCount(std::max(0, DeviceValues().DevicePortCount)) {
    setWindowTitle(QStringLiteral("Port Configuration"));
    BuildControls();
    m_TrunkPorts.assign(static_cast<std::size_t>(m_nPortCount), 0);
    m_MediaTypes.assign(static_cast<std::size_t>(m_nPortCount), 0);
    m_cTrunkWalk.OnRow([this](const SnmpRow& row) { AddTrunkRow(row); });
    m_cTrunkWalk.OnFinished([this](int) { StartPortWalk(); });
}

CPortConfigDlg::~CPortConfigDlg() = default;

void CPortConfigDlg::BuildControls() {
    auto* information = new QGroupBox(QStringLiteral("Port Information"), this);
    information->setObjectName(QStringLiteral("portInformationGroup"));
    m_pPortList = new CReportList(information);
    m_pPortList->setObjectName(QStringLiteral("portList"));
    m_pPortList->SetColumns({QStringLiteral("Index "), QStringLiteral("PortControlSpeed "),
                             QStringLiteral("OperMode  "), QStringLiteral("FlowControlMode  "),
                             QStringLiteral("DefaultPriority  "),
                             QStringLiteral("OperFlowControlMode  ")});
    connect(m_pPortList, &CReportList::rowSelected, this, [this](int row) { SelectRow(row); });
    auto* informationLayout = new QVBoxLayout(information);
    informationLayout->addWidget(m_pPortList);

    auto* configuration = new QGroupBox(QStringLiteral("Port Configuration"), this);
    configuration->setObjectName(QStringLiteral("portConfigurationGroup"));
    m_pPortIdEdit = new QLineEdit(configuration);
    m_pPortIdEdit->setObjectName(QStringLiteral("portIdEdit"));
    m_pPortIdEdit->setReadOnly(true);
    m_pSpeedCombo = MakeCombo(configuration, "speedCombo", SpeedComboItems());
    m_pFlowControlCombo = MakeCombo(configuration, "flowControlCombo", FlowControlComboItems());
    auto* fields = new QGridLayout(configuration);
    fields->addWidget(new QLabel(QStringLiteral("Port ID:"), configuration), 0, 0);
    fields->addWidget(m_pPortIdEdit, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("PortControlSpeed:"), configuration), 0, 2);
    fields->addWidget(m_pSpeedCombo, 0, 3);
    fields->addWidget(new QLabel(QStringLiteral("FlowControlMode:"), configuration), 0, 4);
    fields->addWidget(m_pFlowControlCombo, 0, 5);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    fields->setColumnStretch(5, 1);

    RefreshButton()->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(RefreshButton());
    buttons->addWidget(ApplyButton());
    buttons->addWidget(CloseButton());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(information, 1);
    layout->addWidget(configuration);
    layout->addLayout(buttons);
    // Wide enough for every column where the font is wider than the one it was drawn with.
    int columnsWidth = 0;
    for (int column = 0; column < m_pPortList->columnCount(); ++column) {
        columnsWidth += m_pPortList->columnWidth(column);
    }
    resize(std::max(kDialogWidth, columnsWidth + kListFrameWidth), kDialogHeight);
}

void CPortConfigDlg::Refresh() {
    std::fill(m_TrunkPorts.begin(), m_TrunkPorts.end(), 0);
    std::fill(m_MediaTypes.begin(), m_MediaTypes.end(), 0);
    m_nDisableCount = 0;
    m_pPortList->RemoveAllRows();
    Watch(m_cTrunkWalk);
    m_cTrunkWalk.Start();
}

void CPortConfigDlg::AddTrunkRow(const SnmpRow& row) {
    const int group = NumberOf(row.suffix);
    if (group > 0) {
        PortListToFlags(PortBitsToList(row.Value(0), m_nPortCount).text, m_TrunkPorts, group,
                        m_nPortCount);
    }
}

// A trunk table that cannot be read leaves every port outside a trunk; the ports are listed
// all the same.
void CPortConfigDlg::StartPortWalk() {
    WalkIntoList(m_cPortWalk, *m_pPortList, [this](const SnmpRow& row, int rowNumber) {
        return PortRowCells(row, rowNumber);
    });
}

QStringList CPortConfigDlg::PortRowCells(const SnmpRow& row, int rowNumber) {
    const int port = rowNumber + 1;
    const std::string& speed = row.Value(kValueSpeed);
    if (speed == "7") {
        ++m_nDisableCount;
    }
    const int media = NumberOf(row.Value(kValueMediaType));
    if (rowNumber < m_nPortCount) {
        m_MediaTypes[static_cast<std::size_t>(rowNumber)] = media;
    }
    return {QString::number(port),
            Text(SpeedText(speed)),
            Text(OperModeCell(row.Value(kValueOperMode), port, media, m_nPortCount,
                              DeviceValues().IsAllGiga)),
            Text(FlowControlText(row.Value(kValueFlowControl))),
            Text(DefaultPriorityText(row.Value(kValueDefaultPriority))),
            Text(OperFlowControlText(row.Value(kValueOperFlowControl)))};
}

void CPortConfigDlg::SelectRow(int row) {
    if (row < 0 || row >= m_pPortList->RowCount()) {
        return;
    }
    m_strPortId = m_pPortList->Cell(row, kColumnIndex);
    m_strSpeed = m_pPortList->Cell(row, kColumnSpeed);
    m_strFlowControl = m_pPortList->Cell(row, kColumnFlowControl);
    m_pPortIdEdit->setText(m_strPortId);
    m_pSpeedCombo->setCurrentIndex(SpeedIndexOfText(m_strSpeed.toStdString()));
    m_pFlowControlCombo->setCurrentIndex(FlowIndexOfText(m_strFlowControl.toStdString()));
}

int CPortConfigDlg::TrunkGroupOf(int port) const {
    return port >= 1 && port <= m_nPortCount ? m_TrunkPorts[static_cast<std::size_t>(port - 1)] : 0;
}

int CPortConfigDlg::MediaTypeOf(int port) const {
    return port >= 1 && port <= m_nPortCount ? m_MediaTypes[static_cast<std::size_t>(port - 1)] : 0;
}

// Every other member of the chosen port's trunk shows `text` in `column` (row p-1 lists
// port p); a port outside any trunk passes.
bool CPortConfigDlg::TrunkMembersShow(int column, const QString& text) const {
    const int port = NumberOf(m_pPortIdEdit->text().toStdString());
    const int group = TrunkGroupOf(port);
    if (group == 0) {
        return true;
    }
    for (int other = 1; other <= m_nPortCount; ++other) {
        if (other != port && TrunkGroupOf(other) == group &&
            m_pPortList->Cell(other - 1, column) != text) {
            return false;
        }
    }
    return true;
}

bool CPortConfigDlg::DisablesEveryPort(int speedIndex) const {
    if (speedIndex != kSpeedDisable) {
        return false;
    }
    const int port = NumberOf(m_pPortIdEdit->text().toStdString());
    const bool alreadyDisabled = m_pPortList->Cell(port - 1, kColumnSpeed) == kSpeedDisableText;
    const int othersDisabled = m_nDisableCount - (alreadyDisabled ? 1 : 0);
    return othersDisabled >= m_pPortList->RowCount() - 1;
}

void CPortConfigDlg::Apply() {
    const QString portText = m_pPortIdEdit->text();
    const int port = NumberOf(portText.toStdString());
    const int speedIndex = m_pSpeedCombo->currentIndex();
    const int flowIndex = m_pFlowControlCombo->currentIndex();
    const int media = MediaTypeOf(port);
    const bool inTrunk = TrunkGroupOf(port) != 0;
    const bool allGiga = DeviceValues().IsAllGiga;
    const std::vector<std::pair<std::function<bool()>, QString>> checks = {
        {[&] { return port >= 1; }, QStringLiteral("Please Select one port !")},
        {[&] { return TrunkMembersShow(kColumnSpeed, Text(SpeedTextOfIndex(speedIndex))); },
         QStringLiteral("LA port can not support in different speed.")},
        {[&] {
             return TrunkMembersShow(kColumnFlowControl, Text(FlowControlTextOfIndex(flowIndex)));
         },
         QStringLiteral("LA port can not support in different flow control.")},
        {[&] { return !DisablesEveryPort(speedIndex); },
         QStringLiteral("Sorry, you cannot disable all ports.")},
        {[&] { return !RefusesGigabit(media, speedIndex, allGiga); },
         QStringLiteral("Port ") + portText + QStringLiteral(" can not support 1000M speed.")},
        {[&] { return !FiberRefusesAuto(media, speedIndex); },
         QStringLiteral("Fiber Port ") + portText +
             QStringLiteral(" with 100Base-x SFP Module can not support in Auto mode.")},
        {[&] { return !GigabitFiberRefusesSpeed(media, speedIndex); },
         QStringLiteral("Fiber Port ") + portText +
             QStringLiteral(" with 1000Base-x SFP Module can not support this speed.")},
        {[&] { return !FastFiberRefusesSpeed(media, speedIndex); },
         QStringLiteral("Fiber Port ") + portText +
             QStringLiteral(" with 100Base-x SFP Module can not support this speed.")},
        {[&] { return !(inTrunk && IsHalfDuplex(speedIndex)); },
         QStringLiteral("LA port ") + portText +
             QStringLiteral(" can not support in half-duplex mode.")},
    };
    CheckChain chain;
    for (const auto& [passes, refusal] : checks) {
        chain.Require(passes, refusal.toStdString());
    }
    if (ShowRefusal(chain.FirstRefusal())) {
        return;
    }
    if (IsForcedSpeed(speedIndex) && !Confirm(ForcedSpeedQuestion())) {
        return;
    }
    const std::string flowValue = FlowValueOfIndex(flowIndex);
    if (flowValue == "1" && !Confirm(FlowControlQuestion())) {
        return;
    }

    CSetRequest request;
    if (!inTrunk) { // a trunk member runs at the speed of its trunk
        request.Integer(InstanceOid(SpeedColumn(), port), SpeedValueOfIndex(speedIndex));
    }
    request.Integer(InstanceOid(FlowControlColumn(), port), flowValue);
    if (!SendSet(m_cCommonSNMP, request, kSetTimeoutMs).Ok()) {
        QThread::msleep(kRetryDelayMs);
    }
    Refresh();
}
