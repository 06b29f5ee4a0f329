// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// Timed behaviours: configuration save, restart, file transfers and the animated panel,
// all driven by Net-SNMP alarms on the agent's own loop.
#include "sim/agent/AgentState.h"
#include "sim/model/Behaviour.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/net-snmp-includes.h>

#include <functional>

namespace ksxsim {

namespace {

// One-shot alarms carrying a C++ callable.
void RunCallable(unsigned int, void* argument) {
    auto* action = static_cast<std::function<void()>*>(argument);
    (*action)();
    delete action;
}

void After(double seconds, std::function<void()> action) {
    timeval delay{};
    delay.tv_sec = static_cast<time_t>(seconds);
    delay.tv_usec = static_cast<suseconds_t>((seconds - static_cast<double>(delay.tv_sec)) * 1e6);
    if (delay.tv_sec == 0 && delay.tv_usec == 0) {
        delay.tv_usec = 1000;
    }
    snmp_alarm_register_hr(delay, 0, RunCallable, new std::function<void()>(std::move(action)));
}

void FinishTransfer(TransferKind kind) {
    SwitchModel& model = *State().model;
    const SimOptions& options = State().options;
    TransferResult result = TransferOutcome(model, kind, options.transferFail);
    if (result != TransferResult::Restarts) {
        SetTransferState(model, kind,
                         result == TransferResult::Fails ? kTransferFailed : kTransferSucceeded);
        return;
    }
    // A new firmware is being written: the switch says so, then restarts with it.
    SetTransferState(model, kind, kTransferApplying);
    After(1.0, [kind, &options] {
        StartRestart(options.rebootSeconds);
        After(options.rebootSeconds, [kind] {
            FinishReboot(*State().model);
            SetTransferState(*State().model, kind, kTransferSucceeded);
        });
    });
}

void AnimateTick(unsigned int, void*) {
    static uint32_t step = 0;
    if (!IsSilent()) {
        AnimateStep(*State().model, step++, UptimeTicks());
    }
}

} // namespace

void StartRestart(double seconds) {
    AgentState& state = State();
    auto duration = std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    state.silentUntil = std::chrono::steady_clock::now() + duration;
    state.boot = state.silentUntil; // sysUpTime starts again when the switch is back
}

void HandleEvents(const std::vector<std::string>& events) {
    const SimOptions& options = State().options;
    for (const std::string& event : events) {
        if (event == kEventSave) {
            After(options.saveSeconds, [] { FinishSave(*State().model); });
        } else if (event == kEventReboot) {
            StartRestart(options.rebootSeconds);
            After(options.rebootSeconds, [] { FinishReboot(*State().model); });
        } else if (event == kEventFirmwareTransfer) {
            After(options.transferSeconds, [] { FinishTransfer(TransferKind::Firmware); });
        } else if (event == kEventConfigTransfer) {
            After(options.transferSeconds, [] { FinishTransfer(TransferKind::Configuration); });
        } else if (event == kEventScan) {
            After(0.2, [] { FinishScan(*State().model); });
        }
    }
}

void StartAnimation() {
    double seconds = State().options.animateSeconds > 0.05 ? State().options.animateSeconds : 0.05;
    timeval interval{};
    interval.tv_sec = static_cast<time_t>(seconds);
    interval.tv_usec =
        static_cast<suseconds_t>((seconds - static_cast<double>(interval.tv_sec)) * 1e6);
    snmp_alarm_register_hr(interval, SA_REPEAT, AnimateTick, nullptr);
}

} // namespace ksxsim
