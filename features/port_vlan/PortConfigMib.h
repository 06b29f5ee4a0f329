// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The switch's port table as the Port Configuration dialog reads and writes it: the columns,
// the texts of their values, the combo ports whose operating mode names the medium, and the
// speeds each medium takes. No widgets and no sessions here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace portconfig {

// Columns of the port table, indexed by port number.
std::string SpeedColumn();
std::string OperModeColumn();
std::string FlowControlColumn();
std::string DefaultPriorityColumn();
std::string OperFlowControlColumn();
std::string MediaTypeColumn();
// The columns of one walk of the port table, in the order the list shows them; the media
// type comes last and is not shown.
std::vector<std::string> PortTableColumns();
// One PortList per trunk group; the row index is the group number.
std::string TrunkMemberColumn();

inline constexpr unsigned kPortWalkStepTimeoutMs = 8000;
inline constexpr unsigned kSetTimeoutMs = 9000;
inline constexpr unsigned kRetryDelayMs = 50;

// Indexes of the speed combo (the value written is the index + 1).
enum SpeedIndex : int {
    kSpeed1000Full = 0,
    kSpeed100Full = 1,
    kSpeed100Half = 2,
    kSpeed10Full = 3,
    kSpeed10Half = 4,
    kSpeedAuto = 5,
    kSpeedDisable = 6,
};
// Indexes of the flow-control combo.
enum FlowIndex : int { kFlowEnabled = 0, kFlowDisabled = 1 };

// Media types of the port table.
enum MediaType : int {
    kMediaCopper100 = 1, // copper, 100M at most unless every port is gigabit
    kMediaCopper = 2,    // copper that names its medium
    kMediaFiber100 = 3,  // fibre with a 100Base-X module
    kMediaFiber1000 = 4, // fibre with a 1000Base-X module
};

// The items of the two combos, in index order.
std::vector<std::string> SpeedComboItems();
std::vector<std::string> FlowControlComboItems();

// Cell texts of the values read.
std::string SpeedText(std::string_view value);
std::string OperModeText(std::string_view value);
std::string FlowControlText(std::string_view value);
std::string DefaultPriorityText(std::string_view value);
std::string OperFlowControlText(std::string_view value);

// The speed cell text a combo index stands for, and the index of a speed cell text (0 for
// a text that is none of them).
std::string SpeedTextOfIndex(int speedIndex);
int SpeedIndexOfText(std::string_view text);
std::string FlowControlTextOfIndex(int flowIndex);
int FlowIndexOfText(std::string_view text);

// The values written for the combo indexes: speed index + 1, flow "1" or "2".
std::string SpeedValueOfIndex(int speedIndex);
std::string FlowValueOfIndex(int flowIndex);

// How many of the last ports run copper or fibre: 4 on 16, 24 and 48 ports, 2 on 10, else 0.
int ComboPortCount(int portCount);
bool IsComboPort(int port, int portCount);

// The OperMode cell of `port`: the plain text, or on a combo port the form that names its
// medium as its media type tells ("100M F Full", "1000M C Full", ...). A port that is down
// reads "Down" whatever its medium.
std::string OperModeCell(std::string_view operMode, int port, int mediaType, int portCount,
                         bool allGiga);

// The speeds a port's medium cannot run (each with its own refusal in the dialog).
bool RefusesGigabit(int mediaType, int speedIndex, bool allGiga);
bool FiberRefusesAuto(int mediaType, int speedIndex);
bool GigabitFiberRefusesSpeed(int mediaType, int speedIndex);
bool FastFiberRefusesSpeed(int mediaType, int speedIndex);
bool IsHalfDuplex(int speedIndex);
// Forced speeds ask the administrator first; Auto and Disable do not.
bool IsForcedSpeed(int speedIndex);

} // namespace portconfig
