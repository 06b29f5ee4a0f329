// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/PoePortDialog.h"

#include "features/common/Repainting.h"

#include "features/common/DialogKit.h"
#include "features/common/FromToPorts.h"
#include "features/common/ReportList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

CPoePortDlg::CPoePortDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("poePortList"));
    m_pList->SetColumns({QStringLiteral("Index"), QStringLiteral("State"),
                         QStringLiteral("Time Range"), QStringLiteral("Priority"),
                         QStringLiteral("Power Limit"), QStringLiteral("Power\n(W)"),
                         QStringLiteral("Voltage\n(V)"), QStringLiteral("Current\n(mA)"),
                         QStringLiteral("Classification"), QStringLiteral("Status")});
    // Two-line headers: as wide as their longer line.
    for (int column = 5; column <= 7; ++column) {
        const QString header = m_pList->headerItem()->text(column);
        int width = 0;
        for (const QString& line : header.split(QLatin1Char('\n'))) {
            width = std::max(width, m_pList->HeaderTextWidth(line));
        }
        m_pList->setColumnWidth(column, width);
    }
    m_pList->setColumnWidth(9, m_pList->HeaderTextWidth(QStringLiteral("Time-based OFF")));
    connect(m_pList, &CReportList::rowSelected, this, [this](int row) { SelectRow(row); });

    auto* settings = kit::Group(this, QStringLiteral("PoE Port Settings"), "poePortSettingsGroup");
    auto* grid = new QGridLayout(settings);
    m_pPorts = new CFromToPorts(settings, poe::kPortChoices);
    kit::AddFormRow(*grid, 0, QStringLiteral("Form Port"), m_pPorts->From());
    kit::AddFormRow(*grid, 0, QStringLiteral("To Port"), m_pPorts->To(), 1);
    m_pState = kit::Combo(settings, "stateCombo", poe::PortState());
    kit::AddFormRow(*grid, 0, QStringLiteral("State"), m_pState, 2);
    m_pTimeRange = kit::Combo(settings, "timeRangeCombo", {QStringLiteral("N/A")});
    m_pTimeRange->setItemData(0, 0);
    kit::AddFormRow(*grid, 0, QStringLiteral("Time Range"), m_pTimeRange, 3);
    m_pPriority = kit::Combo(settings, "priorityCombo", poe::Priority());
    kit::SelectValue(*m_pPriority, 2);
    kit::AddFormRow(*grid, 1, QStringLiteral("Priority"), m_pPriority);
    m_pPowerLimit = kit::Combo(settings, "powerLimitCombo", poe::ClassLimit());
    kit::AddFormRow(*grid, 1, QStringLiteral("Power Limit"), m_pPowerLimit, 1);
    m_pUserDefine = new QCheckBox(QStringLiteral("User Define"), settings);
    m_pUserDefine->setObjectName(QStringLiteral("userDefineCheck"));
    grid->addWidget(m_pUserDefine, 1, 4);
    m_pWatts = kit::Edit(settings, "wattsEdit", false, 8);
    FocusFor(poe::kUserLimitField, m_pWatts);
    grid->addWidget(m_pWatts, 1, 5);
    grid->addWidget(new QLabel(QStringLiteral("(1~30w) "), settings), 1, 6);
    connect(m_pUserDefine, &QCheckBox::toggled, this, &CPoePortDlg::UserDefineToggled);
    UserDefineToggled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addWidget(settings);
    layout->addLayout(kit::ButtonRow({RefreshButton(), ApplyButton(), CloseButton()}));
    int width = m_pList->ColumnsWidth();
    resize(std::max(width + 60, 720), 560);
}

void CPoePortDlg::UserDefineToggled(bool on) {
    m_pWatts->setEnabled(on);
    m_pPowerLimit->setEnabled(!on);
}

void CPoePortDlg::Refresh() {
    m_pList->RemoveAllRows();
    auto& ranges = m_cMib.RangeWalk();
    Watch(ranges);
    Watch(m_cMib.PortWalk());
    ranges.OnFinished(this, [this](int) { RangesRead(); });
    ranges.Start();
}

// The time range names are known: offer them, then read the ports.
void CPoePortDlg::RangesRead() {
    const std::optional<long> chosen = kit::ComboValue(*m_pTimeRange);
    m_pTimeRange->clear();
    m_pTimeRange->addItem(QStringLiteral("N/A"), 0);
    for (const poe::TimeRangeName& range : m_cMib.RangeWalk().Rows()) {
        m_pTimeRange->addItem(Text(range.name), static_cast<qlonglong>(range.index));
    }
    // The range picked before stays picked while the switch still has it.
    const int stillListed =
        chosen ? m_pTimeRange->findData(QVariant::fromValue(static_cast<qlonglong>(*chosen))) : -1;
    m_pTimeRange->setCurrentIndex(std::max(stillListed, 0));
    WalkIntoList(m_cMib.PortWalk(), *m_pList,
                 [this](const poe::PortRow& port, int index) { return PortCells(port, index); });
}

QStringList CPoePortDlg::PortCells(const poe::PortRow& port, int index) const {
    return {QString::number(index + 1),
            Text(poe::PortState().Cell(port.state)),
            Text(poe::TimeRangeCell(port.timeRange, m_cMib.RangeWalk().Rows())),
            Text(poe::Priority().Cell(port.priority)),
            Text(poe::PowerLimitCell(port)),
            Text(port.power),
            Text(port.voltage),
            Text(port.current),
            Text(port.classification),
            Text(port.status)};
}

void CPoePortDlg::SelectRow(int row) {
    const poe::PortRow* picked = m_cMib.PortWalk().RowAt(row);
    if (picked == nullptr) {
        return;
    }
    const poe::PortRow& port = *picked;
    // A row whose index holds no port number stands for the port of its place in the table.
    m_pPorts->SelectPort(port.port.value_or(row + 1));
    // Each value as the switch reports it, one no list knows as its number.
    for (const auto& [combo, value] :
         {std::pair{m_pState, port.state}, std::pair{m_pTimeRange, port.timeRange},
          std::pair{m_pPriority, port.priority}}) {
        if (value) {
            kit::SelectValue(*combo, *value);
        }
    }
    // A user-defined limit shows as the watts it holds; a class limit as its class.
    kit::ShowState(*m_pUserDefine, port.limitKind);
    if (port.limitKind == 1L) {
        m_pWatts->setText(Text(port.userLimit));
    } else if (port.classLimit) {
        kit::SelectValue(*m_pPowerLimit, *port.classLimit);
    }
}

void CPoePortDlg::Apply() {
    const int from = m_pPorts->FromPort();
    const int to = m_pPorts->ToPort();
    poe::PortSettings settings;
    settings.state = kit::ComboValue(*m_pState).value_or(1);
    settings.timeRange = kit::ComboValue(*m_pTimeRange).value_or(0);
    settings.priority = kit::ComboValue(*m_pPriority).value_or(2);
    settings.limitKind = kit::StateValue(*m_pUserDefine);
    settings.classLimit = kit::ComboValue(*m_pPowerLimit).value_or(1);
    settings.watts = m_pWatts->text().toStdString();
    RunPlan(m_cMib.SetSession(), poe::PlanPorts(from, to, settings));
}
