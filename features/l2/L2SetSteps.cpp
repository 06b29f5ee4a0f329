// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/l2/L2SetSteps.h"

#include "platform/Trace.h"

#include <chrono>
#include <string>
#include <thread>

RequestStatus SendSteps(CCommonSNMP& session, const std::vector<SetStep>& steps) {
    RequestStatus status(0);
    for (const SetStep& step : steps) {
        status = step.request.Send(session, step.timeoutMs);
        platform::DebugTrace("set status = " + std::to_string(status.Code()));
        if (!status.Ok()) {
            break;
        }
        if (step.pauseMs != 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(step.pauseMs));
        }
    }
    return status;
}
