// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Calendar helpers of the time-range and time-profile dialogs.
#pragma once

#include <string>
#include <string_view>

// Gregorian leap year.
bool IsLeapYear(int year);

// Number of days of a month as the day combos show it: month "1" to "12" and a decimal
// year give "28" to "31". Any other month, or February of a year that is not a number,
// gives an empty text.
std::string DaysInMonth(std::string_view month, std::string_view year);
