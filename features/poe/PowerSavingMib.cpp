// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/poe/PowerSavingMib.h"

#include "features/common/SnmpRequests.h"
#include "snmp/PortEncoding.h"
#include "snmp/TextConversion.h"

namespace powersaving {

namespace {

std::string Scalar(const std::string& tail) {
    return ScalarOid(PrivateOid("31." + tail));
}

std::string ActionScalar(int type, int part) {
    return Scalar(std::to_string(type) + "." + std::to_string(part));
}

} // namespace

const std::array<ActionKind, kActionCount>& Actions() {
    static const std::array<ActionKind, kActionCount> actions = {{
        {1, "LED Shut-off", "LED_Shutoff"},
        {2, "Port Shut-off", "Port_Shutoff"},
        {3, "Port Standby", "Port_Standby"},
        {4, "System Hibernation", "System_Hibernation"},
    }};
    return actions;
}

std::vector<std::string> ReadInstances() {
    std::vector<std::string> instances = {Scalar("5"), Scalar("6")};
    for (int type = 1; type < kHibernation; ++type) {
        for (int part = 1; part <= 4; ++part) {
            instances.push_back(ActionScalar(type, part));
        }
    }
    for (int part = 1; part <= 3; ++part) {
        instances.push_back(ActionScalar(kHibernation, part));
    }
    return instances;
}

std::string ProfileNameColumn() {
    return PrivateOid("32.1.1.2");
}

Settings SettingsOf(const std::vector<std::string>& values) {
    const auto at = [&values](std::size_t i) { return i < values.size() ? values[i] : ""; };
    Settings settings;
    settings.cableLength = IntegerOf(at(0));
    settings.linkStatus = IntegerOf(at(1));
    std::size_t next = 2;
    for (std::size_t action = 0; action + 1 < kActionCount; ++action) {
        ActionValues& values = settings.actions[action];
        values.ports = at(next++);
        values.state = IntegerOf(at(next++));
        values.profile1 = IntegerOf(at(next++));
        values.profile2 = IntegerOf(at(next++));
    }
    ActionValues& hibernation = settings.actions[kHibernation - 1];
    hibernation.state = IntegerOf(at(next++));
    hibernation.profile1 = IntegerOf(at(next++));
    hibernation.profile2 = IntegerOf(at(next));
    return settings;
}

std::optional<ProfileName> ProfileNameOfRow(const SnmpRow& row) {
    const std::optional<long> index = IntegerOf(row.suffix);
    if (!index) {
        return std::nullopt;
    }
    return ProfileName{*index, Utf8ToText(row.Value(0)).toStdString()};
}

std::string ProfileNameOf(std::optional<long> index, const std::vector<ProfileName>& names) {
    if (index && *index != 0) {
        for (const ProfileName& profile : names) {
            if (profile.index == *index) {
                return profile.name;
            }
        }
    }
    return "None";
}

std::string PortEditText(int type, const std::string& ports, int portCount) {
    if (type == kHibernation) {
        return {};
    }
    return PortBitsToRanges(ports, 1, portCount).text;
}

std::string PortCell(int type, const std::string& ports, int portCount) {
    if (type == kHibernation) {
        return "All Port";
    }
    const std::string text = PortEditText(type, ports, portCount);
    return text.empty() ? "None" : text;
}

CSetRequest DetectionRequest(bool cableLength, bool linkStatus) {
    CSetRequest request;
    request.Integer(Scalar("5"), cableLength ? 1L : 2L).Integer(Scalar("6"), linkStatus ? 1L : 2L);
    return request;
}

ApplyPlan PlanAction(const ActionInput& input, int portCount) {
    ApplyPlan plan;
    if (input.type < 1 || input.type > kActionCount) {
        plan.refusal = Refusal{"Invalid Portlist"};
        return plan;
    }
    std::optional<PortFlags> ports;
    if (input.type != kHibernation) {
        ports = PortRangesToFlags(input.portText, portCount);
        CheckChain checks;
        checks.Require(ports.has_value(), "Invalid Portlist");
        plan.refusal = checks.FirstRefusal();
        if (plan.refusal) {
            return plan;
        }
    }
    const int state = input.type == kHibernation ? 1 : 2;
    const int first = input.type == kHibernation ? 2 : 3;
    plan.Request()
        .Integer(ActionScalar(input.type, state), input.enabled ? 1L : 2L)
        .Integer(ActionScalar(input.type, first), input.profile1)
        .Integer(ActionScalar(input.type, first + 1), input.profile2);
    if (ports) {
        plan.Request().OctetString(ActionScalar(input.type, 1),
                                   PortFlagsToPortList(*ports, portCount));
    }
    return plan;
}

} // namespace powersaving

CPowerSavingMib::CPowerSavingMib()
    : m_cProfileWalk(m_cCommonSNMPTable, {powersaving::ProfileNameColumn()},
                     &powersaving::ProfileNameOfRow) {}

bool CPowerSavingMib::Read() {
    const auto values = ReadValues(m_cCommonSNMP, powersaving::ReadInstances());
    if (!values) {
        return false;
    }
    m_settings = powersaving::SettingsOf(*values);
    return true;
}
