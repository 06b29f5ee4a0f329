// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The three message boxes of the feature dialogs, through the platform's message function
// (tests answer them from a script and record their texts).
#pragma once

#include "snmp/RequestStatus.h"

#include <QString>

// A warning box with an OK button.
void ShowOk(const QString& text);
// The question icon, OK and Cancel, Cancel as the default button. True only for OK.
bool AskOkCancel(const QString& text);
// The information icon and an OK button.
void ShowInformation(const QString& text);

// The module's own words where a dialog has no message of its own for a write the switch
// refused or did not answer (what was typed stays in the dialog), and for a first read that got
// no answer (an empty switch and a silent one must not look alike).
QString WriteFailureText(RequestStatus status);
QString ReadFailureText(RequestStatus status);
// Shows WriteFailureText as a warning box.
void ShowWriteFailure(RequestStatus status);
