// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// User.ini: the host's description of the device the module serves, in section DeviceInfo.
#pragma once

#include "platform/IniFile.h"

#include <QString>

#include <string>

inline constexpr char kDeviceInfoSection[] = "DeviceInfo";
inline constexpr qsizetype kDeviceNameMaxLength = 259;
// The most ports a switch of the family has.
inline constexpr int kMaxDevicePortCount = 52;

// User.ini beside the executable, or the file that the environment variable KSX_USER_INI
// names when it is set and not empty.
QString UserIniPath();

// DeviceName of section DeviceInfo (UTF-8), empty when the file, the section or the key is
// missing; at most kDeviceNameMaxLength characters.
std::string ReadDeviceName(const QString& userIniPath);
std::string ReadDeviceName(const platform::IniFile& userIni);

// DevicePortNum as the module uses it: a number beyond the largest switch of the family is
// held at kMaxDevicePortCount (the dialogs size their port tables by it).
int DevicePortCountOf(int devicePortNum);

// How the module names the switch it serves in window and message-box titles:
// "KSX-7700-52: 10.0.0.5" (only the address when User.ini names no device).
QString DeviceTitle(const std::string& deviceName, const std::string& address);
