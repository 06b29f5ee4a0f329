// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/EnvironmentHooks.h"

#include "platform/Message.h"
#include "platform/Trace.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QWidget>

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

namespace {

void TraceCommand(int id, const QString& what) {
    platform::DebugTrace(QStringLiteral("Test command %1: %2").arg(id).arg(what).toStdString());
}

void RunTestCommands(QPointer<QWidget> window, QList<int> ids) {
    if (window == nullptr) {
        return;
    }
    if (ids.isEmpty()) {
        platform::DebugTrace("Test commands: done");
        return;
    }
    const int id = ids.takeFirst();
    auto* action = window->findChild<QAction*>(QStringLiteral("command%1").arg(id));
    if (action == nullptr || !action->isEnabled()) {
        TraceCommand(id, QStringLiteral("not available"));
    } else {
        auto* closer = new QTimer(window);
        QObject::connect(closer, &QTimer::timeout, closer, [closer, id, window] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog != window && dialog->isVisible()) {
                closer->stop();
                TraceCommand(id, QStringLiteral("opened ") + dialog->windowTitle());
                dialog->reject();
            }
        });
        closer->start(100);
        action->trigger(); // returns once the command's dialog has closed
        delete closer;
        TraceCommand(id, QStringLiteral("closed"));
    }
    QTimer::singleShot(0, window, [window, ids] { RunTestCommands(window, ids); });
}

} // namespace

void RunTestCommandsIfAsked(QWidget* window) {
    QList<int> ids;
    for (const QString& part : qEnvironmentVariable("KSX_TEST_COMMANDS").split(u',')) {
        bool valid = false;
        const int id = part.trimmed().toInt(&valid);
        if (valid) {
            ids.append(id);
        }
    }
    if (!ids.isEmpty()) {
        RunTestCommands(window, ids);
    }
}
