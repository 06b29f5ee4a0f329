// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the panel poller hands to the UI thread (PanelPollResult, PanelPortUpdate): the panel
// view defines it and applies it there.
#pragma once

#include "panel/PanelView.h"
