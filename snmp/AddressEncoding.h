// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// MAC addresses and text used as table indexes. Octet strings are raw bytes in a
// std::string, as the SNMP layer carries them. All functions are pure.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// "00:1A:2B:3C:4D:5E" of the first six octets; empty when there are fewer than six.
std::string FormatMacColon(std::string_view octets);
// "00-1A-2B-3C-4D-5E" of the first six octets; empty when there are fewer than six.
std::string FormatMacDash(std::string_view octets);

// Six octets from the first twelve characters of a MAC text without separators. A
// character that is not 1-9, A-F or a-f counts as 0, and so does a missing one.
std::string ParseMacHex(std::string_view text);

// Index arcs such as "0.17.34.51.68.85" (a leading "." allowed) as a MAC text
// "00-11-22-33-44-55"; at most six arcs are used. Empty when an arc is not a number 0..255.
std::string DecimalOidToMac(std::string_view text);

// Index arcs of a MAC text: 00-11-22-33-44-55 gives .0.17.34.51.68.85. Every "-" is
// ignored; empty when the rest is not an even number of hexadecimal digits.
std::string MacToOidIndex(std::string_view mac);

// The variable-length string index: "." and the length, then "." and each byte's value,
// reading up to the first zero byte or maxBytes bytes. "ab" gives .2.97.98.
std::string StringToOidIndex(std::string_view text, std::size_t maxBytes = std::string::npos);
