// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Rates from two readings of a port's counters, as one table: wraps, restarts, cleared
// counters, missing 64-bit counters, unknown speed and unanswered readings.
#include "features/maintenance/TrafficRates.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using traffic::Counters;
using traffic::Rates;

constexpr uint64_t kGiga = 1000000000;
constexpr uint64_t kWrap = uint64_t{1} << 32;

Counters Reading(uint32_t upTime, uint64_t octets, bool highCapacity = true, uint64_t speed = kGiga,
                 uint32_t errors = 0) {
    return {upTime, highCapacity, octets, octets / 2, errors, 0, 0, 0, speed};
}

std::string Text(const std::optional<double>& value) {
    return value ? std::to_string(static_cast<long long>(*value)) : "gap";
}

TEST(TrafficRatesRules, OneTableOfReadings) {
    Counters unanswered = Reading(600, 0);
    unanswered.upTime.reset();
    Counters noOctets = Reading(600, 0);
    noOctets.inOctets.reset();
    struct Case {
        const char* what;
        Counters earlier;
        Counters later;
        std::string in;
        std::string errors;
        std::string percent;
        bool uncertain;
    };
    const Case cases[] = {
        {"5 s at 250 Mbit/s", Reading(100, 0), Reading(600, 156250000), "250000000", "0", "25",
         false},
        {"the interval is the switch's up-time", Reading(100, 0), Reading(1100, 156250000),
         "125000000", "0", "12", false},
        {"32-bit wrap", Reading(100, kWrap - 1000, false), Reading(600, 156249000, false),
         "250000000", "0", "25", false},
        {"32-bit, 40 s at 1 Gbit/s may have wrapped twice", Reading(100, 0, false),
         Reading(4100, 1000, false), "200", "0", "0", true},
        {"restart: up-time went back", Reading(600, 900000), Reading(100, 1000), "gap", "gap",
         "gap", false},
        {"64-bit counter cleared", Reading(100, 900000), Reading(600, 1000), "gap", "0", "gap",
         false},
        {"32-bit counter cleared: the wrap would exceed the link", Reading(100, 900000, false),
         Reading(600, 1000, false, 100000000), "gap", "0", "gap", false},
        {"above the link's speed", Reading(100, 0, true, 100000000),
         Reading(600, 100000000, true, 100000000), "gap", "0", "gap", false},
        {"unknown speed: a rate, no utilisation", Reading(100, 0, true, 0),
         Reading(600, 625000, true, 0), "1000000", "0", "gap", false},
        {"errors: 10 a second", Reading(100, 0, true, kGiga, 5), Reading(600, 0, true, kGiga, 55),
         "0", "10", "0", false},
        {"errors cleared", Reading(100, 0, true, kGiga, 55), Reading(600, 0, true, kGiga, 5), "0",
         "gap", "0", false},
        {"unanswered reading", Reading(100, 0), unanswered, "gap", "gap", "gap", false},
        {"64-bit counters gone (old firmware after an update)", Reading(100, 0, true),
         Reading(600, 1000, false), "gap", "gap", "gap", false},
        {"no octet counter answered", Reading(100, 0), noOctets, "gap", "0", "gap", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Rates rates = traffic::RatesBetween(c.earlier, c.later);
        EXPECT_EQ(Text(rates.inBps), c.in);
        EXPECT_EQ(Text(rates.errorsPerSecond), c.errors);
        EXPECT_EQ(Text(Rates::Percent(rates.inBps, c.later.speedBps)), c.percent);
        EXPECT_EQ(rates.uncertain, c.uncertain);
    }
}

} // namespace
