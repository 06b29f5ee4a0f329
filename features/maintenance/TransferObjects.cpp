// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/TransferObjects.h"

#include "features/common/SnmpRequests.h"

namespace {

TransferObjects ObjectsUnder(std::string_view server, std::string_view file,
                             std::string_view operation, std::string_view state) {
    return {ScalarOid(PrivateOid(server)), ScalarOid(PrivateOid(file)),
            ScalarOid(PrivateOid(operation)), ScalarOid(PrivateOid(state))};
}

} // namespace

const TransferObjects& TransferObjectsOf(TransferKind kind) {
    static const TransferObjects firmware = ObjectsUnder("3.1", "3.2", "3.3", "3.4");
    static const TransferObjects configuration = ObjectsUnder("3.5", "3.6", "3.7", "3.8");
    return kind == TransferKind::Firmware ? firmware : configuration;
}

bool IsTransferUnderWay(std::string_view state) {
    return state == kTransferStateRunning || state == kTransferStateApplying;
}
