// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/DateHelpers.h"

#include <gtest/gtest.h>

TEST(DaysInMonth, GivesTheLengthOfEachMonthByTheGregorianRule) {
    for (const char* month : {"1", "3", "5", "7", "8", "10", "12"}) {
        EXPECT_EQ(DaysInMonth(month, "2023"), "31") << month;
    }
    for (const char* month : {"4", "6", "9", "11"}) {
        EXPECT_EQ(DaysInMonth(month, "2023"), "30") << month;
    }
    EXPECT_EQ(DaysInMonth("2", "2000"), "29");
    EXPECT_EQ(DaysInMonth("2", "1900"), "28");
    EXPECT_EQ(DaysInMonth("2", "2024"), "29");
    EXPECT_EQ(DaysInMonth("2", "2023"), "28");
}

TEST(DaysInMonth, UnknownInputGivesNoText) {
    for (const char* month : {"0", "13", "02", " 2", "", "Feb", "\xC3\xA9"}) {
        EXPECT_EQ(DaysInMonth(month, "2024"), "") << month;
    }
    for (const char* year : {"", "20x4", "-4", "99999999999999999999"}) {
        EXPECT_EQ(DaysInMonth("2", year), "") << year;
    }
    EXPECT_EQ(DaysInMonth("1", "not a year"), "31");
}
