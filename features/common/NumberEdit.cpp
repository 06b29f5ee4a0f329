// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/NumberEdit.h"

#include <QRegularExpressionValidator>

CNumberEdit::CNumberEdit(QWidget* parent, int maxDigits) : QLineEdit(parent) {
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    if (maxDigits > 0) {
        setMaxLength(maxDigits);
    }
}

std::optional<long long> CNumberEdit::Number() const {
    bool isNumber = false;
    const long long number = text().toLongLong(&isNumber);
    return isNumber ? std::optional<long long>(number) : std::nullopt;
}
