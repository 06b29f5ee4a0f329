// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/PlaceholderModuleWindow.h"

namespace {
constexpr int kWidth = 360;
constexpr int kHeight = 120;
} // namespace

CPlaceholderModuleWindow::CPlaceholderModuleWindow(const QString& deviceAddress)
    : QDialog(nullptr, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("moduleWindow"));
    setWindowTitle(deviceAddress);
    resize(kWidth, kHeight);
}
