// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Oid.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace ksxsim {

std::optional<Oid> ParseOid(std::string_view text) {
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    Oid result;
    uint64_t arc = 0;
    bool haveDigit = false;
    for (char c : text) {
        if (c == '.') {
            if (!haveDigit) {
                return std::nullopt;
            }
            result.push_back(static_cast<uint32_t>(arc));
            arc = 0;
            haveDigit = false;
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        arc = arc * 10 + static_cast<uint64_t>(c - '0');
        if (arc > UINT32_MAX) {
            return std::nullopt;
        }
        haveDigit = true;
    }
    if (!haveDigit) {
        return std::nullopt;
    }
    result.push_back(static_cast<uint32_t>(arc));
    return result;
}

std::string FormatOid(const Oid& oid) {
    std::string text;
    text.reserve(oid.size() * 4);
    for (size_t i = 0; i < oid.size(); ++i) {
        if (i != 0) {
            text += '.';
        }
        text += std::to_string(oid[i]);
    }
    return text;
}

bool StartsWith(const Oid& oid, const Oid& prefix) {
    return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

Oid SuffixAfter(const Oid& oid, const Oid& prefix) {
    if (!StartsWith(oid, prefix)) {
        return {};
    }
    return Oid(oid.begin() + static_cast<std::ptrdiff_t>(prefix.size()), oid.end());
}

Oid operator+(Oid left, const Oid& right) {
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

Oid operator+(Oid left, uint32_t arc) {
    left.push_back(arc);
    return left;
}

Oid O(std::string_view text) {
    auto oid = ParseOid(text);
    if (!oid) {
        throw std::invalid_argument("bad built-in OID: " + std::string(text));
    }
    return *oid;
}

} // namespace ksxsim
