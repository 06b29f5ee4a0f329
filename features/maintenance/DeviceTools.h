// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Tools commands that open no dialog of their own: Telnet and Web start an outside
// program aimed at the device, Save Configuration and Reboot send one set to the switch.
// Each asks first (OK/Cancel, Cancel the default) and does nothing on Cancel.
#pragma once

#include "features/common/FeatureData.h"

#include <QString>

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

// Telnet to `address` in a terminal; when nothing can be started the user is told which
// program is missing and how to get it.
void TelnetToDevice(const QString& address);
// Opens `address` in the web browser; "Failed to get IE path !" when there is none, and
// which opener failed when it cannot be started.
void BrowseDevice(const QString& address);
// Asks the switch to save its configuration on `setSession` and shows the result.
void SaveConfiguration(CCommonSNMP& setSession);
// Restarts the switch unless a save or a transfer runs on it (then says so).
void RebootDevice();

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
