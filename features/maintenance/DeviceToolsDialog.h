// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Tools commands that open no dialog of their own: Telnet and Web start an outside
// program aimed at the device, Save Configuration and Reboot send one set to the switch.
// Each asks first (OK/Cancel, Cancel the default) and does nothing on Cancel.
#pragma once

#include "features/maintenance/DeviceTools.h"

#include <QString>

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
