// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snmp_agent/SnmpScalarDialog.h"

#include "features/common/Captions.h"
#include "features/common/DialogKit.h"
#include "snmp/SessionParameters.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace snmpagent;

namespace {

// Applies with the wait cursor.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

CSnmpGlobalStateDlg::CSnmpGlobalStateDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(caption::kSnmpGlobalState));
    m_pStateCheck = new QCheckBox(QStringLiteral("Enable SNMP Global "), this);
    m_pStateCheck->setObjectName(QStringLiteral("globalStateCheck"));
    CloseButton()->setText(QStringLiteral("Cancel"));
    CloseButton()->setObjectName(QStringLiteral("cancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pStateCheck);
    layout->addLayout(kit::ButtonRow({ApplyButton(), CloseButton()}));
    // Wide enough for its caption.
    setMinimumWidth(320);
}

void CSnmpGlobalStateDlg::Refresh() {
    SetReading(true);
    const std::optional<long> state = m_cMib.ReadGlobalState();
    SetReading(false);
    if (state) {
        kit::ShowState(*m_pStateCheck, *state);
    }
}

void CSnmpGlobalStateDlg::Apply() {
    WaitCursor wait;
    if (SendSet(m_cMib.SetSession(), PlanGlobalState(kit::StateValue(*m_pStateCheck)).Request())
            .Ok()) {
        Refresh();
    }
}

CSnmpEngineIdDlg::CSnmpEngineIdDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(caption::kSnmpEngineId));
    m_pEngineIdEdit = kit::Edit(this, "engineIdEdit", false, kEngineIdCharacters);
    auto* grid = new QGridLayout;
    kit::AddFormRow(*grid, 0, QStringLiteral("SNMP Engine ID"), m_pEngineIdEdit);
    auto* note = new QLabel(
        QStringLiteral("Note: Engine ID length is 10-64, the accepted character is from 0 to F."),
        this);
    note->setObjectName(QStringLiteral("noteLabel"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addLayout(kit::ButtonRow({ApplyButton(), CloseButton()}));
    resize(520, sizeHint().height());
}

void CSnmpEngineIdDlg::Refresh() {
    SetReading(true);
    const std::optional<std::string> engineId = m_cMib.ReadEngineId();
    SetReading(false);
    if (engineId) {
        m_pEngineIdEdit->setText(QString::fromStdString(*engineId));
    }
}

void CSnmpEngineIdDlg::Apply() {
    WaitCursor wait;
    RunPlan(m_cMib.SetSession(), PlanEngineId(m_pEngineIdEdit->text()));
}

CSnmpTrapDlg::CSnmpTrapDlg(QWidget* parent)
    : CFeatureDialog(parent), m_bPoe(IsPoeModel(DeviceValues().ModelName)) {
    setWindowTitle(QString::fromLatin1(caption::kSnmpTrap));
    auto* group = kit::Group(this, QStringLiteral("Trap Settings"), "trapGroup");
    auto* boxes = new QVBoxLayout(group);
    const char* texts[] = {"SNMP Authentication Traps", "Device Bootup",
                           "Port Link Up / Link Down",  "RSTP Port State Change",
                           "Firmware Upgrade State",    "PoE Power On / Off",
                           "PoE Power Error ",          "PoE over max power budget"};
    int number = 0;
    for (const char* text : texts) {
        auto* check = new QCheckBox(QString::fromLatin1(text), group);
        check->setObjectName(QStringLiteral("trapCheck%1").arg(++number));
        boxes->addWidget(check);
        m_checks.push_back(check);
        check->setVisible(number <= SwitchCount());
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(kit::ButtonRow({ApplyButton(), CloseButton()}));
}

int CSnmpTrapDlg::SwitchCount() const {
    return m_bPoe ? kPoeTrapSwitches : kTrapSwitches;
}

void CSnmpTrapDlg::Refresh() {
    SetReading(true);
    const auto values = m_cMib.ReadTraps(SwitchCount());
    SetReading(false);
    if (!values) {
        return;
    }
    for (std::size_t i = 0; i < values->size() && i < m_checks.size(); ++i) {
        kit::ShowState(*m_checks[i], IntegerOf((*values)[i]));
    }
}

void CSnmpTrapDlg::Apply() {
    WaitCursor wait;
    std::vector<long> states;
    for (int i = 0; i < SwitchCount(); ++i) {
        states.push_back(kit::StateValue(*m_checks[static_cast<std::size_t>(i)]));
    }
    SendSet(m_cMib.SetSession(), PlanTraps(states).Request());
}
