// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The window captions of the command dialogs, in one place: the module window's menu table
// and the dialogs themselves both take them from here. Trailing blanks belong to the texts.
#pragma once

namespace caption {

inline constexpr char kPortConfiguration[] = "Port Configuration";
inline constexpr char kSyslogHost[] = "Syslog Host Configuration";
inline constexpr char kTimeProfile[] = "Time Profile Info";
inline constexpr char kPowerSaving[] = "Power Saving Settings ";
inline constexpr char kVlanConfiguration[] = "802.1Q VLAN Configuration";
inline constexpr char kManagementVlan[] = "IEEE 802.1Q Management VLAN Configuration";
inline constexpr char kSurveillanceVlan[] = "Auto Surveillance VLAN Settings";
inline constexpr char kJumboFrame[] = "Jumbo Frame Configuration";
inline constexpr char kPortMirroring[] = "PortMirroringConfiguration";
inline constexpr char kSpanningTree[] = "Bridge Config";
inline constexpr char kTrunk[] = "Trunk Configuration";
inline constexpr char kMulticastFiltering[] = "Multicast Filtering Mode Configuration";
inline constexpr char kIgmpSnooping[] = "IGMP Snooping Configuration";
inline constexpr char kBandwidthControl[] = "BandWidth Control";
inline constexpr char kArpSpoofing[] = "ARP Spoofing Prevention Setting";
inline constexpr char kDhcpScreening[] = "DHCP Server Screening Settings  ";
inline constexpr char kTrafficSegmentation[] = "Traffic Segmentation Settings";
inline constexpr char kStormControl[] = "Storm Control";
inline constexpr char kSmartBindingSettings[] = "Smart Binding Settings";
inline constexpr char kSmartBinding[] = "Smart Binding";
inline constexpr char kWhiteList[] = "White List";
inline constexpr char kBlackList[] = "Black List";
inline constexpr char kDot1x[] = "802.1X Config Information";
inline constexpr char kSnmpGlobalState[] = "SNMP Global State Settings";
inline constexpr char kSnmpUserTable[] = "SNMP User Table ";
inline constexpr char kSnmpGroupTable[] = "SNMP Group Table Info";
inline constexpr char kSnmpViewTable[] = "SNMP View Table Configuration";
inline constexpr char kSnmpCommunityTable[] = "SNMP Community Table Configuration";
inline constexpr char kSnmpHostTable[] = "SNMP Host Table";
inline constexpr char kSnmpEngineId[] = "SNMP Engine ID";
inline constexpr char kSnmpTrap[] = "SNMP Trap Configuration";
inline constexpr char kPoeGlobal[] = "PoE Global Settings";
inline constexpr char kPoePort[] = "PoE Configuration";
inline constexpr char kPoeTimeRange[] = "Time Range Information";
inline constexpr char kSystemInformation[] = "System Information";
inline constexpr char kInterfaceTable[] = "Interface Table";
inline constexpr char kIpTable[] = "IP Table";
inline constexpr char kForwardingTable[] = "Forwarding Table";
inline constexpr char kTcpService[] = "TCP Service";
inline constexpr char kUdpService[] = "UDP Service";
inline constexpr char kFirmwareTransfer[] = "Firmware and Configuration Upgrade/Backup";

} // namespace caption
