// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

// SIGTERM and SIGINT close the program as closing its window does (the poller stops, the
// sessions close in order) instead of killing it. Call once, after the application object
// exists; the signals are handled while an event loop runs.
void CloseOnTerminationSignals();
