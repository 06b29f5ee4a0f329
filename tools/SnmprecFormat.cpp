// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tools/SnmprecFormat.h"

#include "snmp/Snmp.h"

#include <algorithm>

bool IsPrintableText(const std::string& bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte <= 0x7E;
    });
}

std::string HexDigits(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

std::string SnmprecTypedValue(int valueType, const std::string& value) {
    switch (valueType) {
    case kSnmpInteger:
        return "2|" + value;
    case kSnmpOctetString:
        return IsPrintableText(value) ? "4|" + value : "4x|" + HexDigits(value);
    case kSnmpObjectId:
        return "6|" + value;
    case kSnmpIpAddress:
        return "64|" + value;
    case kSnmpCounter32:
        return "65|" + value;
    case kSnmpUnsigned:
        return "66|" + value;
    case kSnmpTimeTicks:
        return "67|" + value;
    case kSnmpOpaque:
        return "68x|" + HexDigits(value);
    case kSnmpCounter64:
        return "70|" + value;
    default:
        // NULL, and any type the session layer does not decode.
        return "5|";
    }
}

std::string SnmprecLine(const CSnmp& response, int index) {
    int type = 0;
    std::string value;
    if (response.getValue(index, type, value) != 0) {
        return {};
    }
    return response.getOid(index) + '|' + SnmprecTypedValue(type, value);
}
