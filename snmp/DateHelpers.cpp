// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/DateHelpers.h"

#include "snmp/TextParsing.h"

#include <climits>

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::string DaysInMonth(std::string_view month, std::string_view year) {
    for (std::string_view longMonth : {"1", "3", "5", "7", "8", "10", "12"}) {
        if (month == longMonth) {
            return "31";
        }
    }
    for (std::string_view shortMonth : {"4", "6", "9", "11"}) {
        if (month == shortMonth) {
            return "30";
        }
    }
    if (month != "2") {
        return {};
    }
    const auto yearNumber = text_parsing::ParseDecimal(year, INT_MAX);
    if (!yearNumber) {
        return {};
    }
    return IsLeapYear(static_cast<int>(*yearNumber)) ? "29" : "28";
}
