// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Snmprec.h"

#include <fstream>

namespace ksxsim {

namespace {

void EnsureRow(SwitchModel& model, const Oid& oid) {
    const ObjectDef* def = model.Definitions().Find(oid);
    if (def == nullptr || def->table == nullptr) {
        return;
    }
    Oid index = SuffixAfter(oid, def->oid);
    if (!SplitIndex(*def->table, index)) {
        return;
    }
    const Oid& anchor = def->table->columns.front()->oid;
    if (model.Data().count(anchor + index) == 0) {
        PutRow(model.Data(), *def->table, index);
    }
}

} // namespace

bool LoadSnmprec(SwitchModel& model, std::istream& input, std::string& error) {
    std::string line;
    int number = 0;
    while (std::getline(input, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        size_t first = line.find('|');
        size_t second = first == std::string::npos ? first : line.find('|', first + 1);
        if (second == std::string::npos) {
            error = "line " + std::to_string(number) + ": expected OID|TAG|VALUE";
            return false;
        }
        auto oid = ParseOid(line.substr(0, first));
        auto value =
            ParseSnmprecValue(line.substr(first + 1, second - first - 1), line.substr(second + 1));
        if (!oid) {
            error = "line " + std::to_string(number) + ": bad OID";
            return false;
        }
        if (!value) {
            error = "line " + std::to_string(number) + ": bad tag or value";
            return false;
        }
        EnsureRow(model, *oid);
        model.Put(*oid, std::move(*value));
        model.Data()[*oid].fixed = true;
    }
    return true;
}

bool LoadSnmprecFile(SwitchModel& model, const std::string& path, std::string& error) {
    std::ifstream input(path);
    if (!input) {
        error = "cannot read " + path;
        return false;
    }
    if (!LoadSnmprec(model, input, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace ksxsim
