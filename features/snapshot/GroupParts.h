// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the group files share: value texts and the makers of the groups, which AllGroups
// lists in menu order.
#pragma once

#include "features/snapshot/SnapshotGroups.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace snapshot {

std::string NumberText(const std::optional<long>& value);
// "Port 5": the row of a port's settings.
std::string PortRow(long port);
// A dialog label as a setting name: without its mnemonic '&', blanks and colon at the end.
std::string LabelText(const std::string& label);
// Text the switch holds as UTF-8, as the dialogs show it (bad sequences replaced).
std::string SwitchText(const std::string& bytes);
// The ports of a PortList, as ranges ("1-4,7").
std::string PortsText(const std::string& octets);
bool IsPoeSwitch();
// A walk's end handler that tells `done` whether the walk reached the end of its table.
std::function<void(int)> EndOfTable(std::function<void(bool)> done);

std::unique_ptr<CGroup> MakeTimeProfileGroup();
std::unique_ptr<CGroup> MakePowerSavingGroup();
std::unique_ptr<CGroup> MakeVlanGroup();
std::unique_ptr<CGroup> MakeSurveillanceGroup();
std::unique_ptr<CGroup> MakeSpanningTreeGroup();
std::unique_ptr<CGroup> MakeMulticastFilterGroup();
std::unique_ptr<CGroup> MakeIgmpGroup();
std::unique_ptr<CGroup> MakeArpSpoofGroup();
std::unique_ptr<CGroup> MakeDhcpScreenGroup();
std::unique_ptr<CGroup> MakeImpbSettingsGroup();
std::unique_ptr<CGroup> MakeSmartBindingGroup();
std::unique_ptr<CGroup> MakeWhiteListGroup();
std::unique_ptr<CGroup> MakeSnmpGlobalStateGroup();
std::unique_ptr<CGroup> MakeSnmpUserGroup();
std::unique_ptr<CGroup> MakeSnmpGroupGroup();
std::unique_ptr<CGroup> MakeSnmpViewGroup();
std::unique_ptr<CGroup> MakeSnmpHostGroup();
std::unique_ptr<CGroup> MakeSnmpEngineIdGroup();
std::unique_ptr<CGroup> MakeSnmpTrapGroup();
std::unique_ptr<CGroup> MakePoeGlobalGroup();
std::unique_ptr<CGroup> MakePoePortGroup();
std::unique_ptr<CGroup> MakePoeTimeRangeGroup();

} // namespace snapshot
