// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A write that takes several set requests in a fixed order (the switch checks each against
// what it holds, so the order matters): each step with its own time-out and a pause after it.
#pragma once

#include "features/common/SnmpRequests.h"

#include <vector>

struct SetStep {
    CSetRequest request;
    unsigned timeoutMs = 0; // 0: the session's usual time-out
    unsigned pauseMs = 0;   // waited after the step succeeded
};

// Sends the steps in order, writing "set status = %d" after each, and stops at the first one
// the switch does not accept. The status of the last step sent.
RequestStatus SendSteps(CCommonSNMP& session, const std::vector<SetStep>& steps);
