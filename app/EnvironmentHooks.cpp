// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/EnvironmentHooks.h"

#include "platform/Message.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

void RouteMessagesToStderrIfAsked() {
    if (qEnvironmentVariable("KSX_MESSAGES") != QLatin1String("stderr")) {
        return;
    }
    platform::SetMessageHandler([](const QString& text, platform::MessageKind) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        std::fflush(stderr);
        return platform::MessageResult::Ok;
    });
}

void ArmSelfExitTimerIfAsked() {
    bool valid = false;
    const int delayMs = qEnvironmentVariableIntValue("KSX_TEST_EXIT_AFTER_MS", &valid);
    if (!valid || delayMs <= 0) {
        return;
    }
    // exit() ends every event loop that runs, the modal ones included.
    QTimer::singleShot(delayMs, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

QString SnapshotPath() {
    return qEnvironmentVariable("KSX_SNAPSHOT");
}
