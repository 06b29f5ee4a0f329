// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/DeviceTools.h"

#include "features/common/SnmpRequests.h"
#include "features/maintenance/TransferObjects.h"

#include <memory>

std::string SaveConfigurationOid() {
    return ScalarOid(PrivateOid("1.10"));
}

std::string RebootOid() {
    return ScalarOid(PrivateOid("1.9"));
}

RequestStatus SendSaveConfiguration(CCommonSNMP& setSession) {
    return CSetRequest().Integer(SaveConfigurationOid(), "1").Send(setSession, kSaveTimeoutMs);
}

bool CRebootData::IsBusy(const std::vector<std::string>& values) {
    if (values.size() < 3) {
        return false;
    }
    const bool saving = values[0] == "1";
    // A configuration being applied restarts the switch as surely as a firmware does.
    return saving || IsTransferUnderWay(values[1]) || IsTransferUnderWay(values[2]);
}

bool CRebootData::IsDeviceBusy() {
    const auto values = ReadValues(
        m_cCommonSNMP, {SaveConfigurationOid(), TransferObjectsOf(TransferKind::Firmware).state,
                        TransferObjectsOf(TransferKind::Configuration).state});
    return values && IsBusy(*values);
}

int CRebootData::SendReboot() {
    if (m_cCommonSNMP.Open(kPduSet) != 1 ||
        m_cCommonSNMP.AddValue(RebootOid(), kSnmpInteger, "1") != 0) {
        return kSnmpFailed;
    }
    std::unique_ptr<CSnmp> response;
    return m_cCommonSNMP.GetNext(response);
}
