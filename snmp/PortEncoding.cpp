// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/PortEncoding.h"

#include "snmp/TextParsing.h"

#include <algorithm>
#include <climits>

using text_parsing::HexDigitValue;
using text_parsing::ParseDecimal;
using text_parsing::SplitText;
using text_parsing::TrimBlanks;

namespace {

bool OctetHasPort(unsigned char octet, int bit) {
    return (octet & (0x80u >> bit)) != 0;
}

// Calls visit(port) for every set bit of the octets, port 1 first.
template <typename Visit> void ForEachSetPort(std::string_view octets, Visit visit) {
    for (std::size_t index = 0; index < octets.size(); ++index) {
        const auto octet = static_cast<unsigned char>(octets[index]);
        for (int bit = 0; bit < 8; ++bit) {
            if (OctetHasPort(octet, bit)) {
                visit(index * 8 + static_cast<std::size_t>(bit) + 1);
            }
        }
    }
}

void AppendPort(PortNumberList& list, std::size_t port) {
    if (list.count > 0) {
        list.text += ',';
    }
    list.text += std::to_string(port);
    ++list.count;
}

std::optional<int> ParsePortNumber(std::string_view text, int portCount) {
    const auto value = ParseDecimal(TrimBlanks(text), INT_MAX);
    if (!value || *value < 1 || *value > portCount) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

// First and last port of one item of a port range text.
std::optional<std::pair<int, int>> ParseRangeItem(std::string_view item, int portCount) {
    const auto dash = item.find('-');
    if (dash == std::string_view::npos) {
        const auto port = ParsePortNumber(item, portCount);
        return port ? std::optional(std::pair(*port, *port)) : std::nullopt;
    }
    const auto first = ParsePortNumber(item.substr(0, dash), portCount);
    const auto last = ParsePortNumber(item.substr(dash + 1), portCount);
    if (!first || !last) {
        return std::nullopt;
    }
    return std::pair(*first, *last);
}

char LowerHexDigit(unsigned value) {
    return "0123456789abcdef"[value & 0xFu];
}

char UpperHexDigit(unsigned value) {
    return "0123456789ABCDEF"[value & 0xFu];
}

} // namespace

PortNumberList PortBitsToList(std::string_view octets, int portCount) {
    const auto octetCount = (static_cast<std::size_t>(std::max(portCount, 0)) + 7) / 8;
    PortNumberList list;
    ForEachSetPort(octets.substr(0, octetCount), [&](std::size_t port) { AppendPort(list, port); });
    return list;
}

void PortListToFlags(std::string_view list, PortFlags& flags, std::int32_t value, int portCount) {
    if (list.empty()) {
        return;
    }
    const auto lastPort =
        std::min<std::int64_t>(portCount, static_cast<std::int64_t>(flags.size()));
    for (auto item : SplitText(list, ',')) {
        const auto port = ParseDecimal(TrimBlanks(item), INT_MAX);
        if (port && *port >= 1 && *port <= lastPort) {
            flags[static_cast<std::size_t>(*port - 1)] = value;
        }
    }
}

PortNumberList PortBitsToRanges(std::string_view octets, int fromPort, int toPort) {
    PortNumberList list;
    std::size_t runStart = 0;
    std::size_t previous = 0;
    const auto closeRun = [&] {
        if (previous != runStart) {
            list.text += '-';
            list.text += std::to_string(previous);
        }
    };
    ForEachSetPort(octets, [&](std::size_t port) {
        if (static_cast<std::int64_t>(port) < fromPort ||
            static_cast<std::int64_t>(port) > toPort) {
            return;
        }
        if (list.count == 0) {
            list.text = std::to_string(port);
            runStart = port;
        } else if (port != previous + 1) {
            closeRun();
            list.text += ',';
            list.text += std::to_string(port);
            runStart = port;
        }
        previous = port;
        ++list.count;
    });
    if (list.count > 0) {
        closeRun();
    }
    return list;
}

std::optional<PortFlags> PortRangesToFlags(std::string_view text, int portCount) {
    PortFlags flags(static_cast<std::size_t>(std::max(portCount, 0)), 0);
    for (auto item : SplitText(text, ',')) {
        const auto range = ParseRangeItem(item, portCount);
        if (!range) {
            return std::nullopt;
        }
        for (int port = range->first; port <= range->second; ++port) {
            flags[static_cast<std::size_t>(port - 1)] = 1;
        }
    }
    return flags;
}

std::string PortFlagsToHex(const PortFlags& flags, int portCount) {
    const auto ports = static_cast<std::size_t>(std::max(portCount, 0));
    const auto isMember = [&](std::size_t index) {
        return index < ports && index < flags.size() && flags[index] != 0;
    };
    std::string hex;
    for (std::size_t group = 0; group * 4 < ports; ++group) {
        unsigned digit = 0;
        for (std::size_t offset = 0; offset < 4; ++offset) {
            digit = digit << 1 | (isMember(group * 4 + offset) ? 1u : 0u);
        }
        hex += LowerHexDigit(digit);
    }
    return hex;
}

std::string PadPortHex(std::string_view hex, int portCount) {
    std::size_t zeros = 0;
    switch (portCount) {
    case 8:
        zeros = 6;
        break;
    case 10:
        zeros = 5;
        break;
    case 16:
    case 48:
        zeros = 4;
        break;
    case 20:
    case 52:
        zeros = 3;
        break;
    case 24:
        zeros = 2;
        break;
    case 28:
        zeros = 1;
        break;
    default:
        break;
    }
    return std::string(hex) + std::string(zeros, '0');
}

std::optional<std::string> HexToBytes(std::string_view hex, std::size_t maxCount) {
    if (!std::all_of(hex.begin(), hex.end(), text_parsing::IsHexDigit)) {
        return std::nullopt;
    }
    std::string octets;
    for (std::size_t at = 0; at < hex.size() && octets.size() < maxCount; at += 2) {
        const int high = HexDigitValue(hex[at]);
        const int low = at + 1 < hex.size() ? HexDigitValue(hex[at + 1]) : 0;
        octets += static_cast<char>(high * 16 + low);
    }
    return octets;
}

std::string BytesToHex(std::string_view octets) {
    std::string hex;
    hex.reserve(octets.size() * 2);
    for (char octet : octets) {
        const auto value = static_cast<unsigned char>(octet);
        hex += UpperHexDigit(value >> 4);
        hex += UpperHexDigit(value);
    }
    return hex;
}

PortNumberList HexToPortNumbers(std::string_view hex) {
    PortNumberList list;
    std::size_t firstPortOfDigit = 1;
    for (char c : hex) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            continue;
        }
        for (int bit = 0; bit < 4; ++bit) {
            if (digit & (8 >> bit)) {
                AppendPort(list, firstPortOfDigit + static_cast<std::size_t>(bit));
            }
        }
        firstPortOfDigit += 4;
    }
    return list;
}

std::string PortFlagsToPortList(const PortFlags& flags, int portCount) {
    return HexToBytes(PadPortHex(PortFlagsToHex(flags, portCount), portCount)).value_or("");
}
