// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// TEMPORARY adapter: the module's command-line parser is on its way into app/. Until it
// arrives, ksx-snmp declares the parser's entry point here. When app/CommandLine.h exists,
// include it instead, link ksx_app, and delete this header and ModuleCommandLine.cpp.
#pragma once

#include "snmp/SessionParameters.h"

#include <string_view>

// The session parameters the module takes from `commandLine`; defaults for everything absent.
SessionParametersData ParseCommandLine(std::string_view commandLine);
