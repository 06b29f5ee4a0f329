// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ksxsim {

// An object identifier as a list of arcs. std::vector's ordering is the SNMP ordering
// (lexicographic, a prefix before its extensions), so an ordered map of Oid keys walks
// the tree in get-next order.
using Oid = std::vector<uint32_t>;

// Parses dotted-decimal text, with or without a leading dot. Empty arcs, non-digits and
// arcs above 2^32-1 are refused.
std::optional<Oid> ParseOid(std::string_view text);

// Dotted-decimal text without a leading dot ("1.3.6.1").
std::string FormatOid(const Oid& oid);

bool StartsWith(const Oid& oid, const Oid& prefix);

// The arcs of oid after prefix (oid must start with prefix).
Oid SuffixAfter(const Oid& oid, const Oid& prefix);

Oid operator+(Oid left, const Oid& right);
Oid operator+(Oid left, uint32_t arc);

// Parses text that is known to be valid (for built-in tables); aborts otherwise.
Oid O(std::string_view text);

} // namespace ksxsim
