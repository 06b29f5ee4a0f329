// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/DeviceToolsDialog.h"

#include "features/common/Messages.h"
#include "platform/Browser.h"
#include "platform/Terminal.h"

namespace {

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

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
    ShowOk(Text(SendSaveConfiguration(setSession).Ok() ? kSaveSucceeded : kSaveFailed));
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
