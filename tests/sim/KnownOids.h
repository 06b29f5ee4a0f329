// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <string>
#include <vector>

namespace simtest {

// One line of tests/data/known-oids.txt: an object the module reads or writes.
struct KnownObject {
    bool scalar = false; // else a table column
    std::string oid;     // scalars with ".0", columns without an index
    std::string tag;
    std::string access;
    bool poeOnly = false;
    std::string feature;
};

std::vector<KnownObject> KnownObjects();

} // namespace simtest
