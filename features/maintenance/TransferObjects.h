// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The switch's firmware and configuration transfer objects, shared by the transfer dialog
// and the busy check before a reboot: where each kind keeps its TFTP server, file name,
// operation and state, and what the state values mean.
#pragma once

#include <string>
#include <string_view>

enum class TransferKind { Firmware = 1, Configuration = 2 };

struct TransferObjects {
    std::string server;    // IpAddress
    std::string file;      // OCTET STRING
    std::string operation; // INTEGER: kTransferUpgrade or kTransferBackup
    std::string state;     // INTEGER, read only
};

// The scalar instances (".0") of one kind.
const TransferObjects& TransferObjectsOf(TransferKind kind);

// The operations as written.
inline constexpr std::string_view kTransferUpgrade = "1";
inline constexpr std::string_view kTransferBackup = "2";

// The state values as read: "0" and "1" success, "2" failure, "3" the switch applies the
// file (and restarts), "4" the transfer runs.
inline constexpr std::string_view kTransferStateSucceeded = "1";
inline constexpr std::string_view kTransferStateIdle = "0";
inline constexpr std::string_view kTransferStateFailed = "2";
inline constexpr std::string_view kTransferStateApplying = "3";
inline constexpr std::string_view kTransferStateRunning = "4";

// A transfer of this kind is under way on the switch: it runs or applies its file.
bool IsTransferUnderWay(std::string_view state);
