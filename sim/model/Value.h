// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "sim/model/Oid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ksxsim {

// SNMP value types, numbered by their BER tags (also the tags of .snmprec files).
enum class Tag : uint8_t {
    Integer = 2,
    OctetString = 4,
    Null = 5,
    ObjectId = 6,
    IpAddress = 64,
    Counter32 = 65,
    Gauge32 = 66,
    TimeTicks = 67,
    Opaque = 68,
    Counter64 = 70,
};

std::optional<Tag> TagFromNumber(int number);
// "INTEGER", "OCTET STRING", ... as used in logs.
std::string_view TagName(Tag tag);
bool IsNumeric(Tag tag);
bool IsBytes(Tag tag); // OCTET STRING, IpAddress, Opaque

struct Value {
    Tag tag = Tag::Null;
    int64_t number = 0; // INTEGER (signed), the unsigned types, Counter64 (as two's complement)
    std::string bytes;  // OCTET STRING, IpAddress (4 octets), Opaque
    Oid oid;            // OBJECT IDENTIFIER

    static Value Int(int64_t n) { return {Tag::Integer, n, {}, {}}; }
    static Value Str(std::string s) { return {Tag::OctetString, 0, std::move(s), {}}; }
    static Value Ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d);
    static Value Gauge(uint32_t n) { return {Tag::Gauge32, n, {}, {}}; }
    static Value Counter(uint32_t n) { return {Tag::Counter32, n, {}, {}}; }
    static Value Counter64(uint64_t n) { return {Tag::Counter64, static_cast<int64_t>(n), {}, {}}; }
    static Value Ticks(uint32_t n) { return {Tag::TimeTicks, n, {}, {}}; }
    static Value ObjectId(Oid o) { return {Tag::ObjectId, 0, {}, std::move(o)}; }

    bool operator==(const Value& other) const = default;
};

// Bytes from hexadecimal text; blanks, ':' and '-' between pairs are allowed.
std::optional<std::string> HexToBytes(std::string_view hex);
std::string BytesToHex(std::string_view bytes);

// A readable rendering: numbers in decimal, IpAddress dotted, OIDs dotted, octet strings
// as text when every byte is printable, otherwise as hexadecimal ("0x0102").
std::string ValueText(const Value& value);

// Parses the value part of a .snmprec line for the given tag text ("2", "4", "4x", "64",
// "6", ...). Returns nothing when the tag or the value is malformed.
std::optional<Value> ParseSnmprecValue(std::string_view tag, std::string_view text);

} // namespace ksxsim
