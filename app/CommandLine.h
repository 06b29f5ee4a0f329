// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The module's command line: positional fields, each a slash, one key character and a value,
// for example
//   /Nname /I10.0.0.5 /Rreadcomm /Wwritecomm /ETRUE /V1 /P161
// The key characters are not interpreted; only the position of a field counts.
#pragma once

#include "snmp/SessionParameters.h"

#include <string>
#include <string_view>

// The arguments after the program name, joined with single blanks (the parser drops blanks,
// so it does not matter how the host split the text into arguments).
std::string JoinCommandLine(int argc, const char* const* argv);

// Removes the values of the read and write community and of the authentication and privacy
// passwords from the process's own argument memory, so that the process list (ps,
// /proc/PID/cmdline) shows those fields without their values. Take the command line with
// JoinCommandLine first.
void HideSecretArguments(int argc, char** argv);

// Reads the fields into a fresh set of session parameters; whatever is not on the command
// line, or present but empty, keeps its default. Accepts any text.
SessionParametersData ParseCommandLine(std::string_view commandLine);
