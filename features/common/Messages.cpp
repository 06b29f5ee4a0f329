// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/Messages.h"

#include "platform/Message.h"

void ShowOk(const QString& text) {
    platform::ShowMessage(text, platform::MessageKind::Ok);
}

bool AskOkCancel(const QString& text) {
    return platform::ShowMessage(text, platform::MessageKind::OkCancelQuestion) ==
           platform::MessageResult::Ok;
}

void ShowInformation(const QString& text) {
    platform::ShowMessage(text, platform::MessageKind::Information);
}
