// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The value encodings and input checks of the SNMP layer. Byte 0 picks the function, byte 1
// a port count or length limit, the rest is the text or the octets. Where an encoding has an
// inverse, the round trip must give back what went in; a check that accepts must give a
// value the encodings can carry.
#include "platform/Message.h"
#include "snmp/AddressEncoding.h"
#include "snmp/InputChecks.h"
#include "snmp/PortEncoding.h"
#include "snmp/TextConversion.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return upper;
}

std::size_t SetBits(std::string_view octets) {
    std::size_t count = 0;
    for (char octet : octets) {
        count += static_cast<std::size_t>(std::popcount(static_cast<unsigned char>(octet)));
    }
    return count;
}

std::size_t Members(const PortFlags& flags) {
    return static_cast<std::size_t>(
        std::count_if(flags.begin(), flags.end(), [](std::int32_t flag) { return flag != 0; }));
}

std::string_view Line(std::string_view& text) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

void MacFormats(std::string_view octets) {
    const std::string colon = FormatMacColon(octets);
    const std::string dash = FormatMacDash(octets);
    Require(octets.size() < 6 ? colon.empty() && dash.empty()
                              : colon.size() == 17 && dash.size() == 17);
    if (!dash.empty()) {
        std::string digits = dash;
        std::erase(digits, '-');
        Require(ParseMacHex(digits) == octets.substr(0, 6));
        Require(DecimalOidToMac(MacToOidIndex(dash)) == dash);
    }
}

void MacIndexes(std::string_view text) {
    Require(ParseMacHex(text).size() == 6);
    const std::string mac = DecimalOidToMac(text);
    if (!mac.empty()) {
        Require(mac.size() <= 17 && DecimalOidToMac(MacToOidIndex(mac)) == mac);
    }
    const std::string index = MacToOidIndex(text);
    if (!index.empty()) {
        std::string digits(text);
        std::erase(digits, '-');
        Require(static_cast<std::size_t>(std::count(index.begin(), index.end(), '.')) ==
                digits.size() / 2);
    }
}

void MacChecks(std::string_view text, bool allowMulticast) {
    if (!MacRefusal(text, allowMulticast)) {
        Require(DecimalOidToMac(MacToOidIndex(text)) == Upper(text));
    }
}

void StringIndex(std::string_view text, std::size_t maxBytes) {
    const std::string index = StringToOidIndex(text, maxBytes);
    const std::size_t arcs = static_cast<std::size_t>(std::count(index.begin(), index.end(), '.'));
    Require(!index.empty() && index[0] == '.' && arcs >= 1 && arcs - 1 <= maxBytes &&
            arcs - 1 <= text.size() && std::stoul(index.substr(1)) == arcs - 1);
}

void PortBits(std::string_view octets, int portCount) {
    const PortNumberList list = PortBitsToList(octets, portCount);
    const std::size_t used = (static_cast<std::size_t>(portCount) + 7) / 8;
    Require(list.count == SetBits(octets.substr(0, used)));
    PortFlags flags(static_cast<std::size_t>(portCount), 0);
    PortListToFlags(list.text, flags, 1, portCount);
    Require(Members(flags) <= list.count);
    // Ports past the count in the last octet are listed but name no flag.
    const PortNumberList ranges = PortBitsToRanges(octets, 1, portCount);
    const auto named = PortRangesToFlags(ranges.text, portCount);
    Require(ranges.count == 0 || (named && Members(*named) == ranges.count));
    if (named) {
        Require(*named == flags || ranges.count == 0);
    }
}

void PortRanges(std::string_view text, int portCount) {
    const auto flags = PortRangesToFlags(text, portCount);
    if (!flags) {
        return;
    }
    Require(flags->size() == static_cast<std::size_t>(portCount));
    const std::string portList = PortFlagsToPortList(*flags, portCount);
    const PortNumberList ranges = PortBitsToRanges(portList, 1, portCount);
    Require(ranges.count == Members(*flags));
    if (ranges.count > 0) {
        Require(PortRangesToFlags(ranges.text, portCount) == flags);
    }
    const std::string hex = PortFlagsToHex(*flags, portCount);
    Require(HexToPortNumbers(hex).count == Members(*flags));
    Require(PadPortHex(hex, portCount).starts_with(hex));
}

