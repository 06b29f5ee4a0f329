// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Small text scanners shared by the value encodings and input checks. They read bytes as
// unsigned values, never call the <cctype> functions (undefined for negative chars), and
// refuse numbers that would not fit instead of wrapping around.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace text_parsing {

// Value of one hexadecimal digit (0-9, A-F, a-f), or -1.
inline int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

inline bool IsHexDigit(char c) {
    return HexDigitValue(c) >= 0;
}

inline bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Blanks and tabs around a number typed by the user.
inline std::string_view TrimBlanks(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A non-empty run of decimal digits whose value is at most maxValue; nothing else.
inline std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t maxValue) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > maxValue) {
            return std::nullopt;
        }
    }
    return value;
}

// Every piece between separators, empty pieces included ("1,,2" gives "1", "", "2").
inline std::vector<std::string_view> SplitText(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const auto at = text.find(separator);
        pieces.push_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return pieces;
        }
        text.remove_prefix(at + 1);
    }
}

} // namespace text_parsing
