// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Model.h"

#include <algorithm>
#include <limits>

namespace ksxsim {

std::string_view ErrorName(ErrorStatus status) {
    switch (status) {
    case ErrorStatus::NoError:
        return "noError";
    case ErrorStatus::GenErr:
        return "genErr";
    case ErrorStatus::NoAccess:
        return "noAccess";
    case ErrorStatus::WrongType:
        return "wrongType";
    case ErrorStatus::WrongLength:
        return "wrongLength";
    case ErrorStatus::WrongValue:
        return "wrongValue";
    case ErrorStatus::NoCreation:
        return "noCreation";
    case ErrorStatus::InconsistentValue:
        return "inconsistentValue";
    case ErrorStatus::ResourceUnavailable:
        return "resourceUnavailable";
    case ErrorStatus::CommitFailed:
        return "commitFailed";
    case ErrorStatus::NotWritable:
        return "notWritable";
    }
    return "genErr";
}

Transaction::Transaction(SwitchModel& model, std::vector<Binding> bindings)
    : model_(model), bindings_(std::move(bindings)) {}

namespace {

constexpr int kRowActive = 1;
constexpr int kRowNotInService = 2;
constexpr int kRowCreateAndGo = 4;
constexpr int kRowCreateAndWait = 5;
constexpr int kRowDestroy = 6;

bool InRanges(const ObjectDef& def, int64_t number) {
    if (def.rowStatus) {
        return number == kRowActive || number == kRowNotInService || number == kRowCreateAndGo ||
               number == kRowCreateAndWait || number == kRowDestroy;
    }
    if (def.ranges.empty()) {
        return true;
    }
    return std::any_of(def.ranges.begin(), def.ranges.end(),
                       [&](const Range& r) { return number >= r.low && number <= r.high; });
}

bool TypeLimitsHold(Tag tag, int64_t number) {
    switch (tag) {
    case Tag::Integer:
        return number >= std::numeric_limits<int32_t>::min() &&
               number <= std::numeric_limits<int32_t>::max();
    case Tag::Counter32:
    case Tag::Gauge32:
    case Tag::TimeTicks:
        return number >= 0 && number <= std::numeric_limits<uint32_t>::max();
    default:
        return true;
    }
}

} // namespace

std::optional<ErrorStatus> Transaction::CheckBinding(const Binding& binding) const {
    const ObjectDef* def = model_.Definitions().Find(binding.oid);
    if (def == nullptr) {
        // Objects that only an overlay brought in are writable with their own type.
        auto it = model_.Data().find(binding.oid);
        if (it == model_.Data().end()) {
            return ErrorStatus::NotWritable;
        }
        if (it->second.value.tag != binding.value.tag) {
            return ErrorStatus::WrongType;
        }
        return std::nullopt;
    }
    if (def->access == Access::ReadOnly) {
        return ErrorStatus::NotWritable;
    }
    if (def->tag != binding.value.tag) {
        return ErrorStatus::WrongType;
    }
    if (def->tag == Tag::IpAddress && binding.value.bytes.size() != 4) {
        return ErrorStatus::WrongLength;
    }
    if (def->tag == Tag::OctetString && (binding.value.bytes.size() < def->minLength ||
                                         binding.value.bytes.size() > def->maxLength)) {
        return ErrorStatus::WrongLength;
    }
    if (IsNumeric(def->tag) && (!TypeLimitsHold(def->tag, binding.value.number) ||
                                !InRanges(*def, binding.value.number))) {
        return ErrorStatus::WrongValue;
    }
    Oid suffix = SuffixAfter(binding.oid, def->oid);
    if (def->table == nullptr) {
        if (suffix != Oid{0}) {
            return ErrorStatus::NoCreation;
        }
    } else if (!SplitIndex(*def->table, suffix)) {
        return ErrorStatus::NoCreation;
    }
    return std::nullopt;
}

std::optional<SetFailure> Transaction::CheckEach() {
    for (size_t i = 0; i < bindings_.size(); ++i) {
        if (auto error = CheckBinding(bindings_[i])) {
            return SetFailure{*error, i};
        }
    }
    return std::nullopt;
}

std::optional<SetFailure> Transaction::ApplyRowStatus(size_t i) {
    const Binding& binding = bindings_[i];
    const ObjectDef* def = model_.Definitions().Find(binding.oid);
    const TableDef& table = *def->table;
    Oid index = SuffixAfter(binding.oid, def->oid);
    bool exists = RowExists(table, index);
    auto status = static_cast<int>(binding.value.number);
    auto createRow = [&](int initialStatus) -> std::optional<SetFailure> {
        if (exists) {
            return SetFailure{ErrorStatus::InconsistentValue, i};
        }
        if (Rows(table).size() >= table.maxRows) {
            return SetFailure{ErrorStatus::ResourceUnavailable, i};
        }
        CreateRow(table, index);
        Put(binding.oid, Value::Int(initialStatus));
        return std::nullopt;
    };
    switch (status) {
    case kRowCreateAndGo:
        return createRow(kRowActive);
    case kRowCreateAndWait:
        return createRow(kRowNotInService);
    case kRowActive:
        if (!exists && table.createOnActive) {
            return createRow(kRowActive);
        }
        [[fallthrough]];
    case kRowNotInService:
        if (!exists) {
            return SetFailure{ErrorStatus::InconsistentValue, i};
        }
        Put(binding.oid, Value::Int(status));
        return std::nullopt;
    case kRowDestroy:
        if (exists) {
            DestroyRow(table, index);
        } else if (model_.Profile().strictDestroy) {
            return SetFailure{ErrorStatus::InconsistentValue, i};
        }
        return std::nullopt;
    default:
        return SetFailure{ErrorStatus::WrongValue, i};
    }
}

std::optional<SetFailure> Transaction::StageValue(size_t i) {
    const Binding& binding = bindings_[i];
    const ObjectDef* def = model_.Definitions().Find(binding.oid);
    if (def != nullptr && def->table != nullptr) {
        if (!RowExists(*def->table, SuffixAfter(binding.oid, def->oid))) {
            return SetFailure{ErrorStatus::NoCreation, i};
        }
    } else if (Get(binding.oid) == nullptr) {
        return SetFailure{ErrorStatus::NoCreation, i};
    }
    if (def != nullptr && def->portList) {
        Put(binding.oid, Value::Str(NormalisedPortList(binding.value.bytes)));
    } else {
        Put(binding.oid, binding.value);
    }
    return std::nullopt;
}

std::string Transaction::NormalisedPortList(const std::string& bytes) const {
    const DeviceProfile& profile = model_.Profile();
    std::vector<int> ports;
    for (int port : PortsOf(bytes)) {
        if (port <= profile.ports) {
            ports.push_back(port);
        }
    }
    return MakePortList(ports, profile.portListOctets);
}

std::optional<SetFailure> Transaction::Prepare() {
    // Row creation and removal come first, so that the other columns of a row created in
    // the same request find their row.
    for (size_t i = 0; i < bindings_.size(); ++i) {
        const ObjectDef* def = model_.Definitions().Find(bindings_[i].oid);
        if (def != nullptr && def->rowStatus) {
            if (auto failure = ApplyRowStatus(i)) {
                return failure;
            }
        }
    }
    for (size_t i = 0; i < bindings_.size(); ++i) {
        const ObjectDef* def = model_.Definitions().Find(bindings_[i].oid);
        if (def == nullptr || !def->rowStatus) {
            if (auto failure = StageValue(i)) {
                return failure;
            }
        }
    }
    for (const Rule& rule : model_.Rules()) {
        if (auto failure = rule(*this)) {
            return failure;
        }
    }
    return std::nullopt;
}

void Transaction::Apply() {
    Store& store = model_.Data();
    undo_.clear();
    for (auto& [oid, cell] : staged_) {
        auto it = store.find(oid);
        undo_.emplace_back(oid, it == store.end() ? std::nullopt : std::optional<Cell>(it->second));
        if (cell) {
            store[oid] = *cell;
        } else if (it != store.end()) {
            store.erase(it);
        }
    }
}

void Transaction::Undo() {
    Store& store = model_.Data();
    for (auto it = undo_.rbegin(); it != undo_.rend(); ++it) {
        if (it->second) {
            store[it->first] = *it->second;
        } else {
            store.erase(it->first);
        }
    }
    undo_.clear();
}

const Value* Transaction::Get(const Oid& instance) const {
    auto staged = staged_.find(instance);
    if (staged != staged_.end()) {
        return staged->second ? &staged->second->value : nullptr;
    }
    return model_.Get(instance);
}

int64_t Transaction::GetNumber(const Oid& instance, int64_t fallback) const {
    const Value* value = Get(instance);
    return value != nullptr ? value->number : fallback;
}

std::string Transaction::GetBytes(const Oid& instance) const {
    const Value* value = Get(instance);
    return value != nullptr ? value->bytes : std::string();
}

std::optional<size_t> Transaction::BindingUnder(const Oid& prefix) const {
    for (size_t i = 0; i < bindings_.size(); ++i) {
        if (StartsWith(bindings_[i].oid, prefix)) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<Oid> Transaction::ChangedUnder(const Oid& prefix) const {
    std::vector<Oid> changed;
    for (auto it = staged_.lower_bound(prefix);
         it != staged_.end() && StartsWith(it->first, prefix); ++it) {
        if (it->second) {
            const Value* old = model_.Get(it->first);
            if (old == nullptr || !(*old == it->second->value)) {
                changed.push_back(it->first);
            }
        }
    }
    return changed;
}

void Transaction::Put(const Oid& instance, Value value) {
    auto staged = staged_.find(instance);
    if (staged != staged_.end() && staged->second) {
        staged->second->value = std::move(value);
        return;
    }
    auto it = model_.Data().find(instance);
    Cell cell;
    if (it != model_.Data().end()) {
        cell = it->second;
    } else {
        cell.def = model_.Definitions().Find(instance);
    }
    cell.value = std::move(value);
    staged_[instance] = std::move(cell);
}

void Transaction::CreateRow(const TableDef& table, const Oid& index) {
    for (const ObjectDef* column : table.columns) {
        staged_[column->oid + index] = Cell{InitialValue(*column, index), column};
    }
}

void Transaction::DestroyRow(const TableDef& table, const Oid& index) {
    for (const ObjectDef* column : table.columns) {
        staged_[column->oid + index] = std::nullopt;
    }
}

bool Transaction::RowExists(const TableDef& table, const Oid& index) const {
    return !table.columns.empty() && Get(table.columns.front()->oid + index) != nullptr;
}

std::set<Oid> Transaction::Rows(const TableDef& table) const {
    std::set<Oid> rows = RowIndexes(model_.Data(), table);
    if (table.columns.empty()) {
        return rows;
    }
    const Oid& anchor = table.columns.front()->oid;
    for (auto it = staged_.upper_bound(anchor);
         it != staged_.end() && StartsWith(it->first, anchor); ++it) {
        if (it->second) {
            rows.insert(SuffixAfter(it->first, anchor));
        } else {
            rows.erase(SuffixAfter(it->first, anchor));
        }
    }
    return rows;
}

} // namespace ksxsim
