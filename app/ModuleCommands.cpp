// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/ModuleCommands.h"

#include "app/AboutDialog.h"
#include "app/ModuleWindow.h"
#include "features/common/Captions.h"
#include "features/l2/BandwidthDialog.h"
#include "features/l2/IgmpSnoopingDialog.h"
#include "features/l2/JumboFrameDialog.h"
#include "features/l2/MirrorDialog.h"
#include "features/l2/MulticastFilterDialog.h"
#include "features/l2/SegmentationDialog.h"
#include "features/l2/SpanningTreeBridgeDialog.h"
#include "features/l2/StormControlDialog.h"
#include "features/maintenance/DeviceToolsDialog.h"
#include "features/maintenance/ForwardingTableDialog.h"
#include "features/maintenance/InterfaceTableDialog.h"
#include "features/maintenance/IpTableDialog.h"
#include "features/maintenance/SyslogDialog.h"
#include "features/maintenance/SystemInfoDialog.h"
#include "features/maintenance/TcpServiceDialog.h"
#include "features/maintenance/TransferDialog.h"
#include "features/maintenance/UdpServiceDialog.h"
#include "features/poe/PoeGlobalDialog.h"
#include "features/poe/PoePortDialog.h"
#include "features/poe/PowerSavingDialog.h"
#include "features/poe/TimeProfileDialog.h"
#include "features/poe/TimeRangeDialog.h"
#include "features/port_vlan/ManagementVlanDialog.h"
#include "features/port_vlan/PortConfigDialog.h"
#include "features/port_vlan/SurveillanceVlanDialog.h"
#include "features/port_vlan/TrunkDialog.h"
#include "features/port_vlan/VlanDialog.h"
#include "features/security/ArpSpoofingDialog.h"
#include "features/security/BlackListDialog.h"
#include "features/security/DhcpScreenDialog.h"
#include "features/security/Dot1xDialog.h"
#include "features/security/ImpbSettingsDialog.h"
#include "features/security/SmartBindingDialog.h"
#include "features/security/WhiteListDialog.h"
#include "features/snmp_agent/SnmpScalarDialog.h"
#include "features/snmp_agent/SnmpTableDialog.h"
#include "snmp/SessionParameters.h"

#include <QDialog>

#include <map>
#include <variant>

