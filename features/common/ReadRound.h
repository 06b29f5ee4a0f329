// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Whether the switch answers the reads of the dialog on top. A dialog begins a round of reads
// when it reads the switch afresh (on opening, Refresh, after a write). The first read of the
// round that gets no answer ends the round's reading: every further read of the round fails
// at once without going out (a chain of walks ends in moments, not one time-out after the
// other), and the dialog is told once, so that a switch that does not answer is never taken
// for an empty one. Once anything of the round was answered, a later time-out is that read's
// own failure and changes nothing here.
//
// Only one command dialog runs at a time, with its sub-dialogs above it: the round belongs to
// the dialog that began it last, and ends with it (the one below is on top again). Reads that
// no dialog began a round for are never held back. Thread-safe: a read may run on a worker.
#pragma once

#include <QObject>

#include <functional>

namespace kit {

// Begins a fresh round owned by `owner` (now on top); `silent` runs on owner's thread, through
// its event loop, when the round's first read got no answer.
void BeginReadRound(const QObject* owner, std::function<void()> silent);
// A write starts a fresh round for the dialog on top: what follows is read anew.
void RestartReadRound();
// `owner` ends (its round and any it began are forgotten).
void EndReadRound(const QObject* owner);

// True when reads must not go out: the round on top had its first read unanswered.
bool ReadsHeldBack();
// The outcome of a read that went out: answered (a value, an end of table, a refusal) or not.
void ReportRead(bool answered);

} // namespace kit
