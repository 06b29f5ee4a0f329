// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <QDialog>

// Stands where the module window with the device panel goes: an empty topmost dialog titled
// with the device address.
class CPlaceholderModuleWindow : public QDialog {
    Q_OBJECT
public:
    explicit CPlaceholderModuleWindow(const QString& deviceAddress);
};
