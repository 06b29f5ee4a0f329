// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/RowCreation.h"

#include "features/common/Repainting.h"
#include "platform/Trace.h"

namespace {

constexpr long kActive = 1;
constexpr long kCreateAndWait = 5;
constexpr long kDestroy = 6;

// Each step runs off the UI thread; the window repaints meanwhile.
RequestStatus SendTraced(CCommonSNMP& session, const CSetRequest& request) {
    RequestStatus status;
    kit::RunRepainting([&] { status = request.Send(session); });
    platform::DebugTrace("set status = " + std::to_string(status.Code()));
    return status;
}

CSetRequest RowStatus(const std::string& statusOid, long status) {
    CSetRequest request;
    request.Integer(statusOid, status);
    return request;
}

bool ReadsActive(CCommonSNMP& session, const std::string& statusOid) {
    bool active = false;
    kit::RunRepainting([&] {
        const auto values = ReadValues(session, {statusOid});
        active = values && !values->empty() && IntegerOf(values->front()) == kActive;
    });
    return active;
}

} // namespace

RequestStatus CreateRow(CCommonSNMP& setSession, const RowCreation& creation) {
    for (const CSetRequest& request : creation.clearFirst) {
        SendTraced(setSession, request);
    }
    const bool created = SendTraced(setSession, RowStatus(creation.statusOid, kCreateAndWait)).Ok();
    kit::PauseRepainting(creation.pauseMs);
    std::vector<CSetRequest> steps = creation.values;
    if (!creation.activeInLastValues) {
        steps.push_back(RowStatus(creation.statusOid, kActive));
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const RequestStatus status = SendTraced(setSession, steps[i]);
        if (status.Ok()) {
            if (i + 1 < steps.size()) {
                kit::PauseRepainting(creation.pauseMs);
            }
            continue;
        }
        if (status.Outcome() != SnmpOutcome::Refused) {
            return ReadsActive(setSession, creation.statusOid) ? RequestStatus(0) : status;
        }
        if (created) {
            platform::DebugTrace("row creation refused, the row is destroyed again");
            SendTraced(setSession, RowStatus(creation.statusOid, kDestroy));
        }
        return status;
    }
    return RequestStatus(0);
}
