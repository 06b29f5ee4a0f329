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

QString WriteFailureText(RequestStatus status) {
    if (status.Outcome() == SnmpOutcome::NoAnswer) {
        return QStringLiteral("The switch did not answer. The change may not have been made: "
                              "press Refresh to see what the switch holds.");
    }
    return QStringLiteral("The switch refused the change (error %1). Nothing more was written.")
        .arg(status.Code());
}

QString ReadFailureText(RequestStatus status) {
    if (status.Outcome() == SnmpOutcome::NoAnswer) {
        return QStringLiteral("The switch did not answer. Press Refresh to read again.");
    }
    return QStringLiteral("The switch refused the read (error %1). Press Refresh to read again.")
        .arg(status.Code());
}

void ShowWriteFailure(RequestStatus status) {
    ShowOk(WriteFailureText(status));
}
