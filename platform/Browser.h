// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Starting the desktop's web browser on the device, detached from this program, through the
// same replaceable launcher as the Telnet terminal (platform/Terminal.h).
#pragma once

#include "platform/Terminal.h"

#include <QString>

namespace platform {

// The browser to use: $BROWSER (its first entry that names an executable), otherwise the
// first of xdg-open, x-www-browser, sensible-browser found on the PATH. Empty when none is.
QString FindBrowser();

// The command that opens http://ADDRESS in the browser (the browser alone for an empty
// address). Empty program when no browser can be found.
ProcessCommand BrowserCommand(const QString& address);

enum class BrowserStart { Started, NoBrowser, Failed };

// Opens the device's address in the browser.
BrowserStart StartBrowser(const QString& address);
// What the user is told when the browser opener was found but could not be started: which
// program failed and how to get a working one.
QString BrowserFailureText();

} // namespace platform
