// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/ModuleCommands.h"

#include "app/AboutDialog.h"
#include "app/ModuleWindow.h"
#include "features/common/MenuDialogs.h"
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
#include "features/maintenance/PortTrafficDialog.h"
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
#include "features/snapshot/SettingsSnapshotDialog.h"
#include "features/snmp_agent/SnmpEngineIdDialog.h"
#include "features/snmp_agent/SnmpGlobalStateDialog.h"
#include "features/snmp_agent/SnmpTableDialog.h"
#include "features/snmp_agent/SnmpTrapDialog.h"
#include "snmp/SessionParameters.h"

#include <QDialog>

#include <map>
#include <variant>

namespace {

template <class Dialog> std::unique_ptr<QDialog> Make() {
    return std::make_unique<Dialog>();
}

// The menu item of a dialog: its caption and factory come from the dialog class.
template <class Dialog>
ModuleMenuEntry DialogCommand(const char* path, int id, const char* name,
                              std::vector<std::string> closedSessions,
                              const char* model = "KSX-7700-52") {
    return {path, id, Dialog::kCaption, &Make<Dialog>, name, std::move(closedSessions), model};
}

// The menu item of a command without a dialog of its own (the device tools).
ModuleMenuEntry ActionCommand(const char* path, int id) {
    ModuleMenuEntry entry{};
    entry.path = path;
    entry.id = id;
    return entry;
}

// Every command in menu order: the menu bar, the registry and the whole-menu tests read it.
const std::vector<ModuleMenuEntry>& Menu() {
    static const std::vector<ModuleMenuEntry> menu = {
        DialogCommand<CPortConfigDlg>("Device Manager / System / Port Configuration",
                                      kCmdPortConfiguration, "port-configuration",
                                      {"m_cCommonSNMP", "m_cCommonSNMPTable"}),
        DialogCommand<CSyslogDlg>("Device Manager / System / Syslog Host Configuration",
                                  kCmdSyslogHost, "syslog-host",
                                  {"m_cCommonSNMP", "m_cCommonSNMPSet"}),
        DialogCommand<CTimeProfileDlg>("Device Manager / System / Time Profile Settings",
                                       kCmdTimeProfile, "time-profile",
                                       {"m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CPowerSavingDlg>("Device Manager / System / Power Saving Settings",
                                       kCmdPowerSaving, "power-saving",
                                       {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CVlanDlg>("Device Manager / VLAN / VLAN Configuration", kCmdVlanConfiguration,
                                "vlan-configuration",
                                {"m_cCommonSNMP", "m_cCommonSNMPTable", "m_cCommonSNMPVoiceVlan",
                                 "m_cCommonSNMPTableVlan", "m_cCommonSNMPTableVlanDelete",
                                 "m_cCommonSNMPEgrePort", "m_cCommonSNMPUntagPort",
                                 "m_cCommonSNMPAllPort", "m_cCommonSNMPTable",
                                 "m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan"}),
        DialogCommand<CManagementVlanDlg>(
            "Device Manager / VLAN / 802.1Q Management VLAN", kCmdManagementVlan, "management-vlan",
            {"m_cCommonSNMPTable", "m_cCommonSNMP", "m_cCommonSNMPSet"}),
        DialogCommand<CSurveillanceVlanDlg>(
            "Device Manager / VLAN / Auto Surveillance VLAN Setting", kCmdSurveillanceVlan,
            "surveillance-vlan",
            {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP",
             "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPTableOui"}),
        DialogCommand<CJumboFrameDlg>("Device Manager / L2 Function / Jumbo Frame Configuration",
                                      kCmdJumboFrame, "jumbo-frame",
                                      {"m_cCommonSNMP", "m_cCommonSNMPSet"}),
        DialogCommand<CMirrorDlg>("Device Manager / L2 Function / Port Mirroring Settings",
                                  kCmdPortMirroring, "port-mirroring",
                                  {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan",
                                   "m_cCommonSNMP", "m_cCommonSNMPSet"}),
        DialogCommand<CSpanningTreeBridgeDlg>(
            "Device Manager / L2 Function / Spanning Tree", kCmdSpanningTree, "spanning-tree",
            {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP",
             "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CTrunkDlg>("Device Manager / L2 Function / Trunk Configuration", kCmdTrunk,
                                 "trunk",
                                 {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CMulticastFilterDlg>(
            "Device Manager / L2 Function / Multicast Filtering Mode configuration",
            kCmdMulticastFiltering, "multicast-filtering",
            {"m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CIgmpSnoopingDlg>(
            "Device Manager / L2 Function / IGMP Snooping Configuration", kCmdIgmpSnooping,
            "igmp-snooping",
            {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP",
             "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGroup"}),
        DialogCommand<CBandwidthDlg>("Device Manager / Qos / Bandwidth Control",
                                     kCmdBandwidthControl, "bandwidth-control",
                                     {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan",
                                      "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CArpSpoofingDlg>(
            "Device Manager / Security / ARP Spoofing Prevention Setting", kCmdArpSpoofing,
            "arp-spoofing",
            {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMPSet",
             "m_cCommonSNMPTable"}),
        DialogCommand<CDhcpScreenDlg>(
            "Device Manager / Security / DHCP Server Screening Port Configuration",
            kCmdDhcpScreening, "dhcp-screening",
            {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP",
             "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CSegmentationDlg>("Device Manager / Security / Traffic Segmentation Settings",
                                        kCmdTrafficSegmentation, "traffic-segmentation",
                                        {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan",
                                         "m_cCommonSNMP", "m_cCommonSNMPSet",
                                         "m_cCommonSNMPTable"}),
        DialogCommand<CStormControlDlg>("Device Manager / Security / Storm Control Settings",
                                        kCmdStormControl, "storm-control",
                                        {"m_cCommonSNMP", "m_cCommonSNMPSet"}),
        DialogCommand<CImpbSettingsDlg>(
            "Device Manager / Security / Smart Binding / Smart Binding Settings",
            kCmdSmartBindingSettings, "smart-binding-settings",
            {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP",
             "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CIMPBSmartBinding>(
            "Device Manager / Security / Smart Binding / Smart Binding", kCmdSmartBinding,
            "smart-binding",
            {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan", "m_cCommonSNMP",
             "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CIMPBWhiteList>("Device Manager / Security / Smart Binding / White List",
                                      kCmdWhiteList, "white-list",
                                      {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan",
                                       "m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CIMPBBlackList>("Device Manager / Security / Smart Binding / Black List",
                                      kCmdBlackList, "black-list",
                                      {"m_cCommonSNMPTableTrunk", "m_cCommonSNMPTableVlan",
                                       "m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable"}),
        DialogCommand<CDot1xDlg>("Device Manager / AAA / 802.1X  Settings", kCmdDot1x, "dot1x",
                                 {"m_cCommonSNMP", "m_cCommonSNMPSet"}),
        DialogCommand<CSnmpGlobalStateDlg>(
            "Device Manager / SNMP / SNMP Global State", kCmdSnmpGlobalState, "snmp-global-state",
            {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}),
        DialogCommand<CSnmpUserDlg>(
            "Device Manager / SNMP / SNMP User Table", kCmdSnmpUserTable, "snmp-user-table",
            {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}),
        DialogCommand<CSnmpGroupDlg>(
            "Device Manager / SNMP / SNMP Group Table", kCmdSnmpGroupTable, "snmp-group-table",
            {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}),
        DialogCommand<CSnmpViewDlg>(
            "Device Manager / SNMP / SNMP View Table", kCmdSnmpViewTable, "snmp-view-table",
            {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}),
        DialogCommand<CSnmpCommunityDlg>(
            "Device Manager / SNMP / SNMP Community Table", kCmdSnmpCommunityTable,
            "snmp-community-table",
            {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}),
        DialogCommand<CSnmpHostDlg>(
            "Device Manager / SNMP / SNMP Host Table", kCmdSnmpHostTable, "snmp-host-table",
            {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}),
        DialogCommand<CSnmpEngineIdDlg>(
            "Device Manager / SNMP / SNMP Engine ID", kCmdSnmpEngineId, "snmp-engine-id",
            {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}),
        DialogCommand<CSnmpTrapDlg>(
            "Device Manager / SNMP / SNMP Trap Configuration", kCmdSnmpTrap, "snmp-trap",
            {"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}),
        DialogCommand<CPoeGlobalDlg>("Device Manager / PoE / PoE Global Settings", kCmdPoeGlobal,
                                     "poe-global", {"m_cCommonSNMP", "m_cCommonSNMPSet"},
                                     "KSX-7700-28P"),
        DialogCommand<CPoePortDlg>(
            "Device Manager / PoE / PoE Port Settings", kCmdPoePort, "poe-port",
            {"m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPTableRange"}, "KSX-7700-28P"),
        DialogCommand<CTimeRangeDlg>("Device Manager / PoE / PoE Time Range Settings",
                                     kCmdPoeTimeRange, "poe-time-range",
                                     {"m_cCommonSNMPSet", "m_cCommonSNMPTable"}, "KSX-7700-28P"),
        DialogCommand<CSystemInfoDlg>("Public MIB / System Information", kCmdSystemInformation,
                                      "system-information", {"m_cCommonSNMP", "m_cCommonSNMPSet"}),
        DialogCommand<CInterfaceTableDlg>("Public MIB / Interface Table", kCmdInterfaceTable,
                                          "interface-table", {"m_cCommonSNMPTable"}),
        DialogCommand<CPortTrafficDlg>("Public MIB / Port Traffic", kCmdPortTraffic, "port-traffic",
                                       {"m_cCommonSNMPTable"}),
        DialogCommand<CIpTableDlg>("Public MIB / IP Table", kCmdIpTable, "ip-table",
                                   {"m_cCommonSNMPTable"}),
        DialogCommand<CForwardingTableDlg>("Public MIB / Forwarding Table", kCmdForwardingTable,
                                           "forwarding-table",
                                           {"m_cCommonSNMP", "m_cCommonSNMPTable"}),
        DialogCommand<CTcpServiceDlg>("Public MIB / TCP Service", kCmdTcpService, "tcp-service",
                                      {"m_cCommonSNMPTable"}),
        DialogCommand<CUdpServiceDlg>("Public MIB / UDP Service", kCmdUdpService, "udp-service",
                                      {"m_cCommonSNMPTable"}),
        DialogCommand<CTransferDialog>("Tools / Firmware and Configuration Upgrade/Backup",
                                       kCmdFirmwareTransfer, "firmware-transfer",
                                       {"m_cCommonSNMP", "m_cCommonSNMPSetOp"}),
        DialogCommand<CSettingsSnapshotDlg>("Tools / Settings Snapshot...", kCmdSettingsSnapshot,
                                            "settings-snapshot", {}),
        ActionCommand("Tools / Save Configuration", kCmdSaveConfiguration),
        ActionCommand("Tools / Reboot", kCmdReboot),
        ActionCommand("Tools / Telnet", kCmdTelnet),
        ActionCommand("Tools / Web", kCmdWeb),
        // The text is replaced by "About " + model name at set-up.
        {"About / About", kCmdAbout, kAboutCaption, &Make<CAboutDlg>, "about", {}},
    };
    return menu;
}

using Registration = std::variant<CommandDialogFactory, CommandAction>;

std::map<int, Registration>& Registry() {
    static std::map<int, Registration> registry;
    return registry;
}

} // namespace

std::span<const ModuleMenuEntry> ModuleMenuTable() {
    return Menu();
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
    RegisterCommandAction(kCmdSaveConfiguration,
                          [](CModuleWindow& window) { SaveConfiguration(window.SetSession()); });
    RegisterCommandAction(kCmdReboot, [](CModuleWindow&) { RebootDevice(); });
    RegisterCommandAction(kCmdTelnet, [](CModuleWindow&) { TelnetToDevice(DeviceAddress()); });
    RegisterCommandAction(kCmdWeb, [](CModuleWindow&) { BrowseDevice(DeviceAddress()); });
}

} // namespace

void RegisterModuleCommands() {
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        if (entry.makeDialog != nullptr) {
            RegisterCommandDialog(entry.id, entry.makeDialog);
        }
    }
    RegisterDeviceTools();
    kit::SetMenuDialogMaker([](const std::string& menuPath) -> std::unique_ptr<QDialog> {
        for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
            if (entry.makeDialog != nullptr && menuPath == entry.path) {
                return entry.makeDialog();
            }
        }
        return nullptr;
    });
}
