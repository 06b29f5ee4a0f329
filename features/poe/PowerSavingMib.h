// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Power saving: two global detections and four scheduled actions (LED shut-off, port
// shut-off, port standby, system hibernation), each enabled or not, tied to up to two time
// profiles and, but for hibernation, to a set of ports. Plain rules and the data class.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/TypedWalk.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace powersaving {

inline constexpr int kActionCount = 4;
inline constexpr int kHibernation = 4;

struct ActionKind {
    int type; // 1 to 4
    const char* combo;
    const char* list;
};
const std::array<ActionKind, kActionCount>& Actions();

// Every power-saving scalar in one read: the two detections, then per port action its
// ports, state and two profiles, then the state and profiles of hibernation.
std::vector<std::string> ReadInstances();
// The profile name column of the time-profile table.
std::string ProfileNameColumn();

struct ActionValues {
    std::string ports; // PortList octets (none for hibernation)
    std::optional<long> state, profile1, profile2;
};
struct Settings {
    std::optional<long> cableLength, linkStatus;
    std::array<ActionValues, kActionCount> actions;
};
Settings SettingsOf(const std::vector<std::string>& values);

struct ProfileName {
    long index = 0;
    std::string name;
};
// Nothing for a row whose index is no number.
std::optional<ProfileName> ProfileNameOfRow(const SnmpRow& row);
// The name of the profile with that index, "None" when there is none.
std::string ProfileNameOf(std::optional<long> index, const std::vector<ProfileName>& names);
// The Port column: "All Port" for hibernation, "None" without ports, else ranges (1-4,6).
std::string PortCell(int type, const std::string& ports, int portCount);
// What the Port edit shows for an action: the ranges, empty without ports.
std::string PortEditText(int type, const std::string& ports, int portCount);

CSetRequest DetectionRequest(bool cableLength, bool linkStatus);

struct ActionInput {
    int type = 1;
    bool enabled = false;
    long profile1 = 0, profile2 = 0;
    std::string portText;
};
// Port actions need a valid port list ("Invalid Portlist"); a disabled action may keep an
// empty one. Hibernation sends no ports.
ApplyPlan PlanAction(const ActionInput& input, int portCount);

} // namespace powersaving

class CPowerSavingMib : public CFeatureData {
public:
    CPowerSavingMib();

    // The scalars, synchronously; false keeps what was read before.
    bool Read();
    const powersaving::Settings& Current() const { return m_settings; }
    CTypedWalk<powersaving::ProfileName>& ProfileWalk() { return m_cProfileWalk; }
    const std::vector<powersaving::ProfileName>& Profiles() const { return m_cProfileWalk.Rows(); }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTypedWalk<powersaving::ProfileName> m_cProfileWalk;
    powersaving::Settings m_settings;
};
