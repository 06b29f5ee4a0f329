// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port sets as the switch and the dialogs exchange them:
// - a PortList octet string (bridge MIBs): bit 7 of octet 0 is port 1, bit 0 of octet 0 is
//   port 8, bit 7 of octet 1 is port 9, and so on. Octet strings are raw bytes in a
//   std::string, as the SNMP layer carries them;
// - port hex text: the same bits as hexadecimal digits, four ports per digit (8 = first);
// - PortFlags: one integer per port, entry p-1 for port p, 0 meaning "not in the set";
// - a port number list ("1,2,5") and a port range text ("1-4,7,9-10").
// Every function is pure (a refused text is an empty result; the dialog says so). The port
// count defaults to the model's DevicePortCount.
#pragma once

#include "snmp/SessionParameters.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using PortFlags = std::vector<std::int32_t>;

// A port number list and how many ports it names.
struct PortNumberList {
    std::string text;
    std::size_t count = 0;
};

// Lists the set bits of the first ceil(portCount / 8) octets (fewer when the string is
// shorter). Bits past portCount inside the last octet are listed like the others.
PortNumberList PortBitsToList(std::string_view octets,
                              int portCount = DeviceValues().DevicePortCount);

// Sets flags[n-1] = value for every number n of the list with 1 <= n <= portCount; other
// items are skipped, and so are ports beyond the end of flags.
void PortListToFlags(std::string_view list, PortFlags& flags, std::int32_t value,
                     int portCount = DeviceValues().DevicePortCount);

// Range text ("1-4,7,9-10") of the set bits of all octets whose port lies in
// [fromPort, toPort]; count is the number of those ports.
PortNumberList PortBitsToRanges(std::string_view octets, int fromPort, int toPort);

// Reads a port range text typed by the user into flags (portCount entries, 1 for every
// named port). Items are ports or "a-b" ranges, blanks around the numbers allowed; a range
// with a > b names no port. Empty when an item is not such a number or range or names a
// port outside 1..portCount.
std::optional<PortFlags> PortRangesToFlags(std::string_view text,
                                           int portCount = DeviceValues().DevicePortCount);

// One lower-case hex digit per group of four ports; any non-zero flag counts as a member,
// missing entries as non-members. A partial last group is filled with zero bits.
std::string PortFlagsToHex(const PortFlags& flags, int portCount = DeviceValues().DevicePortCount);

// Appends the zero digits that make the port hex text of the known models cover whole
// groups of 32 ports (8, 10, 16, 20, 24, 28, 48 and 52 ports); other counts add nothing.
std::string PadPortHex(std::string_view hex, int portCount = DeviceValues().DevicePortCount);

// Octets of a hex text, two digits each from the left (an odd text gets a "0" at its end),
// at most maxCount octets (later pairs are dropped). Empty when a character is not a
// hexadecimal digit.
std::optional<std::string> HexToBytes(std::string_view hex,
                                      std::size_t maxCount = std::string::npos);

// Each octet as two upper-case hex digits, no separators.
std::string BytesToHex(std::string_view octets);

// Port number list of a port hex text. Characters that are not hexadecimal digits are
// skipped and do not advance the port position.
PortNumberList HexToPortNumbers(std::string_view hex);

// The PortList octet string to write for a set of flags: PortFlagsToHex, PadPortHex and
// HexToBytes in a row.
std::string PortFlagsToPortList(const PortFlags& flags,
                                int portCount = DeviceValues().DevicePortCount);
