// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/PanelPollRules.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <type_traits>

namespace {

constexpr std::string_view kSpeed100M = "100000000";
constexpr std::string_view kSpeed1G = "1000000000";
constexpr double kPowerLimit = 15.4;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Ports outside 1..port count are not on the panel; such rows change nothing.
bool IsPanelPort(int port, const PollDevice& device) {
    return port >= 1 && port <= device.portCount;
}

template <typename Item> std::string JoinWithTrailingCommas(const std::vector<Item>& items) {
    std::string text;
    for (const Item& item : items) {
        if constexpr (std::is_same_v<Item, std::string>) {
            text += item;
        } else {
            text += std::to_string(item);
        }
        text += ',';
    }
    return text;
}

} // namespace

bool IsPoeModel(std::string_view modelName) {
    return modelName.find_first_of("Pp") != std::string_view::npos;
}

int LeadingDecimal(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (!IsDigit(c)) {
            break;
        }
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max()) {
            return std::numeric_limits<int>::max();
        }
    }
    return static_cast<int>(value);
}

int TopSpeedLimit(int portCount) {
    return portCount == 10 ? portCount - 2 : portCount - 4;
}

int LinkPortState(std::string_view adminStatus, std::string_view operStatus, std::string_view speed,
                  int index, const PollDevice& device) {
    if (adminStatus != "1") {
        return kPortDisabled;
    }
    if (operStatus != "1") {
        return kPortNoLink;
    }
    const bool gigabitPort = device.isAllGiga || index > TopSpeedLimit(device.portCount);
    const std::string_view topSpeed = gigabitPort ? kSpeed1G : kSpeed100M;
    return speed == topSpeed ? kPortLinkAtTopSpeed : kPortLinkBelowTopSpeed;
}

void RefreshLinkStatus(const LinkAccumulators& gathered, const PollDevice& device,
                       PanelPollResult& result) {
    for (const LinkRow& row : gathered.rows) {
        const int index = LeadingDecimal(row.index);
        if (!IsPanelPort(index, device)) {
            continue;
        }
        const int state = LinkPortState(row.adminStatus, row.operStatus, row.speed, index, device);
        PanelPortUpdate update;
        update.Port = index;
        update.Status = state;
        update.Indicator = state;
        update.StateValue = LeadingDecimal(row.value);
        result.Ports.push_back(update);
    }
    result.StartBlinkTimer = true;
}

int PoePortState(std::string_view statusText) {
    if (statusText == "POWER ON") {
        return kPortLinkAtTopSpeed;
    }
    if (statusText == "POWER OFF" || statusText == "Time-based OFF") {
        return kPortDisabled;
    }
    return kPortLinkBelowTopSpeed;
}

int PoeRowPort(std::string_view suffix) {
    const size_t lastDot = suffix.rfind('.');
    return LeadingDecimal(lastDot == std::string_view::npos ? suffix : suffix.substr(lastDot + 1));
}

std::string CommaTerminated(const std::vector<int>& items) {
    return JoinWithTrailingCommas(items);
}

std::string CommaTerminated(const std::vector<std::string>& items) {
    return JoinWithTrailingCommas(items);
}

void RefreshPOEPortStatus(const PoeAccumulators& gathered, const PollDevice& device,
                          PanelPollResult& result) {
    for (size_t i = 0; i < gathered.ports.size(); ++i) {
        const int port = gathered.ports[i];
        const std::string_view text =
            i < gathered.statuses.size() ? std::string_view(gathered.statuses[i]) : "";
        const int state = PoePortState(text);
        if (!IsPanelPort(port, device)) {
            continue;
        }
        if (port == 1) {
            const int last = std::min(device.portCount + device.portOffset, kMaxPanelPorts);
            for (int other = kPoePortCount + 1; other <= last; ++other) {
                PanelPortUpdate disabled;
                disabled.Port = other;
                disabled.Status = kPortDisabled;
                result.Ports.push_back(disabled);
            }
        }
        PanelPortUpdate update;
        update.Port = port;
        update.Status = state;
        update.Indicator = state;
        update.StateValue = kPortDisabled;
        result.Ports.push_back(update);
    }
    result.StartBlinkTimer = true;
}

std::string FanStatusFromValue(std::string_view value) {
    return value == "1" ? "1" : "2";
}

int LedModeFromValue(std::string_view value) {
    return value == "1" ? 1 : 0;
}

bool IsPowerAtMost154(std::string_view value) {
    size_t start = 0;
    while (start < value.size() && IsBlank(value[start])) {
        ++start;
    }
    double power = 0.0;
    const char* first = value.data() + start;
    const char* last = value.data() + value.size();
    if (std::from_chars(first, last, power).ec != std::errc()) {
        power = 0.0; // no number reads as 0, as a C conversion would
    }
    return power <= kPowerLimit;
}
