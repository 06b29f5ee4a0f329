// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A table walk the way the dialogs read their tables: get-next requests handed to the
// session's worker with StartRequest, one per row, until a request ends the walk.
#pragma once

#include "snmp/CommonSNMP.h"

#include <functional>
#include <string>
#include <vector>

// Called on the session's worker thread with each row (one binding per column, in order).
using WalkRowHandler = std::function<void(const CSnmp& row)>;

// Opens `session` for get-next, asks for `columns` and walks them until a request gives a
// non-zero status, which is returned: -2 (kSnmpEndOfTable) is the normal end. An OID the
// session layer does not accept gives kSnmpFailed without sending anything.
int WalkColumns(CCommonSNMP& session, const std::vector<std::string>& columns,
                const WalkRowHandler& onRow, unsigned timeoutMs = 0);
