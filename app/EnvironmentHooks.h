// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Switches for scripted runs and tests, read from the environment. Call after the
// application object exists.
#pragma once

// KSX_MESSAGES=stderr: every message box text goes to stderr as one line instead and is
// answered OK, so that nothing waits for a click.
void RouteMessagesToStderrIfAsked();

// KSX_TEST_EXIT_AFTER_MS=N (N > 0): the program quits by itself after N milliseconds, closing
// whatever window or message box is open, as if the user had closed it.
void ArmSelfExitTimerIfAsked();
