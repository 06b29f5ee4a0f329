// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The .snmprec overlay of ksx-sim over a KSX-7700-28P: any text loads or is refused with a
// line number, and an overlay never drops an object of the model.
#include "sim/model/Model.h"
#include "sim/model/Oid.h"
#include "sim/model/Snmprec.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using namespace ksxsim;

namespace {

// The instances a load of `text` can have touched: each line's OID and, for a table
// column, every column of that row. Copying the whole model back after each input would
// cost more than the load itself.
std::vector<Oid> TouchedInstances(SwitchModel& model, std::string_view text) {
    std::vector<Oid> touched;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto oid = ParseOid(line.substr(0, line.find('|')));
        if (!oid) {
            continue;
        }
        touched.push_back(*oid);
        const ObjectDef* def = model.Definitions().Find(*oid);
        if (def != nullptr && def->table != nullptr) {
            const Oid index = SuffixAfter(*oid, def->oid);
            for (const ObjectDef* column : def->table->columns) {
                touched.push_back(column->oid + index);
            }
        }
    }
    return touched;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SwitchModel model(*ProfileFor("KSX-7700-28P"));
    static const Store pristine = model.Data();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream input(text);
    std::string error;
    const bool loaded = LoadSnmprec(model, input, error);
    if (loaded != error.empty() || (!loaded && error.rfind("line ", 0) != 0)) {
        __builtin_trap();
    }
    if (model.Data().size() < pristine.size()) {
        __builtin_trap(); // an overlay adds and changes objects, it never drops one
    }
    for (const Oid& instance : TouchedInstances(model, text)) {
        const auto original = pristine.find(instance);
        if (original == pristine.end()) {
            model.Data().erase(instance);
        } else {
            model.Data()[instance] = original->second;
        }
    }
    if (model.Data().size() != pristine.size()) {
        __builtin_trap(); // the overlay changed more than its lines and their rows
    }
    return 0;
}
