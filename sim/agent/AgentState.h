// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

// The agent's process-wide state. Net-SNMP's agent library is global and single-threaded,
// and so is everything here: all of it runs on the agent's loop.

#include "sim/agent/JsonLog.h"
#include "sim/agent/Options.h"
#include "sim/model/Model.h"

#include <chrono>
#include <memory>

namespace ksxsim {

struct AgentState {
    SimOptions options;
    std::unique_ptr<SwitchModel> model;
    std::chrono::steady_clock::time_point boot = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point silentUntil{};
    long answered = 0;
    JsonLog setLog;
    JsonLog requestLog;
};

AgentState& State();

// sysUpTime in hundredths of a second since the last (simulated) start.
uint32_t UptimeTicks();

// The agent answers nothing for the given time, as a switch that restarts; the restart
// sets sysUpTime back to zero when the silence ends.
void StartRestart(double seconds);
bool IsSilent();

// Timed behaviours started by set requests (see Transaction::Events).
void HandleEvents(const std::vector<std::string>& events);
void StartAnimation();

// Runs the agent until SIGINT or SIGTERM. Returns the process exit code.
int RunAgent(SimOptions options);

} // namespace ksxsim
