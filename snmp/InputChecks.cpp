// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/InputChecks.h"

#include "snmp/TextParsing.h"

#include <algorithm>
#include <iterator>

using text_parsing::HexDigitValue;

namespace {

constexpr char kMacFormatMessage[] = "Please enter correct MAC format(ex:00-00-00-00-00-01)";

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase) {
    return std::equal(
        text.begin(), text.end(), lowerCase.begin(), lowerCase.end(),
        [](char c, char lower) { return (c >= 'A' && c <= 'Z' ? c + 32 : c) == lower; });
}

// The refusal of a MAC text that is malformed, all zero or the broadcast address.
std::optional<std::string_view> MacFormatRefusal(std::string_view mac) {
    if (mac.size() != 17) {
        return kMacFormatMessage;
    }
    for (std::size_t at = 2; at < mac.size(); at += 3) {
        if (mac[at] != '-') {
            return kMacFormatMessage;
        }
    }
    std::string digits;
    std::copy_if(mac.begin(), mac.end(), std::back_inserter(digits),
                 [](char c) { return c != '-'; });
    if (digits == "000000000000" || digits.size() < 12) {
        return kMacFormatMessage;
    }
    if (!std::all_of(digits.begin(), digits.end(), text_parsing::IsHexDigit)) {
        return kMacFormatMessage;
    }
    if (EqualsIgnoringCase(digits, "ffffffffffff")) {
        return "Broadcast MAC is not allowed.";
    }
    return std::nullopt;
}

// Only called on a MAC text that passed MacFormatRefusal.
bool IsMulticastMac(std::string_view mac) {
    return (HexDigitValue(mac[1]) & 1) != 0;
}

bool IsZeroOr255(std::uint32_t part) {
    return part == 0 || part == 255;
}

std::uint32_t AddressOf(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    return a << 24 | b << 16 | c << 8 | d;
}

bool InUnicastRange(std::uint32_t address) {
    const auto within = [address](std::uint32_t low, std::uint32_t high) {
        return address >= low && address <= high;
    };
    return within(AddressOf(1, 0, 0, 1), AddressOf(126, 255, 255, 254)) ||
           within(AddressOf(128, 1, 0, 1), AddressOf(191, 254, 255, 254)) ||
           within(AddressOf(192, 0, 1, 1), AddressOf(223, 255, 254, 254));
}

AddressEntryResult Refuse(std::string_view message, EntryFocus focus) {
    return {false, focus, std::string(message)};
}

bool ContainsAnyOf(std::string_view text, std::string_view forbidden) {
    return text.find_first_of(forbidden) != std::string_view::npos;
}

constexpr std::string_view kForbiddenInNames = "~`!@#$%^&*{}[]|\\:;\"'<>,.?/";
constexpr std::string_view kForbiddenInNumbers = "~`!@#$%^&*{}[]|\\:;\"'<>.?/";

} // namespace

std::optional<std::string> MacRefusal(std::string_view mac, bool allowMulticast) {
    if (const auto refusal = MacFormatRefusal(mac)) {
        return std::string(*refusal);
    }
    if (!allowMulticast && IsMulticastMac(mac)) {
        return "Multicast MAC is not allowed.";
    }
    return std::nullopt;
}

std::optional<std::uint32_t> IpToNumber(std::string_view dotted) {
    const auto parts = text_parsing::SplitText(dotted, '.');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (auto part : parts) {
        const auto value = text_parsing::ParseDecimal(part, 255);
        if (!value) {
            return std::nullopt;
        }
        number = number << 8 | static_cast<std::uint32_t>(*value);
    }
    return number;
}

bool CheckHostIp(std::string_view dotted) {
    const auto number = IpToNumber(dotted);
    if (!number || IsZeroOr255(*number >> 24) || IsZeroOr255(*number & 0xFFu)) {
        return false;
    }
    const auto address = *number;
    if ((address >> 31) == 0) {
        const auto network = address >> 24;
        const auto host = address & 0xFFFFFFu;
        return network != 127 && host != 0 && host != 0xFFFFFFu;
    }
    if ((address >> 30) == 0b10) {
        const auto host = address & 0xFFFFu;
        return host != 0 && host != 0xFFFFu;
    }
    return (address >> 29) == 0b110;
}

bool SameSubnet(std::string_view a, std::string_view mask, std::string_view b) {
    const auto first = IpToNumber(a);
    const auto netmask = IpToNumber(mask);
    const auto second = IpToNumber(b);
    return first && netmask && second && (*first & *netmask) == (*second & *netmask);
}

AddressEntryResult CheckAddressEntry(const std::array<int, 4>& ipFields, int filledFields,
                                     std::string_view mac) {
    const bool fieldsValid = std::all_of(ipFields.begin(), ipFields.end(),
                                         [](int field) { return field >= 0 && field <= 255; });
    if (filledFields < 4 || !fieldsValid) {
        return Refuse("Please enter correct IP format(ex:192.168.0.10)", EntryFocus::IpAddress);
    }
    const auto part = [&](std::size_t index) {
        return static_cast<std::uint32_t>(ipFields[index]);
    };
    const auto address = AddressOf(part(0), part(1), part(2), part(3));
    if (address == 0) {
        return Refuse("Invalid IP.", EntryFocus::IpAddress);
    }
    if (IsZeroOr255(part(0))) {
        return Refuse("Invalid  IP.", EntryFocus::IpAddress);
    }
    if (IsZeroOr255(part(3))) {
        return Refuse("Invalid IP.", EntryFocus::IpAddress);
    }
    if (!InUnicastRange(address)) {
        return Refuse("Multicast IP is not allowed", EntryFocus::IpAddress);
    }
    if (const auto refusal = MacFormatRefusal(mac)) {
        return Refuse(*refusal, EntryFocus::Mac);
    }
    if (IsMulticastMac(mac)) {
        return Refuse("Multicast MAC address is not allowed.", EntryFocus::Mac);
    }
    return {};
}

bool CheckName(std::string_view name) {
    return !ContainsAnyOf(name, kForbiddenInNames);
}

bool CheckNameNoLetters(std::string_view text) {
    return !ContainsAnyOf(text, kForbiddenInNumbers) &&
           std::none_of(text.begin(), text.end(), text_parsing::IsAsciiLetter);
}
