// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Lets GoogleTest print Qt strings in failure messages.
#pragma once

#include <QString>

#include <ostream>

inline std::ostream& operator<<(std::ostream& stream, const QString& text) {
    return stream << text.toStdString();
}

inline void PrintTo(const QString& text, std::ostream* stream) {
    *stream << '"' << text.toStdString() << '"';
}
