// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the Tools commands without a dialog of their own send to the switch (Save
// Configuration, Reboot) and their texts; DeviceToolsDialog.h asks and shows the outcome.
#pragma once

#include "features/common/FeatureData.h"
#include "snmp/RequestStatus.h"

#include <string>
#include <vector>

inline constexpr char kTelnetQuestion[] = "Do you want to TELNET this device?";
inline constexpr char kWebQuestion[] = "Do you want to access this device with browser?";
inline constexpr char kSaveQuestion[] = "Do you want to save the configuration?";
inline constexpr char kRebootQuestion[] = "Do you want to reboot the device?";
inline constexpr char kNoBrowser[] = "Failed to get IE path !";
inline constexpr char kSaveSucceeded[] = "           Success!           ";
inline constexpr char kSaveFailed[] = "           Failed!            ";
inline constexpr char kTransferInProgress[] =
    "FW upgrade/backup or config backup/restore is already progressing. ";

inline constexpr unsigned kSaveTimeoutMs = 4000;

// The save configuration and reboot objects (scalar instances).
std::string SaveConfigurationOid();
std::string RebootOid();

// Asks the switch to save its configuration on `setSession` (kSaveTimeoutMs).
RequestStatus SendSaveConfiguration(CCommonSNMP& setSession);

// The object a reboot runs on: a session of its own, closed when the object ends.
class CRebootData : public CFeatureData {
public:
    // Busy when a save runs (the save object reads "1") or a transfer runs or applies its
    // file; `values` are the save object, the firmware and the configuration state.
    static bool IsBusy(const std::vector<std::string>& values);

    // Reads the three objects; a device that cannot be read counts as free.
    bool IsDeviceBusy();
    // The reboot set, through the table walker. The status.
    int SendReboot();

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
};
