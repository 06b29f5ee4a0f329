// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the panel poller hands to the UI thread. The panel view applies it there.
#pragma once

#include <optional>
#include <string>
#include <vector>

// One port's part of a poll result; the fields that are set are applied in this order.
struct PanelPortUpdate {
    int Port = 0;                  // port number, from 1
    std::optional<int> Status;     // CPort::SetStatus of the numbered port
    std::optional<int> Indicator;  // its IndicatorState byte
    std::optional<int> StateValue; // its entry of the per-port state array
};

// What one poll step found, applied on the UI thread in this order.
struct PanelPollResult {
    std::optional<std::string> FanStatus; // "1" working, "2" failed
    std::optional<int> LedMode;           // 1 link mode, 0 PoE mode
    std::optional<bool> BIsPowMax;
    bool DarkenAllLamps = false;    // every IndicatorState byte to 3 (a failed walk)
    bool ResetAfterTimeout = false; // the link walk timed out: ports back to "no link"/"empty"
    std::vector<PanelPortUpdate> Ports;
    bool StartBlinkTimer = false; // (re)start the 200 ms blink timer
};
