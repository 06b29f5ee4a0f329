// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Process-wide values: the session parameters from the command line (written once at
// start-up, before any thread exists, read-only afterwards) and the device values that the
// module window reads from User.ini.
#pragma once

#include <string>

struct SessionParametersData {
    std::string FirstField;
    std::string DeviceAddress;
    std::string ReadCommunity = "guests";
    std::string WriteCommunity = "keepers";
    bool VlanEditAllowed = false;
    std::string SnmpVersion = "1";
    std::string SnmpPort = "161";
    std::string Field10 = "1"; // read from the command line, used by nothing
    std::string SecurityLevel = "1";
    std::string UserName;
    std::string AuthPassword;
    std::string PrivPassword;
    std::string AuthProtocol = "1";
    std::string PrivProtocol = "1";
    std::string RequestTimeout = "3000";
};

struct DeviceValuesData {
    std::string ModelName;    // DeviceName of User.ini
    int DevicePortCount = 28; // DevicePortNum of User.ini
    bool IsAllGiga = false;   // every copper port accepts 1000M
    bool IsHasFan = false;
};

// The process's values. Tests may assign them before creating sessions.
SessionParametersData& SessionParameters();
DeviceValuesData& DeviceValues();
