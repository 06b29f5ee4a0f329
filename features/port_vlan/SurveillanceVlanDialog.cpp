// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/SurveillanceVlanDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/Messages.h"
#include "features/common/NumberEdit.h"
#include "features/common/ReportList.h"
#include "snmp/TextConversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kMacLength = 17;
constexpr int kOuiLength = 8;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* Button(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CSurveillanceVlanDlg::CSurveillanceVlanDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    auto* global =
        kit::Group(this, QStringLiteral("Auto Surveillance VLAN Global Settings"), "globalGroup");
    BuildGlobalGroup(global);
    auto* devices = kit::Group(this, QStringLiteral("User-defined MAC Settings "), "deviceGroup");
    BuildDeviceGroup(devices);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(global);
    layout->addWidget(devices, 1);
    layout->addLayout(kit::ButtonRow({m_pDeleteButton, RefreshButton(), CloseButton()}));
    resize(720, 520);
    WritingButton(m_pAddButton);
    WritingButton(m_pDeleteButton);
    NeedsTrunks(m_cMib.TrunkInfo());
    NeedsVlans(m_cMib.TrunkInfo());
    NeedsReading([this] { return m_cMib.ContextRead(); });
    UpdateWidgets();
}

void CSurveillanceVlanDlg::BuildGlobalGroup(QWidget* group) {
    m_pEnableCheck = new QCheckBox(QStringLiteral("&Enable Auto Surveillance VLAN"), group);
    m_pEnableCheck->setObjectName(QStringLiteral("enableCheck"));
    connect(m_pEnableCheck, &QCheckBox::toggled, this, [this] { UpdateWidgets(); });
    m_pVlanIdEdit = new CNumberEdit(group, 4);
    m_pVlanIdEdit->setObjectName(QStringLiteral("vlanIdEdit"));
    m_pPriorityCombo = kit::Combo(group, "priorityCombo", CSurveillanceMib::Priorities());
    m_pPortsEdit = kit::Edit(group, "portsEdit");
    auto* grid = new QGridLayout(group);
    grid->addWidget(m_pEnableCheck, 0, 0, 1, 4);
    kit::AddFormRow(*grid, 1, QStringLiteral("&Vlan ID"), m_pVlanIdEdit, 0);
    kit::AddFormRow(*grid, 1, QStringLiteral("&Priority"), m_pPriorityCombo, 1);
    kit::AddFormRow(*grid, 2, QStringLiteral("&Tagged Uplink/Downlink Port"), m_pPortsEdit, 0);
    grid->addWidget(new QLabel(QStringLiteral("ex:(1,2,4-6)"), group), 2, 2);
    grid->addWidget(ApplyButton(), 2, 3, Qt::AlignRight);
}

void CSurveillanceVlanDlg::BuildDeviceGroup(QWidget* group) {
    auto* intro = new QLabel(QStringLiteral("To add more device(s) for Auto Surveillance VLAN by "
                                            "user-defined configuration as below "),
                             group);
    intro->setWordWrap(true);
    m_pTypeCombo = kit::Combo(group, "typeCombo", CSurveillanceMib::ComponentTypes());
    m_pDescriptionEdit = kit::Edit(group, "descriptionEdit", false, 20);
    m_pKindCombo = kit::Combo(group, "kindCombo", CSurveillanceMib::MatchKinds());
    m_pAddressEdit = kit::Edit(group, "addressEdit", false, kMacLength);
    FocusFor(CSurveillanceMib::kVlanIdField, m_pVlanIdEdit);
    FocusFor(CSurveillanceMib::kPortsField, m_pPortsEdit);
    FocusFor(CSurveillanceMib::kDescriptionField, m_pDescriptionEdit);
    FocusFor(CSurveillanceMib::kAddressField, m_pAddressEdit);
    connect(m_pKindCombo, &QComboBox::currentIndexChanged, this, [this] { KindChanged(); });
    m_pAddButton = Button(group, QStringLiteral("&Add"), "addButton");
    connect(m_pAddButton, &QPushButton::clicked, this, [this] { AddDevice(); });
    m_pDeleteButton = Button(this, QStringLiteral("&Delete"), "deleteButton");
    connect(m_pDeleteButton, &QPushButton::clicked, this, [this] { DeleteDevice(); });

    m_pDeviceList = new CReportList(group);
    m_pDeviceList->setObjectName(QStringLiteral("deviceList"));
    m_pDeviceList->SetColumns({{QStringLiteral("ID"), 50},
                               {QStringLiteral("Component Type"), 200},
                               {QStringLiteral("Description"), 200},
                               {QStringLiteral("MAC Address"), 200}});
    connect(m_pDeviceList, &CReportList::rowSelected, this,
            [this](int row) { m_pickedDevice = row; });

    auto* grid = new QGridLayout;
    kit::AddFormRow(*grid, 0, QStringLiteral("Component &Type "), m_pTypeCombo, 0);
    kit::AddFormRow(*grid, 0, QStringLiteral("Descriptio&n"), m_pDescriptionEdit, 1);
    grid->addWidget(m_pKindCombo, 1, 0);
    grid->addWidget(m_pAddressEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("(XX-XX-XX-XX-XX-XX)"), group), 1, 2);
    grid->addWidget(m_pAddButton, 1, 3, Qt::AlignRight);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(intro);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(
        QStringLiteral("Note : Maximum number of user-defined MAC is 5 entries"), group));
    layout->addWidget(m_pDeviceList, 1);
}

void CSurveillanceVlanDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool enabled = m_pEnableCheck->isChecked();
    for (QWidget* field :
         {static_cast<QWidget*>(m_pVlanIdEdit), static_cast<QWidget*>(m_pPriorityCombo),
          static_cast<QWidget*>(m_pPortsEdit)}) {
        field->setEnabled(enabled);
    }
    m_pAddButton->setEnabled(CanWrite());
    m_pDeleteButton->setEnabled(CanWrite());
}

void CSurveillanceVlanDlg::KindChanged() {
    m_pAddressEdit->clear();
    m_pAddressEdit->setMaxLength(
        kit::ComboValue(*m_pKindCombo) == CSurveillanceMib::kKindOui ? kOuiLength : kMacLength);
}

void CSurveillanceVlanDlg::ShowGlobal() {
    const CSurveillanceMib::Global& global = m_cMib.CurrentGlobal();
    kit::ShowState(*m_pEnableCheck, global.state);
    if (global.vlanId) {
        m_pVlanIdEdit->SetNumber(*global.vlanId);
    }
    if (global.priority) {
        kit::SelectValue(*m_pPriorityCombo, *global.priority);
    }
    m_pPortsEdit->setText(
        Text(PortBitsToRanges(global.taggedPorts, 1, DeviceValues().DevicePortCount).text));
}

void CSurveillanceVlanDlg::Refresh() {
    SetReading(true);
    m_cMib.ReadContext();
    if (m_cMib.ReadGlobal()) {
        ShowGlobal();
    }
    SetReading(false);
    m_cMib.TrunkInfo().StartTrunkWalk();
    m_cMib.TrunkInfo().StartVlanWalk();
    Watch(m_cMib.VoiceOuiWalk());
    m_cMib.StartVoiceOuiRead();
    m_pickedDevice = -1;
    WalkIntoList(m_cMib.DeviceWalk(), *m_pDeviceList,
                 [](const CSurveillanceMib::Device& device, int index) {
                     return QStringList{QString::number(index + 1),
                                        Text(CSurveillanceMib::ComponentTypes().Cell(device.type)),
                                        Utf8ToText(device.description), Text(device.address)};
                 });
}

void CSurveillanceVlanDlg::Apply() {
    CSurveillanceMib::GlobalInput input;
    input.state = kit::StateValue(*m_pEnableCheck);
    input.vlanId = m_pVlanIdEdit->Number();
    input.priority = kit::ComboValue(*m_pPriorityCombo).value_or(0);
    input.ports = m_pPortsEdit->text().toStdString();
    const ApplyPlan plan = m_cMib.PlanGlobal(input, m_cMib.TrunkInfo().VlanIds());
    if (ShowRefusal(plan.refusal)) {
        return;
    }
    if (!AskAll(plan.questions)) {
        Refresh();
        return;
    }
    if (m_cMib.ShowsPoeNotice(input)) {
        ShowInformation(QStringLiteral(
            "Switch will automatically turn on PoE function to all the member ports of "
            "surveillance VLAN, \nplease ensure all the member ports of surveillance VLAN "
            "connected to PoE power devices."));
    }
    ApplyPlan asked = plan;
    asked.questions.clear();
    RunPlan(m_cMib.SetSession(), asked);
}

void CSurveillanceVlanDlg::AddDevice() {
    CSurveillanceMib::DeviceInput input;
    input.type = kit::ComboValue(*m_pTypeCombo).value_or(0);
    input.description = m_pDescriptionEdit->text();
    input.kind = kit::ComboValue(*m_pKindCombo).value_or(CSurveillanceMib::kKindMac);
    input.address = m_pAddressEdit->text().toStdString();
    const auto status = RunPlan(m_cMib.SetSession(), m_cMib.PlanAdd(input));
    if (!status || !status->Ok()) {
        return; // what was typed stays
    }
    m_pDescriptionEdit->clear();
    m_pAddressEdit->clear();
}

void CSurveillanceVlanDlg::DeleteDevice() {
    const CSurveillanceMib::Device* picked = m_cMib.DeviceWalk().RowAt(m_pickedDevice);
    if (ShowRefusal(m_cMib.DeleteRefusal(picked))) {
        return;
    }
    RunPlan(m_cMib.SetSession(), m_cMib.PlanDelete(*picked));
}
