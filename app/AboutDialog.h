// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <QDialog>

// The texts of the About box are fixed; only the menu items show the real model name.
inline constexpr char kAboutCaption[] = "About KSX-7700-48Module";
inline constexpr char kAboutText[] = "KSX-7700-48Management Module";

// The About box: its text and an OK button.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
