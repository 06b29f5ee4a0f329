// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ksx-snmp: get, get-next, walk and set through the module's own session layer, with the
// session parameters the module would take from its command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

enum ToolExitCode : int {
    kToolOk = 0,
    kToolRequestFailed = 1, // the agent or the network said no; the status is on stderr
    kToolBadArguments = 2,  // nothing was sent
};

// Runs the tool with `args` (the arguments after the program name). SnmpInit() must have been
// called. Replaces the process-wide session parameters.
int RunSnmpTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// The same up to the request ready to go, which is not sent: kToolOk or kToolBadArguments.
int CheckSnmpToolArguments(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err);

std::string SnmpToolUsage();
// "status N (meaning)" for a status of the session layer or an agent's error-status.
std::string DescribeStatus(int status);
