// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The walk over the whole menu that the registry tests share: every dialog but About, opened as
// the module opens it, and the administrator's plainest Apply (first row of every list picked).
#pragma once

#include "app/ModuleCommands.h"
#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"
#include "tests/support/DialogTesting.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// Every dialog of the menu but About (whose caption the window sets at start-up).
inline std::vector<ModuleMenuEntry> MenuDialogs() {
    std::vector<ModuleMenuEntry> dialogs;
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        if (entry.makeDialog != nullptr && entry.id != kCmdAbout) {
            dialogs.push_back(entry);
        }
    }
    return dialogs;
}

// A menu entry's test name: its name with '_' for '-'.
inline std::string MenuTestName(const ::testing::TestParamInfo<ModuleMenuEntry>& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

// True once nothing of the dialog is in flight (any dialog that is no feature dialog at once).
inline bool WaitIdle(QDialog& dialog) {
    const auto* feature = qobject_cast<CFeatureDialog*>(&dialog);
    return WaitUntil([&] { return feature == nullptr || !feature->IsBusy(); }, 120000);
}

// The dialog of a menu entry, shown and active as the module shows it.
inline std::unique_ptr<QDialog> OpenMenuDialog(const ModuleMenuEntry& entry) {
    RegisterModuleCommands();
    std::unique_ptr<QDialog> dialog = CommandDialogFor(entry.id)();
    EXPECT_TRUE(ShowActive(dialog.get()));
    return dialog;
}

// Picks the first row of every list and presses Apply where it can be pressed; waits for the
// reads before and the writes after.
inline void ApplyFirstRows(QDialog& dialog) {
    EXPECT_TRUE(WaitIdle(dialog));
    for (CReportList* list : dialog.findChildren<CReportList*>()) {
        if (list->RowCount() > 0) {
            list->SelectRow(0);
            emit list->rowSelected(0);
        }
    }
    const auto* apply = qobject_cast<QPushButton*>(FindAny(&dialog, "applyButton"));
    if (apply != nullptr && apply->isEnabled() && apply->isVisibleTo(&dialog)) {
        Click(&dialog, "applyButton");
        EXPECT_TRUE(WaitIdle(dialog));
    }
}

} // namespace testsupport