void HexText(std::string_view text, std::size_t maxCount) {
    const auto bytes = HexToBytes(text, maxCount);
    if (bytes) {
        Require(bytes->size() <= maxCount &&
                bytes->size() == std::min(maxCount, (text.size() + 1) / 2));
        std::string padded = Upper(text);
        if (padded.size() % 2 != 0) {
            padded += '0';
        }
        Require(BytesToHex(*bytes) == padded.substr(0, bytes->size() * 2));
    }
    std::size_t digits = 0;
    std::size_t expected = 0;
    for (char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (hex) {
            ++digits;
            const int value = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
            expected += static_cast<std::size_t>(std::popcount(static_cast<unsigned>(value)));
        }
    }
    Require(HexToPortNumbers(text).count == expected);
    (void)digits;
}

void Octets(std::string_view octets) {
    Require(HexToBytes(BytesToHex(octets)) == octets);
}

std::string Dotted(std::uint32_t number) {
    return std::to_string(number >> 24) + '.' + std::to_string((number >> 16) & 0xFF) + '.' +
           std::to_string((number >> 8) & 0xFF) + '.' + std::to_string(number & 0xFF);
}

void Addresses(std::string_view text) {
    const std::string_view a = Line(text);
    const std::string_view mask = Line(text);
    const std::string_view b = text;
    if (const auto number = IpToNumber(a)) {
        Require(IpToNumber(Dotted(*number)) == number);
    }
    if (CheckHostIp(a)) {
        Require(IpToNumber(a).has_value());
    }
    if (SameSubnet(a, mask, b)) {
        Require(IpToNumber(a) && IpToNumber(mask) && IpToNumber(b));
        Require(SameSubnet(b, mask, a));
    }
}

void AddressEntry(std::string_view text, unsigned char selector) {
    std::array<int, 4> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i] =
            i < text.size() ? static_cast<unsigned char>(text[i]) * (selector & 1 ? 2 : 1) : 0;
    }
    const std::string_view mac = text.size() > 4 ? text.substr(4) : std::string_view();
    const AddressEntryResult result = CheckAddressEntry(fields, selector % 6, mac);
    Require(result.accepted == result.message.empty());
    if (result.accepted) {
        Require(!MacRefusal(mac, false).has_value());
    }
}

void Names(std::string_view text) {
    static constexpr std::string_view kForbidden = "~`!@#$%^&*{}[]|\\:;\"'<>,.?/";
    if (CheckName(text)) {
        Require(text.find_first_of(kForbidden) == std::string_view::npos);
    }
    if (CheckNameNoLetters(text)) {
        Require(std::none_of(text.begin(), text.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                   (c != ',' && kForbidden.find(c) != std::string_view::npos);
        }));
    }
}

void Utf8Names(std::string_view bytes, unsigned char limit) {
    const QString text = Utf8ToText(bytes);
    const int maxCharacters = limit % 64;
    const std::size_t maxBytes = limit >= 128 ? std::string::npos : limit % 37;
    const std::string written = TextToUtf8(text, maxCharacters, maxBytes);
    Require(written.size() <= maxBytes);
    const QString back = Utf8ToText(written);
    Require(back.toUcs4().size() <= maxCharacters && text.startsWith(back));
    Require(TextToUtf8(back, maxCharacters, maxBytes) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = [] {
        platform::SetMessageHandler(
            [](const QString&, platform::MessageKind) { return platform::MessageResult::Ok; });
        return true;
    }();
    (void)silenced;
    if (size < 2) {
        return 0;
    }
    const unsigned char selector = data[1];
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    const int portCount = selector % 64;
    switch (data[0] % 14) {
    case 0:
        MacFormats(text);
        break;
    case 1:
        MacIndexes(text);
        break;
    case 2:
        MacChecks(text, (selector & 1) != 0);
        break;
    case 3:
        StringIndex(text, selector == 255 ? std::string::npos : selector);
        break;
    case 4:
        PortBits(text, portCount);
        break;
    case 5:
        PortRanges(text, portCount);
        break;
    case 6:
        HexText(text, selector == 255 ? std::string::npos : selector);
        break;
    case 7:
        Octets(text);
        break;
    case 8:
        Addresses(text);
        break;
    case 9:
        AddressEntry(text, selector);
        break;
    case 10:
        Names(text);
        break;
    case 11:
        Utf8Names(text, selector);
        break;
    case 12:
        // The models' own port counts.
        PortRanges(text, (selector & 1) ? 52 : 28);
        break;
    default:
        PortBits(text, (selector & 1) ? 52 : 28);
        break;
    }
    return 0;
}
