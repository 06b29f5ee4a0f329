// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

// The traffic of the switch's ports: every port with a link carries a rate of its own (a
// share of its speed, varying over time when animated, or the rate an option gives it), and
// its counters advance with the switch's up-time while the link is up. A restart (up-time
// going back) starts every counter again from where a freshly started switch has it.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace ksxsim {

struct FixedTraffic {
    uint64_t bitsPerSecond = 0; // in each direction
    uint32_t errorsPerSecond = 0;
};

struct TrafficSettings {
    std::map<int, FixedTraffic> fixed; // by port
    bool animated = false;             // default rates vary over time
    bool nearWrap = false;             // counters start 40 MB short of the 32-bit wrap
    bool highCapacity = true;          // the interface extension table (64-bit counters)
};

// "PORT:BPS[:ERRORS_PER_S]"; false when malformed.
bool ParseFixedTraffic(std::string_view text, int& port, FixedTraffic& traffic);

struct PortCounters {
    uint64_t inOctets = 0;
    uint64_t outOctets = 0;
    uint64_t inPackets = 0;
    uint64_t outPackets = 0;
    uint64_t inErrors = 0;
    uint64_t outErrors = 0;
    uint64_t inDiscards = 0;
    uint64_t outDiscards = 0;
};

class TrafficCounters {
public:
    explicit TrafficCounters(TrafficSettings settings) : settings_(std::move(settings)) {}

    const TrafficSettings& Settings() const { return settings_; }

    // The counters of `port` at up-time `ticks` (hundredths of a second), its link up or down
    // at `speedBps` since the previous reading. The 32-bit counters are the low half.
    PortCounters Read(int port, bool linkUp, uint64_t speedBps, uint32_t ticks);

    // The rate (bit/s, each direction) a port with a link at `speedBps` carries at `seconds`.
    double RateAt(int port, uint64_t speedBps, double seconds) const;

private:
    struct Accumulated {
        uint32_t ticks = 0;
        double inOctets = 0;
        double outOctets = 0;
        double errors = 0;
    };
    // Octets sent at the port's rate from up-time 0 to `seconds` (the rate's integral / 8).
    double OctetsUntil(int port, uint64_t speedBps, double seconds) const;
    double Share(int port) const;

    TrafficSettings settings_;
    std::map<int, Accumulated> ports_;
};

} // namespace ksxsim
