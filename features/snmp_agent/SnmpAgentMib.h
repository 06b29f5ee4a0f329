// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The switch's own SNMP agent configuration: the global state, the user, group, view,
// community and host tables (rows made and removed through their RowStatus column), the
// engine ID and the trap switches. CSnmpAgentMib reads and writes them; the Plan functions
// turn what the administrator typed into the first refusal or the row to create. No widgets.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TableWalk.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace snmpagent {

// The agent group: AgentOid("2.1.1.8") is its user table's row-status column.
std::string AgentOid(std::string_view tail);

const CEnumTable& UserVersions();   // 1 V1, 2 V2c, 3 V3
const CEnumTable& AuthProtocols();  // 1 None, 2 MD5, 3 SHA (combo: MD5, SHA)
const CEnumTable& PrivProtocols();  // combo DES (2), None (1); the list shows DES_CBC
const CEnumTable& SecurityModels(); // 1 v1, 2 v2c, 3 v3
const CEnumTable& SecurityLevels(); // 1 NoAuthNoPriv, 2 AuthNoPriv, 3 AuthPriv
const CEnumTable& ViewTypes();      // 1 Included, 2 Excluded
const CEnumTable& HostVersions();   // 1 V1 ... 5 V3-AuthPriv
const CEnumTable& States();         // 1 enabled, 2 disabled

inline constexpr int kMaxCommunities = 10;
inline constexpr int kMaxHosts = 10;
inline constexpr int kMaxUsers = 50;
inline constexpr int kMaxGroups = 50;
inline constexpr int kMaxViews = 50;
// Names are typed with at most this many characters; written names take at most 127 bytes.
inline constexpr int kNameCharacters = 32;
inline constexpr std::size_t kNameBytes = 127;
inline constexpr int kEngineIdCharacters = 64;
// Trap switches of every model, and the three more of a PoE model.
inline constexpr int kTrapSwitches = 5;
inline constexpr int kPoeTrapSwitches = 8;
// The trap switches' texts, in the order of their objects; the last three on PoE models only.
inline constexpr std::array<const char*, kPoeTrapSwitches> kTrapTexts{
    "SNMP Authentication Traps", "Device Bootup",
    "Port Link Up / Link Down",  "RSTP Port State Change",
    "Firmware Upgrade State",    "PoE Power On / Off",
    "PoE Power Error ",          "PoE over max power budget"};

// Index pieces: the version suffix of "v1"/"V1", "v2c"/"V2c", "v3"/"V3" (".1" to ".3",
// nothing for any other text), the security-level suffix, and a host's four octets.
std::string VersionSuffix(std::string_view versionText);
std::string LevelSuffix(std::string_view levelText);
std::string HostIndex(std::string_view dotted);
// The index of a name as typed (its UTF-8 bytes).
std::string NameIndex(const QString& name);

// A model name with "p" or "P" in it has PoE ports.
bool IsPoeModel(std::string_view modelName);
// The engine ID read: lower-case hex, two digits per octet.
std::string EngineIdText(std::string_view octets);

// Rows as read; index is the row's index (no leading "."), used to remove it again.
struct CommunityRow {
    std::string index;
    QString name;
    QString viewPolicy;
};
struct UserRow {
    std::string index;
    QString name;
    QString group;
    std::optional<long> version;
    std::optional<long> auth;
    std::optional<long> priv;
};
struct GroupRow {
    std::string index;
    QString name;
    QString readView;
    QString writeView;
    QString notifyView;
    std::optional<long> model;
    std::optional<long> level;
};
struct ViewRow {
    std::string index;
    QString name;
    std::string subtree; // dotted arcs
    std::string mask;    // octets
    std::optional<long> type;
};
struct HostRow {
    std::string index;
    std::string address;
    QString name;
    std::optional<long> version;
};

// The mask cell: each octet's value, joined by ".".
std::string MaskText(std::string_view octets);

// What the administrator typed.
struct CommunityInput {
    QString name;
    QString viewPolicy; // the user picked in the combo
};
struct UserInput {
    QString name;
    QString group;
    long version = 1;
    bool encrypted = false;
    long auth = 2; // MD5 or SHA
    long priv = 2; // DES or None
    QString authPassword;
    QString privPassword;
};
struct GroupInput {
    QString name;
    QString readView;
    QString writeView;
    QString notifyView;
    long model = 1;
    long level = 1;
};
struct ViewInput {
    QString name;
    QString subtree;
    QString mask;
    long type = 1;
};
struct HostInput {
    int filledFields = 0;
    QString address;
    long version = 1;
    QString name;
};

