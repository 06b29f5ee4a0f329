// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The groups of the switch's SNMP agent dialogs. Secrets stay out: the community table (whose
// key is the community itself), the SNMPv1/v2c users and groups (which map the communities and
// are commonly named after them), the users' passwords and the hosts' community names.
#include "features/snapshot/GroupParts.h"
#include "features/snmp_agent/SnmpAgentMib.h"

namespace snapshot {
namespace {

using Table = CSnmpAgentMib::Table;
constexpr long kVersion3 = 3; // of a user's version and a group's security model

std::string Text(const QString& text) {
    return text.toStdString();
}

// One of the agent's tables; `addRows` adds the settings of the rows read.
class CAgentTableGroup : public CGroup {
public:
    using AddRows = std::function<void(CGroup&, const CSnmpAgentMib&)>;
    CAgentTableGroup(const char* dialog, Table table, AddRows addRows)
        : CGroup({"Device Manager", "SNMP", dialog}), m_table(table),
          m_addRows(std::move(addRows)) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        CTableWalk& walk = m_table == Table::User ? m_cMib.UserWalk() : m_cMib.TableWalk();
        WhenWalkEnds(
            walk, [this] { m_addRows(*this, m_cMib); }, std::move(done));
        m_cMib.StartRead(m_table);
    }

private:
    CSnmpAgentMib m_cMib;
    Table m_table;
    AddRows m_addRows;
};

void AddUsers(CGroup& group, const CSnmpAgentMib& mib) {
    for (const snmpagent::UserRow& row : mib.Users()) {
        if (row.version != kVersion3) {
            continue;
        }
        const std::string user =
            "User " + Text(row.name) + " " + EnumText(snmpagent::UserVersions(), row.version);
        group.Add("Group Name", Text(row.group), user);
        group.Add("Auth Protocol", EnumText(snmpagent::AuthProtocols(), row.auth), user);
        group.Add("Priv-Protocol", EnumText(snmpagent::PrivProtocols(), row.priv), user);
    }
}

void AddGroups(CGroup& group, const CSnmpAgentMib& mib) {
    for (const snmpagent::GroupRow& row : mib.Groups()) {
        if (row.model != kVersion3) {
            continue;
        }
        const std::string key = "Group " + Text(row.name) + " " +
                                EnumText(snmpagent::SecurityModels(), row.model) + " " +
                                EnumText(snmpagent::SecurityLevels(), row.level);
        group.Add("Read View", Text(row.readView), key);
        group.Add("Write View", Text(row.writeView), key);
        group.Add("Notify View", Text(row.notifyView), key);
    }
}

void AddViews(CGroup& group, const CSnmpAgentMib& mib) {
    for (const snmpagent::ViewRow& row : mib.Views()) {
        const std::string key = "View " + Text(row.name) + " " + row.subtree;
        group.Add("OID Mask", snmpagent::MaskText(row.mask), key);
        group.Add("View Type", EnumText(snmpagent::ViewTypes(), row.type), key);
    }
}

void AddHosts(CGroup& group, const CSnmpAgentMib& mib) {
    for (const snmpagent::HostRow& row : mib.Hosts()) {
        group.Add("SNMP Version", EnumText(snmpagent::HostVersions(), row.version),
                  "Host " + row.address);
    }
}

// The agent's scalars: one synchronous read, its values added by `add`.
class CAgentScalarGroup : public CGroup {
public:
    using Read = std::function<bool(CGroup&, CSnmpAgentMib&)>;
    CAgentScalarGroup(const char* dialog, Read read)
        : CGroup({"Device Manager", "SNMP", dialog}), m_read(std::move(read)) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        done(m_read(*this, m_cMib));
    }

private:
    CSnmpAgentMib m_cMib;
    Read m_read;
};

bool ReadGlobalState(CGroup& group, CSnmpAgentMib& mib) {
    const std::optional<long> state = mib.ReadGlobalState();
    group.Add("Enable SNMP Global", StateText(state));
    return state.has_value();
}

bool ReadEngineId(CGroup& group, CSnmpAgentMib& mib) {
    const std::optional<std::string> id = mib.ReadEngineId();
    group.Add("SNMP Engine ID", id.value_or(""));
    return id.has_value();
}

bool ReadTraps(CGroup& group, CSnmpAgentMib& mib) {
    const int count = IsPoeSwitch() ? snmpagent::kPoeTrapSwitches : snmpagent::kTrapSwitches;
    const auto values = mib.ReadTraps(count);
    if (!values) {
        return false;
    }
    for (size_t i = 0; i < values->size() && i < snmpagent::kTrapTexts.size(); ++i) {
        group.Add(LabelText(snmpagent::kTrapTexts[i]), StateText(IntegerOf((*values)[i])));
    }
    return true;
}

} // namespace

std::unique_ptr<CGroup> MakeSnmpGlobalStateGroup() {
    return std::make_unique<CAgentScalarGroup>("SNMP Global State", &ReadGlobalState);
}

std::unique_ptr<CGroup> MakeSnmpUserGroup() {
    return std::make_unique<CAgentTableGroup>("SNMP User Table", Table::User, &AddUsers);
}

std::unique_ptr<CGroup> MakeSnmpGroupGroup() {
    return std::make_unique<CAgentTableGroup>("SNMP Group Table", Table::Group, &AddGroups);
}

std::unique_ptr<CGroup> MakeSnmpViewGroup() {
    return std::make_unique<CAgentTableGroup>("SNMP View Table", Table::View, &AddViews);
}

std::unique_ptr<CGroup> MakeSnmpHostGroup() {
    return std::make_unique<CAgentTableGroup>("SNMP Host Table", Table::Host, &AddHosts);
}

std::unique_ptr<CGroup> MakeSnmpEngineIdGroup() {
    return std::make_unique<CAgentScalarGroup>("SNMP Engine ID", &ReadEngineId);
}

std::unique_ptr<CGroup> MakeSnmpTrapGroup() {
    return std::make_unique<CAgentScalarGroup>("SNMP Trap Configuration", &ReadTraps);
}

} // namespace snapshot
