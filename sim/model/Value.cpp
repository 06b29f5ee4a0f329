// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Value.h"

#include <charconv>

namespace ksxsim {

std::optional<Tag> TagFromNumber(int number) {
    switch (number) {
    case 2:
    case 4:
    case 5:
    case 6:
    case 64:
    case 65:
    case 66:
    case 67:
    case 68:
    case 70:
        return static_cast<Tag>(number);
    default:
        return std::nullopt;
    }
}

std::string_view TagName(Tag tag) {
    switch (tag) {
    case Tag::Integer:
        return "INTEGER";
    case Tag::OctetString:
        return "OCTET STRING";
    case Tag::Null:
        return "NULL";
    case Tag::ObjectId:
        return "OBJECT IDENTIFIER";
    case Tag::IpAddress:
        return "IpAddress";
    case Tag::Counter32:
        return "Counter32";
    case Tag::Gauge32:
        return "Gauge32";
    case Tag::TimeTicks:
        return "TimeTicks";
    case Tag::Opaque:
        return "Opaque";
    case Tag::Counter64:
        return "Counter64";
    }
    return "?";
}

bool IsNumeric(Tag tag) {
    return tag == Tag::Integer || tag == Tag::Counter32 || tag == Tag::Gauge32 ||
           tag == Tag::TimeTicks || tag == Tag::Counter64;
}

bool IsBytes(Tag tag) {
    return tag == Tag::OctetString || tag == Tag::IpAddress || tag == Tag::Opaque;
}

Value Value::Ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    Value v{Tag::IpAddress, 0, {}, {}};
    v.bytes = {static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
               static_cast<char>(d)};
    return v;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsSeparator(char c) {
    return c == ' ' || c == ':' || c == '-';
}

template <typename T> std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Value> ParseIp(std::string_view text) {
    Value v{Tag::IpAddress, 0, {}, {}};
    size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        size_t dot = part < 3 ? text.find('.', start) : text.size();
        if (dot == std::string_view::npos) {
            return std::nullopt;
        }
        auto octet = ParseNumber<unsigned>(text.substr(start, dot - start));
        if (!octet || *octet > 255) {
            return std::nullopt;
        }
        v.bytes.push_back(static_cast<char>(*octet));
        start = dot + 1;
    }
    return v;
}

} // namespace

std::optional<std::string> HexToBytes(std::string_view hex) {
    std::string bytes;
    size_t i = 0;
    while (i < hex.size()) {
        if (IsSeparator(hex[i])) {
            ++i;
            continue;
        }
        if (i + 1 >= hex.size()) {
            return std::nullopt;
        }
        int high = HexDigit(hex[i]);
        int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return bytes;
}

std::string BytesToHex(std::string_view bytes) {
    static const char* digits = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

std::string ValueText(const Value& value) {
    switch (value.tag) {
    case Tag::Integer:
    case Tag::Counter32:
    case Tag::Gauge32:
    case Tag::TimeTicks:
        return std::to_string(value.number);
    case Tag::Counter64:
        return std::to_string(static_cast<uint64_t>(value.number));
    case Tag::IpAddress: {
        std::string text;
        for (size_t i = 0; i < value.bytes.size(); ++i) {
            text += (i ? "." : "") + std::to_string(static_cast<unsigned char>(value.bytes[i]));
        }
        return text;
    }
    case Tag::ObjectId:
        return FormatOid(value.oid);
    case Tag::Null:
        return "";
    case Tag::OctetString:
    case Tag::Opaque:
        for (unsigned char c : value.bytes) {
            if (c < 0x20 || c > 0x7e) {
                return "0x" + BytesToHex(value.bytes);
            }
        }
        return value.bytes;
    }
    return "";
}

std::optional<Value> ParseSnmprecValue(std::string_view tagText, std::string_view text) {
    bool hex = false;
    if (!tagText.empty() && tagText.back() == 'x') {
        hex = true;
        tagText.remove_suffix(1);
    }
    auto number = ParseNumber<int>(tagText);
    if (!number) {
        return std::nullopt;
    }
    auto tag = TagFromNumber(*number);
    if (!tag) {
        return std::nullopt;
    }
    Value v{*tag, 0, {}, {}};
    if (hex) {
        if (!IsBytes(*tag)) {
            return std::nullopt;
        }
        auto bytes = HexToBytes(text);
        if (!bytes || (*tag == Tag::IpAddress && bytes->size() != 4)) {
            return std::nullopt;
        }
        v.bytes = std::move(*bytes);
        return v;
    }
    switch (*tag) {
    case Tag::Integer: {
        auto n = ParseNumber<int64_t>(text);
        if (!n || *n < INT32_MIN || *n > INT32_MAX) {
            return std::nullopt;
        }
        v.number = *n;
        return v;
    }
    case Tag::Counter32:
    case Tag::Gauge32:
    case Tag::TimeTicks: {
        auto n = ParseNumber<uint64_t>(text);
        if (!n || *n > UINT32_MAX) {
            return std::nullopt;
        }
        v.number = static_cast<int64_t>(*n);
        return v;
    }
    case Tag::Counter64: {
        auto n = ParseNumber<uint64_t>(text);
        if (!n) {
            return std::nullopt;
        }
        v.number = static_cast<int64_t>(*n);
        return v;
    }
    case Tag::OctetString:
    case Tag::Opaque:
        v.bytes = std::string(text);
        return v;
    case Tag::IpAddress:
        return ParseIp(text);
    case Tag::ObjectId: {
        auto oid = ParseOid(text);
        if (!oid) {
            return std::nullopt;
        }
        v.oid = std::move(*oid);
        return v;
    }
    case Tag::Null:
        return v;
    }
    return std::nullopt;
}

} // namespace ksxsim
