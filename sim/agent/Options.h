// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "sim/model/Traffic.h"

#include <optional>
#include <string>
#include <vector>

namespace ksxsim {

struct V3User {
    std::string name;
    std::string auth;     // "none", "MD5" or "SHA"
    std::string authPass; // empty when auth is "none"
    std::string priv;     // "none", "DES" or "AES"
    std::string privPass;
};

struct SimOptions {
    std::string listen = "udp:127.0.0.1:16100";
    std::string model = "KSX-7700-52";
    bool allGiga = false;
    bool strictDestroy = false;
    std::string stateDir; // empty: a temporary folder, removed at exit
    std::string readyFile;
    std::string roCommunity = "guests";
    std::string rwCommunity = "keepers";
    std::vector<V3User> v3Users;
    std::string engineIdHex; // empty: the built-in stable engine ID
    int fdbEntries = 30;
    int fdbIds = 1;
    std::vector<std::string> dataFiles;
    std::string setLog;
    std::string requestLog;
    int delayMs = 0;
    std::vector<std::string> dropPrefixes;
    long dropAfter = -1;                        // answer this many requests, then none
    std::vector<std::string> refuseSetPrefixes; // a set touching one is refused (inconsistentValue)
    std::string getBulk = "answer";             // "answer", "error" (genErr) or "drop" (no answer)
    long maxMessage = 0;                        // largest answer in bytes; 0: Net-SNMP's own limit
    long bulkBindings = 100;                    // most bindings in a GETBULK answer; 0: no limit
    bool bulkTooBig = false; // an over-long GETBULK answer is tooBig, not cut short
    double transferSeconds = 3;
    double rebootSeconds = 4;
    double saveSeconds = 1;
    bool transferFail = false;
    bool animate = false;
    double animateSeconds = 3;
    TrafficSettings traffic;
    long misbehaveSeed = -1;  // reads answered as a broken firmware would, from this seed
    bool showVersion = false; // --version: print the name and version, run nothing
};

// Parses the command line. On error returns nothing and sets error; "--help" sets
// wantsHelp.
std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string& error,
                                       bool& wantsHelp);

std::string UsageText();

// Parses NAME:AUTH:AUTHPASS:PRIV:PRIVPASS.
std::optional<V3User> ParseV3User(const std::string& text, std::string& error);

} // namespace ksxsim
