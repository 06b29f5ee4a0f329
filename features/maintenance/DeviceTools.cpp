// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/DeviceTools.h"

#include "features/common/Messages.h"
#include "features/common/SnmpRequests.h"
#include "features/maintenance/TransferObjects.h"
#include "platform/Browser.h"
#include "platform/Terminal.h"

#include <memory>

namespace {

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

std::string SaveConfigurationOid() {
    return ScalarOid(PrivateOid("1.10"));
}

std::string RebootOid() {
    return ScalarOid(PrivateOid("1.9"));
}

void TelnetToDevice(const QString& address) {
    if (AskOkCancel(Text(kTelnetQuestion))) {
        platform::StartTelnetOrSayWhy(address);
    }
}

void BrowseDevice(const QString& address) {
    if (!AskOkCancel(Text(kWebQuestion))) {
        return;
    }
    switch (platform::StartBrowser(address)) {
    case platform::BrowserStart::Started:
        break;
    case platform::BrowserStart::NoBrowser:
        ShowOk(Text(kNoBrowser));
        break;
    case platform::BrowserStart::Failed:
        ShowOk(platform::BrowserFailureText());
        break;
    }
}

void SaveConfiguration(CCommonSNMP& setSession) {
    if (!AskOkCancel(Text(kSaveQuestion))) {
        return;
    }
    const RequestStatus status =
        CSetRequest().Integer(SaveConfigurationOid(), "1").Send(setSession, kSaveTimeoutMs);
    ShowOk(Text(status.Ok() ? kSaveSucceeded : kSaveFailed));
}

void RebootDevice() {
    if (!AskOkCancel(Text(kRebootQuestion))) {
        return;
    }
    CRebootData reboot;
    if (reboot.IsDeviceBusy()) {
        ShowOk(Text(kTransferInProgress));
        return;
    }
    reboot.SendReboot(); // the switch restarts; the panel shows it unreachable meanwhile
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
