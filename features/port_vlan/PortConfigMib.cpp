// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/PortConfigMib.h"

#include "features/common/SnmpRequests.h"

#include <array>

namespace portconfig {

namespace {

constexpr std::array<std::string_view, 7> kSpeedCellTexts = {
    "1000MFull", "100MFull", "100MHalf", "10MFull", "10MHalf", "Auto", "Disable"};
constexpr std::array<std::string_view, 2> kFlowCellTexts = {"Enabled", "Disabled"};

constexpr std::string_view kOperModeDown = "1";

// The operating mode in the form that names the medium, copper assumed.
std::string OperModeMediumText(std::string_view value) {
    return TextOfValue(value,
                       {{"2", "1000M C Full"},
                        {"3", "100M C Full"},
                        {"4", "100M C Half"},
                        {"5", "10M C Full"},
                        {"6", "10M C Half"}},
                       "1000M C Full");
}

template <std::size_t N>
int IndexOfText(const std::array<std::string_view, N>& texts, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (texts[i] == text) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

} // namespace

std::string SpeedColumn() {
    return PrivateOid("1.13.1.2");
}

std::string OperModeColumn() {
    return PrivateOid("1.13.1.3");
}

std::string FlowControlColumn() {
    return PrivateOid("1.13.1.5");
}

std::string DefaultPriorityColumn() {
    return PrivateOid("12.3.1.1.2");
}

std::string OperFlowControlColumn() {
    return PrivateOid("1.13.1.6");
}

std::string MediaTypeColumn() {
    return PrivateOid("1.13.1.7");
}

std::vector<std::string> PortTableColumns() {
    return {SpeedColumn(),           OperModeColumn(),        FlowControlColumn(),
            DefaultPriorityColumn(), OperFlowControlColumn(), MediaTypeColumn()};
}

std::string TrunkMemberColumn() {
    return PrivateOid("8.1.3.1.2");
}

std::vector<std::string> SpeedComboItems() {
    return {"1000M-Full", "100M-Full", "100M-Half", "10M-Full", "10M-Half", "Auto", "Disable"};
}

std::vector<std::string> FlowControlComboItems() {
    return {"Enabled", "Disabled"};
}

std::string SpeedText(std::string_view value) {
    return TextOfValue(value,
                       {{"1", "1000MFull"},
                        {"2", "100MFull"},
                        {"3", "100MHalf"},
                        {"4", "10MFull"},
                        {"5", "10MHalf"},
                        {"6", "Auto"},
                        {"7", "Disable"}},
                       "1000MFull");
}

std::string OperModeText(std::string_view value) {
    return TextOfValue(value,
                       {{"1", "Down"},
                        {"2", "1000MFull"},
                        {"3", "100MFull"},
                        {"4", "100MHalf"},
                        {"5", "10MFull"},
                        {"6", "10MHalf"}},
                       "1000MFull");
}

std::string FlowControlText(std::string_view value) {
    return TextOfValue(value, {{"1", "Enabled"}}, "Disabled");
}

std::string DefaultPriorityText(std::string_view value) {
    return TextOfValue(value, {{"1", "Low"}, {"2", "Middle"}, {"3", "High"}, {"4", "Highest"}},
                       "Low");
}

std::string OperFlowControlText(std::string_view value) {
    // The switch knows only 1 and 2; anything else is not flow control at work.
    return TextOfValue(value, {{"1", "Enabled"}, {"2", "Disabled"}}, "Disabled");
}

std::string SpeedTextOfIndex(int speedIndex) {
    return speedIndex >= 0 && speedIndex < static_cast<int>(kSpeedCellTexts.size())
               ? std::string(kSpeedCellTexts[static_cast<std::size_t>(speedIndex)])
               : std::string();
}

int SpeedIndexOfText(std::string_view text) {
    return IndexOfText(kSpeedCellTexts, text);
}

std::string FlowControlTextOfIndex(int flowIndex) {
    return flowIndex == kFlowEnabled ? "Enabled" : "Disabled";
}

int FlowIndexOfText(std::string_view text) {
    return text == kFlowCellTexts[0] ? kFlowEnabled : kFlowDisabled;
}

std::string SpeedValueOfIndex(int speedIndex) {
    return std::to_string(speedIndex + 1);
}

std::string FlowValueOfIndex(int flowIndex) {
    return flowIndex == kFlowEnabled ? "1" : "2";
}

int ComboPortCount(int portCount) {
    switch (portCount) {
    case 16:
    case 24:
    case 48:
        return 4;
    case 10:
        return 2;
    default:
        return 0;
    }
}

bool IsComboPort(int port, int portCount) {
    return port > portCount - ComboPortCount(portCount);
}

std::string OperModeCell(std::string_view operMode, int port, int mediaType, int portCount,
                         bool allGiga) {
    const std::string plain = OperModeText(operMode);
    if (!IsComboPort(port, portCount) || operMode == kOperModeDown) {
        return plain;
    }
    const std::string medium = OperModeMediumText(operMode);
    switch (mediaType) {
    case kMediaFiber100:
        if (medium == "100M C Half") {
            return "100M F Half";
        }
        if (medium == "100M C Full") {
            return "100M F Full";
        }
        return plain;
    case kMediaFiber1000:
        return medium == "1000M C Full" ? "1000M F Full" : plain;
    case kMediaCopper:
        return (port <= portCount - 2 || allGiga) ? medium : plain;
    default:
        return plain;
    }
}

bool RefusesGigabit(int mediaType, int speedIndex, bool allGiga) {
    return mediaType == kMediaCopper100 && speedIndex == kSpeed1000Full && !allGiga;
}

bool FiberRefusesAuto(int mediaType, int speedIndex) {
    return mediaType == kMediaFiber100 && speedIndex == kSpeedAuto;
}

bool GigabitFiberRefusesSpeed(int mediaType, int speedIndex) {
    return mediaType == kMediaFiber1000 && speedIndex >= kSpeed100Full &&
           speedIndex <= kSpeed10Half;
}

bool FastFiberRefusesSpeed(int mediaType, int speedIndex) {
    return mediaType == kMediaFiber100 && speedIndex != kSpeed100Full &&
           speedIndex != kSpeed100Half && speedIndex != kSpeedDisable;
}

bool IsHalfDuplex(int speedIndex) {
    return speedIndex == kSpeed100Half || speedIndex == kSpeed10Half;
}

bool IsForcedSpeed(int speedIndex) {
    return speedIndex != kSpeedAuto && speedIndex != kSpeedDisable;
}

} // namespace portconfig
