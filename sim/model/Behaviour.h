// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

// The parts of the timed behaviours that are about the switch's objects; the agent owns
// the clock and calls these when the time has come.

#include "sim/model/Model.h"

namespace ksxsim {

inline constexpr const char* kEventSave = "save";
inline constexpr const char* kEventReboot = "reboot";
inline constexpr const char* kEventFirmwareTransfer = "transfer-firmware";
inline constexpr const char* kEventConfigTransfer = "transfer-configuration";
inline constexpr const char* kEventScan = "scan";

enum class TransferKind { Firmware, Configuration };
enum class TransferResult { Succeeds, Fails, Restarts };

// Values of the transfer state objects.
inline constexpr int kTransferSucceeded = 1;
inline constexpr int kTransferFailed = 2;
inline constexpr int kTransferApplying = 3;
inline constexpr int kTransferRunning = 4;

void SetTransferState(SwitchModel& model, TransferKind kind, int state);
// How a transfer that has run its time ends: a firmware upgrade restarts the switch; a
// transfer without server address or file name fails, as does any when told to.
TransferResult TransferOutcome(const SwitchModel& model, TransferKind kind, bool forceFailure);

void FinishSave(SwitchModel& model);
// After a restart: the saved configuration is back.
void FinishReboot(SwitchModel& model);
// Adds the hosts "found" by an IP-MAC-port binding scan.
void FinishScan(SwitchModel& model);

// One step of the animated panel: a link comes or goes, a PoE device powers up or down,
// and now and then the PoE model's LED mode button is pressed.
void AnimateStep(SwitchModel& model, uint32_t step, uint32_t uptimeTicks);

} // namespace ksxsim
