// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/TrafficRates.h"

namespace traffic {

namespace {

constexpr double kWrap32 = 4294967296.0;

// Octets per second from one pair of octet counters, or nothing when implausible.
std::optional<double> OctetRate(const std::optional<uint64_t>& earlier,
                                const std::optional<uint64_t>& later, bool highCapacity,
                                double seconds, uint64_t speedBps) {
    if (!earlier || !later) {
        return std::nullopt;
    }
    const auto advance = CounterAdvance(*earlier, *later, highCapacity ? 64 : 32);
    if (!advance) {
        return std::nullopt;
    }
    const double bps = static_cast<double>(*advance) * 8 / seconds;
    if (speedBps != 0 && bps > static_cast<double>(speedBps)) {
        return std::nullopt; // no link carries more than its speed: a cleared counter wrapped
    }
    return bps;
}

// Events per second of the in and out counters together; a counter that went back was
// cleared (an error counter of a working link does not wrap between two readings).
std::optional<double> EventRate(const Counters& earlier, const Counters& later,
                                std::optional<uint32_t> Counters::*in,
                                std::optional<uint32_t> Counters::*out, double seconds) {
    double events = 0;
    for (auto counter : {in, out}) {
        const auto& from = earlier.*counter;
        const auto& to = later.*counter;
        if (!from || !to || *to < *from) {
            return std::nullopt;
        }
        events += *to - *from;
    }
    return events / seconds;
}

} // namespace

std::optional<double> Rates::Percent(std::optional<double> bps, uint64_t speedBps) {
    if (!bps || speedBps == 0) {
        return std::nullopt;
    }
    return *bps * 100 / static_cast<double>(speedBps);
}

std::optional<uint64_t> CounterAdvance(uint64_t earlier, uint64_t later, int bits) {
    if (later >= earlier) {
        return later - earlier;
    }
    if (bits == 32 && earlier < (uint64_t{1} << 32) && later < (uint64_t{1} << 32)) {
        return (uint64_t{1} << 32) - earlier + later;
    }
    return std::nullopt; // a 64-bit counter never wraps in practice: it was cleared
}

Rates RatesBetween(const Counters& earlier, const Counters& later) {
    Rates rates;
    if (!earlier.upTime || !later.upTime || *later.upTime <= *earlier.upTime ||
        earlier.highCapacity != later.highCapacity) {
        return rates; // no interval: unanswered, or the switch restarted in between
    }
    const double seconds = (*later.upTime - *earlier.upTime) / 100.0;
    const uint64_t speed = later.speedBps;
    rates.inBps = OctetRate(earlier.inOctets, later.inOctets, later.highCapacity, seconds, speed);
    rates.outBps =
        OctetRate(earlier.outOctets, later.outOctets, later.highCapacity, seconds, speed);
    rates.errorsPerSecond =
        EventRate(earlier, later, &Counters::inErrors, &Counters::outErrors, seconds);
    rates.discardsPerSecond =
        EventRate(earlier, later, &Counters::inDiscards, &Counters::outDiscards, seconds);
    // At the link's speed a 32-bit octet counter wraps every 2^32 * 8 / speed seconds.
    rates.uncertain =
        !later.highCapacity && speed != 0 && seconds * static_cast<double>(speed) / 8 >= kWrap32;
    return rates;
}

} // namespace traffic
