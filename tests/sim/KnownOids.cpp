// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/sim/KnownOids.h"

#include <fstream>
#include <sstream>

namespace simtest {

std::vector<KnownObject> KnownObjects() {
    std::ifstream input(std::string(KSX_SOURCE_DIR) + "/tests/data/known-oids.txt");
    std::vector<KnownObject> objects;
    std::string line;
    while (std::getline(input, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '|');) {
            fields.push_back(field);
        }
        if (fields.size() == 6) {
            objects.push_back({fields[0] == "scalar", fields[1], fields[2], fields[3],
                               fields[4] == "28P", fields[5]});
        }
    }
    return objects;
}

} // namespace simtest
