// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/AddressEncoding.h"

#include "snmp/TextParsing.h"

#include <algorithm>

using text_parsing::HexDigitValue;

namespace {

constexpr std::size_t kMacOctets = 6;

void AppendHexByte(std::string& text, unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += kDigits[(value >> 4) & 0xFu];
    text += kDigits[value & 0xFu];
}

std::string FormatMac(std::string_view octets, char separator) {
    if (octets.size() < kMacOctets) {
        return {};
    }
    std::string text;
    for (std::size_t index = 0; index < kMacOctets; ++index) {
        if (index > 0) {
            text += separator;
        }
        AppendHexByte(text, static_cast<unsigned char>(octets[index]));
    }
    return text;
}

int LenientHexValue(std::string_view text, std::size_t at) {
    return at < text.size() ? std::max(HexDigitValue(text[at]), 0) : 0;
}

} // namespace

std::string FormatMacColon(std::string_view octets) {
    return FormatMac(octets, ':');
}

std::string FormatMacDash(std::string_view octets) {
    return FormatMac(octets, '-');
}

std::string ParseMacHex(std::string_view text) {
    std::string octets;
    for (std::size_t index = 0; index < kMacOctets; ++index) {
        const int high = LenientHexValue(text, index * 2);
        const int low = LenientHexValue(text, index * 2 + 1);
        octets += static_cast<char>(high * 16 + low);
    }
    return octets;
}

std::string DecimalOidToMac(std::string_view text) {
    if (text.starts_with('.')) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return {};
    }
    std::string mac;
    const auto arcs = text_parsing::SplitText(text, '.');
    for (std::size_t index = 0; index < arcs.size() && index < kMacOctets; ++index) {
        const auto value = text_parsing::ParseDecimal(arcs[index], 255);
        if (!value) {
            return {};
        }
        if (index > 0) {
            mac += '-';
        }
        AppendHexByte(mac, static_cast<unsigned>(*value));
    }
    return mac;
}

std::string MacToOidIndex(std::string_view mac) {
    std::string digits;
    for (char c : mac) {
        if (c != '-') {
            digits += c;
        }
    }
    if (digits.size() % 2 != 0) {
        return {};
    }
    std::string index;
    for (std::size_t at = 0; at < digits.size(); at += 2) {
        const int high = HexDigitValue(digits[at]);
        const int low = HexDigitValue(digits[at + 1]);
        if (high < 0 || low < 0) {
            return {};
        }
        index += '.';
        index += std::to_string(high * 16 + low);
    }
    return index;
}

std::string StringToOidIndex(std::string_view text, std::size_t maxBytes) {
    std::string arcs;
    std::size_t length = 0;
    for (; length < text.size() && length < maxBytes && text[length] != '\0'; ++length) {
        arcs += '.';
        arcs += std::to_string(static_cast<unsigned char>(text[length]));
    }
    return '.' + std::to_string(length) + arcs;
}
