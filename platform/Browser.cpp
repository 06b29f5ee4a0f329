// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Browser.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace platform {
namespace {

QString Executable(const QString& named) {
    if (named.isEmpty()) {
        return {};
    }
    const QFileInfo direct(named);
    if (direct.isAbsolute()) {
        return direct.isFile() && direct.isExecutable() ? named : QString();
    }
    return QStandardPaths::findExecutable(named);
}

// $BROWSER is a colon-separated list of commands, the first one that exists wins.
QString BrowserFromEnvironment() {
    for (const QString& entry : qEnvironmentVariable("BROWSER").split(QLatin1Char(':'))) {
        if (QString found = Executable(entry.trimmed()); !found.isEmpty()) {
            return found;
        }
    }
    return {};
}

} // namespace

QString FindBrowser() {
    if (QString named = BrowserFromEnvironment(); !named.isEmpty()) {
        return named;
    }
    for (const char* candidate : {"xdg-open", "x-www-browser", "sensible-browser"}) {
        if (QString found = Executable(QLatin1String(candidate)); !found.isEmpty()) {
            return found;
        }
    }
    return {};
}

ProcessCommand BrowserCommand(const QString& address) {
    const QString browser = FindBrowser();
    if (browser.isEmpty()) {
        return {};
    }
    QStringList arguments;
    if (!address.isEmpty()) {
        // As a URL the address can neither be taken for an option nor for a local file.
        arguments << QStringLiteral("http://") + address;
    }
    return {browser, arguments};
}

BrowserStart StartBrowser(const QString& address) {
    const ProcessCommand command = BrowserCommand(address);
    if (command.program.isEmpty()) {
        return BrowserStart::NoBrowser;
    }
    return LaunchDetached(command) ? BrowserStart::Started : BrowserStart::Failed;
}

QString BrowserFailureText() {
    return QStringLiteral("Web cannot start: the browser opener %1 could not be started. Install "
                          "xdg-utils (for example: sudo apt install xdg-utils) or name your "
                          "browser in $BROWSER.")
        .arg(FindBrowser());
}

} // namespace platform
