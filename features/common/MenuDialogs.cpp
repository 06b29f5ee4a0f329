// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/MenuDialogs.h"

namespace kit {

namespace {

MenuDialogMaker& Maker() {
    static MenuDialogMaker maker;
    return maker;
}

} // namespace

void SetMenuDialogMaker(MenuDialogMaker maker) {
    Maker() = std::move(maker);
}

std::unique_ptr<QDialog> MakeMenuDialog(const std::string& menuPath) {
    return Maker() ? Maker()(menuPath) : nullptr;
}

} // namespace kit
