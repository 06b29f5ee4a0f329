// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Rates from two readings of a port's counters. The interval is the switch's own up-time
// between the readings, so a slow answer does not distort a rate. Whatever makes the
// difference of two counters meaningless gives no rate (a gap), never a spike: the switch
// restarted (up-time went back), a counter went back where it cannot have wrapped (cleared on
// the console), a rate above the link's speed, a reading that got no answer.
#pragma once

#include <cstdint>
#include <optional>

namespace traffic {

// One port's counters in one reading; an empty counter was not answered.
struct Counters {
    std::optional<uint32_t> upTime; // sysUpTime of the reading, in hundredths of a second
    bool highCapacity = false;      // the octet counters are 64 bits wide
    std::optional<uint64_t> inOctets;
    std::optional<uint64_t> outOctets;
    std::optional<uint32_t> inErrors;
    std::optional<uint32_t> outErrors;
    std::optional<uint32_t> inDiscards;
    std::optional<uint32_t> outDiscards;
    uint64_t speedBps = 0; // the link's speed; 0 when unknown
};

struct Rates {
    std::optional<double> inBps;
    std::optional<double> outBps;
    std::optional<double> errorsPerSecond; // in and out
    std::optional<double> discardsPerSecond;
    // 32-bit counters over an interval in which a busy link could have wrapped them twice:
    // the rate may be too low.
    bool uncertain = false;

    // Utilisation in percent of the link's speed; empty without a rate or a known speed.
    static std::optional<double> Percent(std::optional<double> bps, uint64_t speedBps);
};

// The rates from `earlier` to `later` of one port.
Rates RatesBetween(const Counters& earlier, const Counters& later);

// How much a counter of `bits` (32 or 64) advanced from `earlier` to `later`, taking one wrap
// of a 32-bit counter; empty when it went back and cannot have wrapped.
std::optional<uint64_t> CounterAdvance(uint64_t earlier, uint64_t later, int bits);

} // namespace traffic