namespace {

constexpr ModuleMenuEntry kMenu[] = {
    {"Device Manager / System / Port Configuration", kCmdPortConfiguration,
     caption::kPortConfiguration},
    {"Device Manager / System / Syslog Host Configuration", kCmdSyslogHost, caption::kSyslogHost},
    {"Device Manager / System / Time Profile Settings", kCmdTimeProfile, caption::kTimeProfile},
    {"Device Manager / System / Power Saving Settings", kCmdPowerSaving, caption::kPowerSaving},
    {"Device Manager / VLAN / VLAN Configuration", kCmdVlanConfiguration,
     caption::kVlanConfiguration},
    {"Device Manager / VLAN / 802.1Q Management VLAN", kCmdManagementVlan,
     caption::kManagementVlan},
    {"Device Manager / VLAN / Auto Surveillance VLAN Setting", kCmdSurveillanceVlan,
     caption::kSurveillanceVlan},
    {"Device Manager / L2 Function / Jumbo Frame Configuration", kCmdJumboFrame,
     caption::kJumboFrame},
    {"Device Manager / L2 Function / Port Mirroring Settings", kCmdPortMirroring,
     caption::kPortMirroring},
    {"Device Manager / L2 Function / Spanning Tree", kCmdSpanningTree, caption::kSpanningTree},
    {"Device Manager / L2 Function / Trunk Configuration", kCmdTrunk, caption::kTrunk},
    {"Device Manager / L2 Function / Multicast Filtering Mode configuration",
     kCmdMulticastFiltering, caption::kMulticastFiltering},
    {"Device Manager / L2 Function / IGMP Snooping Configuration", kCmdIgmpSnooping,
     caption::kIgmpSnooping},
    {"Device Manager / Qos / Bandwidth Control", kCmdBandwidthControl, caption::kBandwidthControl},
    {"Device Manager / Security / ARP Spoofing Prevention Setting", kCmdArpSpoofing,
     caption::kArpSpoofing},
    {"Device Manager / Security / DHCP Server Screening Port Configuration", kCmdDhcpScreening,
     caption::kDhcpScreening},
    {"Device Manager / Security / Traffic Segmentation Settings", kCmdTrafficSegmentation,
     caption::kTrafficSegmentation},
    {"Device Manager / Security / Storm Control Settings", kCmdStormControl,
     caption::kStormControl},
    {"Device Manager / Security / Smart Binding / Smart Binding Settings", kCmdSmartBindingSettings,
     caption::kSmartBindingSettings},
    {"Device Manager / Security / Smart Binding / Smart Binding", kCmdSmartBinding,
     caption::kSmartBinding},
    {"Device Manager / Security / Smart Binding / White List", kCmdWhiteList, caption::kWhiteList},
    {"Device Manager / Security / Smart Binding / Black List", kCmdBlackList, caption::kBlackList},
    {"Device Manager / AAA / 802.1X  Settings", kCmdDot1x, caption::kDot1x},
    {"Device Manager / SNMP / SNMP Global State", kCmdSnmpGlobalState, caption::kSnmpGlobalState},
    {"Device Manager / SNMP / SNMP User Table", kCmdSnmpUserTable, caption::kSnmpUserTable},
    {"Device Manager / SNMP / SNMP Group Table", kCmdSnmpGroupTable, caption::kSnmpGroupTable},
    {"Device Manager / SNMP / SNMP View Table", kCmdSnmpViewTable, caption::kSnmpViewTable},
    {"Device Manager / SNMP / SNMP Community Table", kCmdSnmpCommunityTable,
     caption::kSnmpCommunityTable},
    {"Device Manager / SNMP / SNMP Host Table", kCmdSnmpHostTable, caption::kSnmpHostTable},
    {"Device Manager / SNMP / SNMP Engine ID", kCmdSnmpEngineId, caption::kSnmpEngineId},
    {"Device Manager / SNMP / SNMP Trap Configuration", kCmdSnmpTrap, caption::kSnmpTrap},
    {"Device Manager / PoE / PoE Global Settings", kCmdPoeGlobal, caption::kPoeGlobal},
    {"Device Manager / PoE / PoE Port Settings", kCmdPoePort, caption::kPoePort},
    {"Device Manager / PoE / PoE Time Range Settings", kCmdPoeTimeRange, caption::kPoeTimeRange},
    {"Public MIB / System Information", kCmdSystemInformation, caption::kSystemInformation},
    {"Public MIB / Interface Table", kCmdInterfaceTable, caption::kInterfaceTable},
    {"Public MIB / IP Table", kCmdIpTable, caption::kIpTable},
    {"Public MIB / Forwarding Table", kCmdForwardingTable, caption::kForwardingTable},
    {"Public MIB / TCP Service", kCmdTcpService, caption::kTcpService},
    {"Public MIB / UDP Service", kCmdUdpService, caption::kUdpService},
    {"Tools / Firmware and Configuration Upgrade/Backup", kCmdFirmwareTransfer,
     caption::kFirmwareTransfer},
    {"Tools / Save Configuration", kCmdSaveConfiguration, ""},
    {"Tools / Reboot", kCmdReboot, ""},
    {"Tools / Telnet", kCmdTelnet, ""},
    {"Tools / Web", kCmdWeb, ""},
    // The text is replaced by "About " + model name at set-up.
    {"About / About", kCmdAbout, kAboutCaption},
};

using Registration = std::variant<CommandDialogFactory, CommandAction>;

std::map<int, Registration>& Registry() {
    static std::map<int, Registration> registry;
    return registry;
}

} // namespace

