// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The panel poller's decisions, free of threads and SNMP: what a port shows for the values
// the link and PoE walks return, and how the fan, LED-mode and power readings are read.
#pragma once

#include "app/PanelPollResult.h"

#include <string>
#include <string_view>
#include <vector>

// Port states of the panel (also the IndicatorState values the walks store).
enum PanelPortState : int {
    kPortLinkBelowTopSpeed = 0,
    kPortLinkAtTopSpeed = 1, // or PoE powered
    kPortDisabled = 2,       // or PoE off
    kPortNoLink = 3,
    kPortEmpty = 4,
};

// The panel shows at most this many ports (the size of its indicator table).
inline constexpr int kMaxPanelPorts = 100;

// Ports that can power a device; in PoE LED mode the ports after them show disabled.
inline constexpr int kPoePortCount = 8;

// What the rules need to know about the device (from User.ini).
struct PollDevice {
    int portCount = 28;
    int portOffset = 0;
    bool isAllGiga = false;
};

// The model has PoE when its name holds a 'P' or 'p'.
bool IsPoeModel(std::string_view modelName);

// The leading decimal digits of `text` as a number (0 without any).
int LeadingDecimal(std::string_view text);

// The last ports of a switch are its gigabit ports; ports up to this number are 100-Mbit/s
// ports (unless every port is gigabit).
int TopSpeedLimit(int portCount);

// The state of link-walk row `index`: disabled, no link, or a link at or below the port's
// top speed.
int LinkPortState(std::string_view adminStatus, std::string_view operStatus, std::string_view speed,
                  int index, const PollDevice& device);

// One row of the link walk: ifIndex, ifSpeed, ifAdminStatus, ifOperStatus and the private
// media column, as the agent returned them.
struct LinkRow {
    std::string index;
    std::string speed;
    std::string adminStatus;
    std::string operStatus;
    std::string value;
};

// The rows of a link walk so far.
struct LinkAccumulators {
    std::vector<LinkRow> rows;
};

// Appends the port updates of the gathered rows to `result` and asks for the blink timer.
// Rows for index 0 or above the port count change nothing.
void RefreshLinkStatus(const LinkAccumulators& gathered, const PollDevice& device,
                       PanelPollResult& result);

// PoE port state from the status text: "POWER ON" powered, "POWER OFF" and "Time-based OFF"
// off, anything else unknown (orange).
int PoePortState(std::string_view statusText);

// The port a PoE status row stands for: the last arc of its index (the table is indexed by
// unit and port).
int PoeRowPort(std::string_view suffix);

struct PoeAccumulators {
    std::vector<int> ports;
    std::vector<std::string> statuses;
};

// The comma-terminated list texts the debug output shows ("1,2,3,").
std::string CommaTerminated(const std::vector<int>& items);
std::string CommaTerminated(const std::vector<std::string>& items);

// Appends the port updates of the gathered PoE rows to `result` and asks for the blink timer.
// The row of port 1 first shows every port after the PoE ports disabled.
void RefreshPOEPortStatus(const PoeAccumulators& gathered, const PollDevice& device,
                          PanelPollResult& result);

// Fan status text from the fan object: "1" working, "2" anything else.
std::string FanStatusFromValue(std::string_view value);
// LED mode from its object: 1 link mode for "1", 0 PoE mode otherwise.
int LedModeFromValue(std::string_view value);
// True when the power value (a decimal text such as "15.4") is at most 15.4.
bool IsPowerAtMost154(std::string_view value);
