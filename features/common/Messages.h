// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The three message boxes of the feature dialogs, through the platform's message function
// (tests answer them from a script and record their texts).
#pragma once

#include <QString>

// A warning box with an OK button.
void ShowOk(const QString& text);
// The question icon, OK and Cancel, Cancel as the default button. True only for OK.
bool AskOkCancel(const QString& text);
// The information icon and an OK button.
void ShowInformation(const QString& text);
