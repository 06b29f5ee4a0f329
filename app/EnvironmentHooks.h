// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Switches for scripted runs and tests, read from the environment. Call after the
// application object exists.
#pragma once

#include <QString>

// KSX_MESSAGES=stderr: every message box text goes to stderr as one line instead and is
// answered OK, so that nothing waits for a click.
void RouteMessagesToStderrIfAsked();

// KSX_TEST_EXIT_AFTER_MS=N (N > 0): the program quits by itself after N milliseconds, closing
// whatever window or message box is open, as if the user had closed it.
void ArmSelfExitTimerIfAsked();

// KSX_SNAPSHOT=FILE.png: the module window saves a picture of itself to FILE.png just before
// it closes (also when KSX_TEST_EXIT_AFTER_MS ends the program). Empty when not asked.
QString SnapshotPath();

class QWidget;
// KSX_TEST_COMMANDS=ID,ID,...: once the panel is painted, the module window triggers its menu
// commands of these IDs one after the other through its own menu actions. Each dialog a
// command opens is closed (as with Escape) as soon as it is shown; the debug trace gets
// "Test command ID: opened TITLE", "Test command ID: closed" and, after the last one,
// "Test commands: done". An ID without an enabled menu item gets "Test command ID: not available".
void RunTestCommandsIfAsked(QWidget* window);
