// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A new table row made through its RowStatus column, each step one synchronous set: the
// requests that clear the way (their outcome does not matter), createAndWait, the values,
// active.
//
// A row the switch already holds half-made (notInService: left by its console, or by a
// createAndWait whose answer was lost) refuses createAndWait; that refusal does not stop the
// creation, the values and active complete the row. When a later step is refused the
// creation stops there, and the row is destroyed again only when this creation made it (the
// switch accepted its createAndWait). A step that got no answer is no refusal: the row status
// is read back, an active row counts as made, and nothing is destroyed.
#pragma once

#include "features/common/SnmpRequests.h"
#include "snmp/CommonSNMP.h"
#include "snmp/RequestStatus.h"

#include <string>
#include <vector>

struct RowCreation {
    std::string statusOid;               // the row's RowStatus instance
    std::vector<CSetRequest> clearFirst; // sent before createAndWait, outcome ignored
    std::vector<CSetRequest> values;     // between createAndWait and active
    bool activeInLastValues = false;     // the last values request makes the row active itself
    unsigned pauseMs = 0;                // waited after createAndWait and after each value
};

// Sends the steps on `setSession`, writing "set status = %d" after each. Success when the
// row is active at the end; otherwise the status of the step that failed, for the caller to
// report.
RequestStatus CreateRow(CCommonSNMP& setSession, const RowCreation& creation);
