// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "sim/model/Mib.h"
#include "sim/model/Traffic.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ksxsim {

// The SNMP error-status values a set can end with.
enum class ErrorStatus : int {
    NoError = 0,
    GenErr = 5,
    NoAccess = 6,
    WrongType = 7,
    WrongLength = 8,
    WrongValue = 10,
    NoCreation = 11,
    InconsistentValue = 12,
    ResourceUnavailable = 13,
    CommitFailed = 14,
    NotWritable = 17,
};

std::string_view ErrorName(ErrorStatus status);

struct SetFailure {
    ErrorStatus status;
    size_t index; // of the binding, counted from 0
};

struct DeviceProfile {
    std::string model = "KSX-7700-52";
    int ports = 52;
    bool poe = false;
    int poePorts = 0;
    bool allGiga = false;
    bool strictDestroy = false; // destroying a row that does not exist is refused
    TrafficSettings traffic;
    int fdbEntries = 30;
    int fdbIds = 1;
    std::string engineId; // octets
    std::string roCommunity = "guests";
    std::string rwCommunity = "keepers";
    // PortList length used for this model's default port sets.
    size_t portListOctets = 7;
    // SNMPv3 users the agent accepts, shown in the switch's own user table.
    struct AgentUser {
        std::string name;
        int auth = 1; // 1 none, 2 MD5, 3 SHA
        int priv = 1; // 1 none, 2 DES or AES
    };
    std::vector<AgentUser> v3Users;
};

// Returns the profile of a model name; nothing for an unknown model.
std::optional<DeviceProfile> ProfileFor(const std::string& model);

class Transaction;
using Rule = std::function<std::optional<SetFailure>(Transaction&)>;

class SwitchModel {
public:
    explicit SwitchModel(DeviceProfile profile);
    SwitchModel(const SwitchModel&) = delete;
    SwitchModel& operator=(const SwitchModel&) = delete;

    const DeviceProfile& Profile() const { return profile_; }
    Mib& Definitions() { return mib_; }
    const Mib& Definitions() const { return mib_; }
    Store& Data() { return store_; }
    const Store& Data() const { return store_; }

    // Cross-object effects and consistency checks, run on every set after the plain checks.
    void AddRule(Rule rule) { rules_.push_back(std::move(rule)); }
    const std::vector<Rule>& Rules() const { return rules_; }

    const Value* Get(const Oid& instance) const;
    // Writes a value outside any set request (timed behaviours, the overlay).
    void Put(const Oid& instance, Value value);

    // The private subtree of the switch.
    static const Oid& PrivateBase();

    // What is plugged into each port (index port - 1): not in any MIB object, changed by
    // the animation.
    struct PhysicalPort {
        bool cable = false;
        int partnerMode = 1;        // operating mode the link settles on with Auto
        bool poweredDevice = false; // a PoE device that draws power
    };
    std::vector<PhysicalPort>& Physical() { return physical_; }
    const std::vector<PhysicalPort>& Physical() const { return physical_; }

    // The ports' traffic counters (read by the live counter objects).
    TrafficCounters& Traffic() { return traffic_; }

    // Saved configuration: a restart brings back what was saved last.
    void SaveConfiguration() { saved_ = store_; }
    void RestoreConfiguration() { store_ = saved_; }

private:
    DeviceProfile profile_;
    TrafficCounters traffic_{profile_.traffic};
    Mib mib_;
    Store store_;
    Store saved_;
    std::vector<Rule> rules_;
    std::vector<PhysicalPort> physical_;
};

struct Binding {
    Oid oid;
    Value value;
};

// One set request. The phases follow the agent's: CheckEach (types, access, ranges),
// Prepare (rows, consistency, derived changes), then Apply and either Undo or nothing.
// Nothing reaches the store before Apply, so a refused set leaves it unchanged.
class Transaction {
public:
    Transaction(SwitchModel& model, std::vector<Binding> bindings);

    std::optional<SetFailure> CheckEach();
    std::optional<SetFailure> Prepare();
    void Apply();
    void Undo();

    // Named happenings for the agent's timed behaviours ("reboot", "save", ...).
    const std::vector<std::string>& Events() const { return events_; }

    // For rules: the store as it will be after this set.
    SwitchModel& Model() { return model_; }
    const SwitchModel& Model() const { return model_; }
    const std::vector<Binding>& Bindings() const { return bindings_; }
    const Value* Get(const Oid& instance) const;
    int64_t GetNumber(const Oid& instance, int64_t fallback = 0) const;
    std::string GetBytes(const Oid& instance) const;
    // Index of the first binding under prefix, if any.
    std::optional<size_t> BindingUnder(const Oid& prefix) const;
    // Instances under prefix whose value this set changes (staged writes, not deletions).
    std::vector<Oid> ChangedUnder(const Oid& prefix) const;
    void Put(const Oid& instance, Value value);
    void CreateRow(const TableDef& table, const Oid& index);
    void DestroyRow(const TableDef& table, const Oid& index);
    bool RowExists(const TableDef& table, const Oid& index) const;
    std::set<Oid> Rows(const TableDef& table) const;
    void Raise(std::string event) { events_.push_back(std::move(event)); }

private:
    std::optional<ErrorStatus> CheckBinding(const Binding& binding) const;
    std::optional<SetFailure> ApplyRowStatus(size_t index);
    std::optional<SetFailure> StageValue(size_t index);
    std::string NormalisedPortList(const std::string& bytes) const;

    SwitchModel& model_;
    std::vector<Binding> bindings_;
    std::map<Oid, std::optional<Cell>> staged_;
    std::vector<std::pair<Oid, std::optional<Cell>>> undo_;
    std::vector<std::string> events_;
};

} // namespace ksxsim