// The inputs a refusal of a row is about.
inline constexpr char kNameField[] = "name";
inline constexpr char kGroupField[] = "group";
inline constexpr char kAuthPasswordField[] = "authPassword";
inline constexpr char kPrivPasswordField[] = "privPassword";
inline constexpr char kSubtreeField[] = "subtree";
inline constexpr char kMaskField[] = "mask";
inline constexpr char kAddressField[] = "address";

// A row to create: the first refusal (and the input it is about), or the new row with the
// requests sent between createAndWait and active.

ApplyPlan PlanCommunity(const CommunityInput& input, const std::vector<CommunityRow>& rows);
ApplyPlan PlanUser(const UserInput& input, const std::vector<UserRow>& rows);
ApplyPlan PlanGroup(const GroupInput& input, const std::vector<GroupRow>& rows);
ApplyPlan PlanView(const ViewInput& input, const std::vector<ViewRow>& rows);
ApplyPlan PlanHost(const HostInput& input, const std::vector<HostRow>& rows);

ApplyPlan PlanEngineId(const QString& text);
// States: 1 enabled, 2 disabled, or a value the switch reported.
ApplyPlan PlanGlobalState(long state);
// One switch per check box shown, in order (five, or eight on a PoE model).
ApplyPlan PlanTraps(const std::vector<long>& states);

} // namespace snmpagent

class CSnmpAgentMib : public CFeatureData {
public:
    enum class Table { Community, User, Group, View, Host };

    CSnmpAgentMib();
    ~CSnmpAgentMib() override;

    // Reads a table into the model (rows whose status is not active are left out); the
    // community table is followed by the user table. Each row added calls the row handler,
    // the end of the read (after a failure too) the finished handler.
    void StartRead(Table table);
    void OnRow(const QObject* receiver, std::function<void(Table table, std::size_t row)> handler) {
        m_onRow.Add(receiver, std::move(handler));
    }
    void OnFinished(const QObject* receiver, std::function<void()> handler) {
        m_onFinished.Add(receiver, std::move(handler));
    }
    CTableWalk& TableWalk() { return m_cTableWalk; }
    CTableWalk& UserWalk() { return m_cUserWalk; }

    const std::vector<snmpagent::CommunityRow>& Communities() const { return m_communities; }
    const std::vector<snmpagent::UserRow>& Users() const { return m_users; }
    const std::vector<snmpagent::GroupRow>& Groups() const { return m_groups; }
    const std::vector<snmpagent::ViewRow>& Views() const { return m_views; }
    const std::vector<snmpagent::HostRow>& Hosts() const { return m_hosts; }

    // Writes a row status of "1", "5" or "6"; any other writes "error istatus value!" to the
    // debug trace and sends nothing. True when the switch took it.
    bool SetRowStatus(const std::string& statusOid, const std::string& status);
    // Destroys the row of `index` (as read) in `table`.
    static ApplyPlan PlanDestroy(Table table, const std::string& index);

    std::optional<long> ReadGlobalState();
    std::optional<std::string> ReadEngineId(); // lower-case hex text
    // The trap switches ("1" enabled), `count` of them from the first.
    std::optional<std::vector<std::string>> ReadTraps(int count);

    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    void AddRow(const SnmpRow& row);
    void WalkFinished();

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CCommonSNMP& m_cCommonSNMPGetUse = AddSession("m_cCommonSNMPGetUse");
    CTableWalk m_cTableWalk;
    CTableWalk m_cUserWalk;

    Table m_reading = Table::Community;
    CListeners<Table, std::size_t> m_onRow;
    CListeners<> m_onFinished;
    std::vector<snmpagent::CommunityRow> m_communities;
    std::vector<snmpagent::UserRow> m_users;
    std::vector<snmpagent::GroupRow> m_groups;
    std::vector<snmpagent::ViewRow> m_views;
    std::vector<snmpagent::HostRow> m_hosts;
};
