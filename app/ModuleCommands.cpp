// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/ModuleCommands.h"

#include "app/AboutDialog.h"
#include "app/ModuleWindow.h"
#include "features/maintenance/DeviceTools.h"
#include "features/maintenance/ForwardingTableDialog.h"
#include "features/maintenance/InterfaceTableDialog.h"
#include "features/maintenance/IpTableDialog.h"
#include "features/maintenance/SystemInfoDialog.h"
#include "features/maintenance/TcpServiceDialog.h"
#include "features/maintenance/TransferDialog.h"
#include "features/maintenance/UdpServiceDialog.h"
#include "features/port_vlan/PortConfigDialog.h"
#include "snmp/SessionParameters.h"

#include <QDialog>

#include <map>
#include <variant>

namespace {

constexpr ModuleMenuEntry kMenu[] = {
    {"Device Manager / System / Port Configuration", kCmdPortConfiguration, "Port Configuration"},
    {"Device Manager / System / Syslog Host Configuration", kCmdSyslogHost,
     "Syslog Host Configuration"},
    {"Device Manager / System / Time Profile Settings", kCmdTimeProfile, "Time Profile Info"},
    {"Device Manager / System / Power Saving Settings", kCmdPowerSaving, "Power Saving Settings "},
    {"Device Manager / VLAN / VLAN Configuration", kCmdVlanConfiguration,
     "802.1Q VLAN Configuration"},
    {"Device Manager / VLAN / 802.1Q Management VLAN", kCmdManagementVlan,
     "IEEE 802.1Q Management VLAN Configuration"},
    {"Device Manager / VLAN / Auto Surveillance VLAN Setting", kCmdSurveillanceVlan,
     "Auto Surveillance VLAN Settings"},
    {"Device Manager / L2 Function / Jumbo Frame Configuration", kCmdJumboFrame,
     "Jumbo Frame Configuration"},
    {"Device Manager / L2 Function / Port Mirroring Settings", kCmdPortMirroring, ""},
    {"Device Manager / L2 Function / Spanning Tree", kCmdSpanningTree, "Bridge Config"},
    {"Device Manager / L2 Function / Trunk Configuration", kCmdTrunk, "Trunk Configuration"},
    {"Device Manager / L2 Function / Multicast Filtering Mode configuration",
     kCmdMulticastFiltering, "Multicast Filtering Mode Configuration"},
    {"Device Manager / L2 Function / IGMP Snooping Configuration", kCmdIgmpSnooping,
     "IGMP Snooping Configuration"},
    {"Device Manager / Qos / Bandwidth Control", kCmdBandwidthControl, "BandWidth Control"},
    {"Device Manager / Security / ARP Spoofing Prevention Setting", kCmdArpSpoofing,
     "ARP Spoofing Prevention Setting"},
    {"Device Manager / Security / DHCP Server Screening Port Configuration", kCmdDhcpScreening,
     "DHCP Server Screening Settings  "},
    {"Device Manager / Security / Traffic Segmentation Settings", kCmdTrafficSegmentation, ""},
    {"Device Manager / Security / Storm Control Settings", kCmdStormControl, "Storm Control"},
    {"Device Manager / Security / Smart Binding / Smart Binding Settings", kCmdSmartBindingSettings,
     "Smart Binding Settings"},
    {"Device Manager / Security / Smart Binding / Smart Binding", kCmdSmartBinding,
     "Smart Binding"},
    {"Device Manager / Security / Smart Binding / White List", kCmdWhiteList, "White List"},
    {"Device Manager / Security / Smart Binding / Black List", kCmdBlackList, "Black List"},
    {"Device Manager / AAA / 802.1X  Settings", kCmdDot1x, ""},
    {"Device Manager / SNMP / SNMP Global State", kCmdSnmpGlobalState,
     "SNMP Global State Settings"},
    {"Device Manager / SNMP / SNMP User Table", kCmdSnmpUserTable, "SNMP User Table "},
    {"Device Manager / SNMP / SNMP Group Table", kCmdSnmpGroupTable, "SNMP Group Table Info"},
    {"Device Manager / SNMP / SNMP View Table", kCmdSnmpViewTable, "SNMP View Table Configuration"},
    {"Device Manager / SNMP / SNMP Community Table", kCmdSnmpCommunityTable,
     "SNMP Community Table Configuration"},
    {"Device Manager / SNMP / SNMP Host Table", kCmdSnmpHostTable, "SNMP Host Table"},
    {"Device Manager / SNMP / SNMP Engine ID", kCmdSnmpEngineId, "SNMP Engine ID"},
    {"Device Manager / SNMP / SNMP Trap Configuration", kCmdSnmpTrap, "SNMP Trap Configuration"},
    {"Device Manager / PoE / PoE Global Settings", kCmdPoeGlobal, "PoE Global Settings"},
    {"Device Manager / PoE / PoE Port Settings", kCmdPoePort, "PoE Configuration"},
    {"Public MIB / System Information", kCmdSystemInformation, ""},
    {"Public MIB / Interface Table", kCmdInterfaceTable, "Interface table"},
    {"Public MIB / IP Table", kCmdIpTable, "IP Table"},
    {"Public MIB / Forwarding Table", kCmdForwardingTable, "Forwarding Table"},
    {"Public MIB / TCP Service", kCmdTcpService, "TCP Service"},
    {"Public MIB / UDP Service", kCmdUdpService, "UDP Service"},
    {"Tools / Firmware and Configuration Upgrade/Backup", kCmdFirmwareTransfer,
     "Firmware and Configuration Upgrade/Backup"},
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

void RegisterDeviceTools() {
    RegisterCommandDialog(kCmdFirmwareTransfer, [] { return std::make_unique<CTransferDialog>(); });
    RegisterCommandAction(kCmdSaveConfiguration,
                          [](CModuleWindow& window) { SaveConfiguration(window.SetSession()); });
    RegisterCommandAction(kCmdReboot, [](CModuleWindow&) { RebootDevice(); });
    RegisterCommandAction(kCmdTelnet, [](CModuleWindow&) { TelnetToDevice(DeviceAddress()); });
    RegisterCommandAction(kCmdWeb, [](CModuleWindow&) { BrowseDevice(DeviceAddress()); });
}

} // namespace

void RegisterModuleCommands() {
    RegisterCommandDialog(kCmdAbout, [] { return std::make_unique<CAboutDlg>(); });
    RegisterDeviceTools();
    // Feature dialogs and device tools register here as they are built. A click on a port of
    // the panel runs Port Configuration as well.
    RegisterCommandDialog(kCmdPortConfiguration, [] { return std::make_unique<CPortConfigDlg>(); });
    RegisterCommandDialog(kCmdSystemInformation, [] { return std::make_unique<CSystemInfoDlg>(); });
    RegisterCommandDialog(kCmdInterfaceTable,
                          [] { return std::make_unique<CInterfaceTableDlg>(); });
    RegisterCommandDialog(kCmdIpTable, [] { return std::make_unique<CIpTableDlg>(); });
    RegisterCommandDialog(kCmdForwardingTable,
                          [] { return std::make_unique<CForwardingTableDlg>(); });
    RegisterCommandDialog(kCmdTcpService, [] { return std::make_unique<CTcpServiceDlg>(); });
    RegisterCommandDialog(kCmdUdpService, [] { return std::make_unique<CUdpServiceDlg>(); });
}