std::span<const ModuleMenuEntry> ModuleMenuTable() {
    return kMenu;
}

void RegisterCommandDialog(int id, CommandDialogFactory factory) {
    if (!factory) {
        UnregisterCommand(id);
        return;
    }
    Registry()[id] = std::move(factory);
}

void RegisterCommandAction(int id, CommandAction action) {
    if (!action) {
        UnregisterCommand(id);
        return;
    }
    Registry()[id] = std::move(action);
}

void UnregisterCommand(int id) {
    Registry().erase(id);
}

CommandDialogFactory CommandDialogFor(int id) {
    const auto found = Registry().find(id);
    if (found == Registry().end()) {
        return {};
    }
    const auto* factory = std::get_if<CommandDialogFactory>(&found->second);
    return factory != nullptr ? *factory : CommandDialogFactory();
}

CommandAction CommandActionFor(int id) {
    const auto found = Registry().find(id);
    if (found == Registry().end()) {
        return {};
    }
    const auto* action = std::get_if<CommandAction>(&found->second);
    return action != nullptr ? *action : CommandAction();
}

bool IsCommandAvailable(int id) {
    return Registry().contains(id);
}

namespace {

QString DeviceAddress() {
    return QString::fromStdString(SessionParameters().DeviceAddress);
}

void RegisterSnmpAgentDialogs() {
    RegisterCommandDialog(kCmdSnmpGlobalState,
                          [] { return std::make_unique<CSnmpGlobalStateDlg>(); });
    RegisterCommandDialog(kCmdSnmpUserTable, [] { return std::make_unique<CSnmpUserDlg>(); });
    RegisterCommandDialog(kCmdSnmpGroupTable, [] { return std::make_unique<CSnmpGroupDlg>(); });
    RegisterCommandDialog(kCmdSnmpViewTable, [] { return std::make_unique<CSnmpViewDlg>(); });
    RegisterCommandDialog(kCmdSnmpCommunityTable,
                          [] { return std::make_unique<CSnmpCommunityDlg>(); });
    RegisterCommandDialog(kCmdSnmpHostTable, [] { return std::make_unique<CSnmpHostDlg>(); });
    RegisterCommandDialog(kCmdSnmpEngineId, [] { return std::make_unique<CSnmpEngineIdDlg>(); });
    RegisterCommandDialog(kCmdSnmpTrap, [] { return std::make_unique<CSnmpTrapDlg>(); });
}

void RegisterDeviceTools() {
    RegisterCommandDialog(kCmdFirmwareTransfer, [] { return std::make_unique<CTransferDialog>(); });
    RegisterCommandAction(kCmdSaveConfiguration,
                          [](CModuleWindow& window) { SaveConfiguration(window.SetSession()); });
    RegisterCommandAction(kCmdReboot, [](CModuleWindow&) { RebootDevice(); });
    RegisterCommandAction(kCmdTelnet, [](CModuleWindow&) { TelnetToDevice(DeviceAddress()); });
    RegisterCommandAction(kCmdWeb, [](CModuleWindow&) { BrowseDevice(DeviceAddress()); });
}

void RegisterL2Commands() {
    RegisterCommandDialog(kCmdTrafficSegmentation,
                          [] { return std::make_unique<CSegmentationDlg>(); });
    RegisterCommandDialog(kCmdStormControl, [] { return std::make_unique<CStormControlDlg>(); });
    RegisterCommandDialog(kCmdBandwidthControl, [] { return std::make_unique<CBandwidthDlg>(); });
    RegisterCommandDialog(kCmdJumboFrame, [] { return std::make_unique<CJumboFrameDlg>(); });
    RegisterCommandDialog(kCmdPortMirroring, [] { return std::make_unique<CMirrorDlg>(); });
    RegisterCommandDialog(kCmdSpanningTree,
                          [] { return std::make_unique<CSpanningTreeBridgeDlg>(); });
}

void RegisterPoeCommands() {
    RegisterCommandDialog(kCmdPoeGlobal, [] { return std::make_unique<CPoeGlobalDlg>(); });
    RegisterCommandDialog(kCmdPoePort, [] { return std::make_unique<CPoePortDlg>(); });
    RegisterCommandDialog(kCmdPoeTimeRange, [] { return std::make_unique<CTimeRangeDlg>(); });
    RegisterCommandDialog(kCmdPowerSaving, [] { return std::make_unique<CPowerSavingDlg>(); });
    RegisterCommandDialog(kCmdTimeProfile, [] { return std::make_unique<CTimeProfileDlg>(); });
}

void RegisterSecurityCommands() {
    RegisterCommandDialog(kCmdSmartBindingSettings,
                          [] { return std::make_unique<CImpbSettingsDlg>(); });
    RegisterCommandDialog(kCmdSmartBinding, [] { return std::make_unique<CIMPBSmartBinding>(); });
    RegisterCommandDialog(kCmdWhiteList, [] { return std::make_unique<CIMPBWhiteList>(); });
    RegisterCommandDialog(kCmdBlackList, [] { return std::make_unique<CIMPBBlackList>(); });
    RegisterCommandDialog(kCmdArpSpoofing, [] { return std::make_unique<CArpSpoofingDlg>(); });
    RegisterCommandDialog(kCmdDhcpScreening, [] { return std::make_unique<CDhcpScreenDlg>(); });
    RegisterCommandDialog(kCmdDot1x, [] { return std::make_unique<CDot1xDlg>(); });
}

} // namespace

