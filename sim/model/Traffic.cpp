// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Traffic.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace ksxsim {

namespace {

constexpr double kAnimationPeriodSeconds = 120;
constexpr double kAnimationDepth = 0.5; // the rate swings between 50% and 150% of its share
constexpr double kOutShare = 0.6;       // of the in rate
constexpr double kAveragePacketOctets = 512;
constexpr uint64_t kNearWrapStart = (uint64_t{1} << 32) - 40'000'000;

bool ParseNumber(std::string_view text, uint64_t& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

} // namespace

bool ParseFixedTraffic(std::string_view text, int& port, FixedTraffic& traffic) {
    const size_t first = text.find(':');
    if (first == std::string_view::npos) {
        return false;
    }
    const size_t second = text.find(':', first + 1);
    uint64_t number = 0;
    uint64_t errors = 0;
    if (!ParseNumber(text.substr(0, first), number) || number < 1 || number > 1024) {
        return false;
    }
    port = static_cast<int>(number);
    const std::string_view rate = text.substr(first + 1, second - first - 1);
    if (!ParseNumber(rate, traffic.bitsPerSecond)) {
        return false;
    }
    if (second != std::string_view::npos &&
        (!ParseNumber(text.substr(second + 1), errors) || errors > UINT32_MAX)) {
        return false;
    }
    traffic.errorsPerSecond = static_cast<uint32_t>(errors);
    return true;
}

double TrafficCounters::Share(int port) const {
    return (2 + (port * 7) % 23) / 100.0; // 2% to 24% of the link speed
}

double TrafficCounters::RateAt(int port, uint64_t speedBps, double seconds) const {
    if (const auto fixed = settings_.fixed.find(port); fixed != settings_.fixed.end()) {
        // No link carries more than its speed.
        return static_cast<double>(std::min(fixed->second.bitsPerSecond, speedBps));
    }
    const double base = Share(port) * static_cast<double>(speedBps);
    if (!settings_.animated) {
        return base;
    }
    const double phase = 2 * std::numbers::pi * seconds / kAnimationPeriodSeconds + port;
    return base * (1 + kAnimationDepth * std::sin(phase));
}

double TrafficCounters::OctetsUntil(int port, uint64_t speedBps, double seconds) const {
    if (settings_.fixed.contains(port) || !settings_.animated) {
        return RateAt(port, speedBps, seconds) * seconds / 8;
    }
    const double base = Share(port) * static_cast<double>(speedBps);
    const double omega = 2 * std::numbers::pi / kAnimationPeriodSeconds;
    const double swing = kAnimationDepth / omega *
                         (std::cos(static_cast<double>(port)) - std::cos(omega * seconds + port));
    return base * (seconds + swing) / 8;
}

PortCounters TrafficCounters::Read(int port, bool linkUp, uint64_t speedBps, uint32_t ticks) {
    Accumulated& a = ports_[port];
    if (ticks < a.ticks) {
        a = Accumulated{}; // the switch restarted: its counters start again
    }
    if (linkUp) {
        const double from = a.ticks / 100.0;
        const double to = ticks / 100.0;
        const double octets = OctetsUntil(port, speedBps, to) - OctetsUntil(port, speedBps, from);
        a.inOctets += octets;
        a.outOctets += settings_.fixed.contains(port) ? octets : octets * kOutShare;
        if (const auto fixed = settings_.fixed.find(port); fixed != settings_.fixed.end()) {
            a.errors += fixed->second.errorsPerSecond * (to - from);
        }
    }
    a.ticks = ticks;

    const uint64_t start = settings_.nearWrap ? kNearWrapStart : 0;
    PortCounters c;
    c.inOctets = start + static_cast<uint64_t>(a.inOctets);
    c.outOctets = start + static_cast<uint64_t>(a.outOctets);
    c.inPackets = static_cast<uint64_t>(a.inOctets / kAveragePacketOctets);
    c.outPackets = static_cast<uint64_t>(a.outOctets / kAveragePacketOctets);
    c.inErrors = static_cast<uint64_t>(a.errors);
    return c;
}

} // namespace ksxsim
