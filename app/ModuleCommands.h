// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The module window's menu as data, and the registry that ties a command id to what the
// command does: a dialog that runs modally while the panel is put away, or an action on the
// window (the device tools). A command nobody registered stays in the menu, disabled.
//
// A new dialog is added in one place, the command table of ModuleCommands.cpp: its menu item,
// caption (the dialog's kCaption) and factory, and what the whole-menu tests check of it.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

class QDialog;
class CModuleWindow;

// Command ids of the module window's menu.
enum ModuleCommand : int {
    kCmdPortConfiguration = 32774,
    kCmdSyslogHost = 32832,
    kCmdTimeProfile = 32855,
    kCmdPowerSaving = 32856,
    kCmdVlanConfiguration = 32834,
    kCmdManagementVlan = 32867,
    kCmdSurveillanceVlan = 32828,
    kCmdJumboFrame = 32817,
    kCmdPortMirroring = 32854,
    kCmdSpanningTree = 32813,
    kCmdTrunk = 32818,
    kCmdMulticastFiltering = 32830,
    kCmdIgmpSnooping = 32837,
    kCmdBandwidthControl = 32850,
    kCmdArpSpoofing = 32833,
    kCmdDhcpScreening = 32829,
    kCmdTrafficSegmentation = 32851,
    kCmdStormControl = 32853,
    kCmdSmartBindingSettings = 32863,
    kCmdSmartBinding = 32864,
    kCmdWhiteList = 32865,
    kCmdBlackList = 32866,
    kCmdDot1x = 32859,
    kCmdSnmpGlobalState = 32839,
    kCmdSnmpUserTable = 32841,
    kCmdSnmpGroupTable = 32842,
    kCmdSnmpViewTable = 32843,
    kCmdSnmpCommunityTable = 32844,
    kCmdSnmpHostTable = 32840,
    kCmdSnmpEngineId = 32845,
    kCmdSnmpTrap = 32846,
    kCmdPoeGlobal = 32860,
    kCmdPoePort = 32852,
    // Opens the PoE time ranges (an item of this build's PoE menu).
    kCmdPoeTimeRange = 32870,
    kCmdSystemInformation = 32805,
    kCmdInterfaceTable = 32809,
    kCmdPortTraffic = 32880,
    kCmdSettingsSnapshot = 32881,
    kCmdIpTable = 32808,
    kCmdForwardingTable = 32810,
    kCmdTcpService = 32811,
    kCmdUdpService = 32812,
    kCmdFirmwareTransfer = 32823,
    kCmdSaveConfiguration = 32815,
    kCmdReboot = 32797,
    kCmdTelnet = 32788,
    kCmdWeb = 32789,
    kCmdAbout = 57664,
    // The About item of the window menu (the context menu of the module window here).
    kCmdSystemAbout = 16,
};

// One item of the menu bar.
struct ModuleMenuEntry {
    // The popups and the item text, joined by " / " (item texts may hold a plain '/').
    const char* path;
    int id;
    // Caption of the window the command opens; empty for commands without one of their own.
    const char* caption = "";
    // Builds the dialog the command opens (no parent); none for the device tools' actions.
    std::unique_ptr<QDialog> (*makeDialog)() = nullptr;
    // A short name of the dialog (lower case and '-'): its screenshot is dialog-<name>.png.
    const char* name = "";
    // The member names of the sessions the dialog closes when it ends, in their order.
    std::vector<std::string> closedSessions;
    // The switch model the dialog is seen on whole (the PoE dialogs need a PoE model).
    const char* model = "KSX-7700-52";
};

// Every item in menu order; the popups appear in the order of their first item.
std::span<const ModuleMenuEntry> ModuleMenuTable();

// The text of the window-menu About item.
inline constexpr char kSystemAboutText[] = "&About KSX-7700-52 Module...";

// Builds the command's dialog, without a parent.
using CommandDialogFactory = std::function<std::unique_ptr<QDialog>()>;
// Runs a command that is not a dialog of its own (confirmations and device tools).
using CommandAction = std::function<void(CModuleWindow& window)>;

// Call on the UI thread before the module window is built; a later registration for the
// same id replaces the earlier one (of either kind).
void RegisterCommandDialog(int id, CommandDialogFactory factory);
void RegisterCommandAction(int id, CommandAction action);
// Removes whatever is registered for `id`.
void UnregisterCommand(int id);

// What is registered for `id`; empty when nothing (or the other kind) is.
CommandDialogFactory CommandDialogFor(int id);
CommandAction CommandActionFor(int id);
bool IsCommandAvailable(int id);

// Registers the program's commands: the About box and every feature dialog built so far.
void RegisterModuleCommands();