void RegisterModuleCommands() {
    RegisterCommandDialog(kCmdAbout, [] { return std::make_unique<CAboutDlg>(); });
    RegisterDeviceTools();
    RegisterSnmpAgentDialogs();
    // Feature dialogs and device tools register here as they are built. A click on a port of
    // the panel runs Port Configuration as well.
    RegisterCommandDialog(kCmdPortConfiguration, [] { return std::make_unique<CPortConfigDlg>(); });
    RegisterCommandDialog(kCmdTrunk, [] { return std::make_unique<CTrunkDlg>(); });
    RegisterCommandDialog(kCmdVlanConfiguration, [] { return std::make_unique<CVlanDlg>(); });
    RegisterCommandDialog(kCmdManagementVlan,
                          [] { return std::make_unique<CManagementVlanDlg>(); });
    RegisterCommandDialog(kCmdSystemInformation, [] { return std::make_unique<CSystemInfoDlg>(); });
    RegisterCommandDialog(kCmdInterfaceTable,
                          [] { return std::make_unique<CInterfaceTableDlg>(); });
    RegisterCommandDialog(kCmdIpTable, [] { return std::make_unique<CIpTableDlg>(); });
    RegisterCommandDialog(kCmdForwardingTable,
                          [] { return std::make_unique<CForwardingTableDlg>(); });
    RegisterCommandDialog(kCmdTcpService, [] { return std::make_unique<CTcpServiceDlg>(); });
    RegisterCommandDialog(kCmdUdpService, [] { return std::make_unique<CUdpServiceDlg>(); });
    RegisterCommandDialog(kCmdIgmpSnooping, [] { return std::make_unique<CIgmpSnoopingDlg>(); });
    RegisterCommandDialog(kCmdMulticastFiltering,
                          [] { return std::make_unique<CMulticastFilterDlg>(); });
    RegisterCommandDialog(kCmdSurveillanceVlan,
                          [] { return std::make_unique<CSurveillanceVlanDlg>(); });
    RegisterCommandDialog(kCmdSyslogHost, [] { return std::make_unique<CSyslogDlg>(); });
    RegisterL2Commands();
    RegisterSecurityCommands();
    RegisterPoeCommands();
}
