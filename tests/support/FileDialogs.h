// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Answers the program's own file dialogs as a user would, typing the name.
#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

// Accepts the next file dialog named `objectName` with `path` (or cancels it when `path` is
// empty); the file name it suggested and the folder it started in go to `offered`.
void AnswerFileDialog(const QString& objectName, const QString& path,
                      QStringList* offered = nullptr);
// Accepts the next file dialogs named `objectName` in turn, one path each.
void AnswerFileDialogs(const QString& objectName, const QStringList& paths);

} // namespace testsupport
