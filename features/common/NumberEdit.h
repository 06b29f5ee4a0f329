// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// An edit that takes digits only.
#pragma once

#include <QLineEdit>

#include <optional>

class CNumberEdit : public QLineEdit {
    Q_OBJECT

public:
    // maxDigits 0: no limit beyond the edit's own.
    explicit CNumberEdit(QWidget* parent = nullptr, int maxDigits = 0);

    // The number typed, empty when the edit is empty or the number does not fit.
    std::optional<long long> Number() const;
    void SetNumber(long long number) { setText(QString::number(number)); }
};
