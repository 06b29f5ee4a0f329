// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A dialog may open another command's dialog above itself (the settings snapshot opens the
// dialog that edits a setting). The kit does not know the menu: the program installs how a
// command's dialog is made from its menu path.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

namespace kit {

using MenuDialogMaker = std::function<std::unique_ptr<QDialog>(const std::string& menuPath)>;

void SetMenuDialogMaker(MenuDialogMaker maker);
// The dialog of the command at `menuPath` ("Device Manager / System / Port Configuration");
// none for a path that is no command with a dialog, or when no maker is installed.
std::unique_ptr<QDialog> MakeMenuDialog(const std::string& menuPath);

} // namespace kit
