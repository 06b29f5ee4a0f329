// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snmp_agent/SnmpAgentMib.h"

#include "features/common/RowCreation.h"

#include "platform/Trace.h"
#include "snmp/AddressEncoding.h"
#include "snmp/InputChecks.h"
#include "snmp/PortEncoding.h"
#include "snmp/TextConversion.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <map>

namespace snmpagent {

namespace {

std::string Column(std::string_view table, int column) {
    return AgentOid(std::string(table) + "." + std::to_string(column));
}
constexpr std::string_view kUsers = "2.1.1";
constexpr std::string_view kGroups = "3.1.1";
constexpr std::string_view kViews = "4.1.1";
constexpr std::string_view kCommunities = "5.1.1";
constexpr std::string_view kHosts = "6.1.1";
constexpr int kUserStatus = 8;
constexpr int kGroupStatus = 7;
constexpr int kViewStatus = 5;
constexpr int kCommunityStatus = 3;
constexpr int kHostStatus = 4;

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}
// A name written into a text column: UTF-8 of at most 127 bytes.
std::string WrittenName(const QString& text) {
    return TextToUtf8(text, kNameCharacters, kNameBytes);
}
QString Typed(const QString& text) {
    return text.trimmed().left(kNameCharacters);
}
bool ValidName(const QString& name) {
    return CheckName(Utf8(name));
}

// The arcs of a dotted text of decimal numbers; nothing when a part is empty or no number.
std::optional<std::vector<std::uint32_t>> Arcs(std::string_view text) {
    std::vector<std::uint32_t> arcs;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        const std::string_view part = text.substr(
            start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
        std::uint32_t arc = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), arc);
        if (part.empty() || error != std::errc() || end != part.data() + part.size()) {
            return std::nullopt;
        }
        arcs.push_back(arc);
        if (dot == std::string_view::npos) {
            return arcs;
        }
        start = dot + 1;
    }
}

std::string Dotted(const std::vector<std::uint32_t>& arcs) {
    std::string text;
    for (std::uint32_t arc : arcs) {
        text += (text.empty() ? "" : ".") + std::to_string(arc);
    }
    return text;
}

std::string ComboText(const CEnumTable& table, long value) {
    for (const EnumEntry& entry : table.Entries()) {
        if (entry.value == value) {
            return std::string(entry.combo);
        }
    }
    return {};
}

template <class Row> int CountRows(const std::vector<Row>& rows) {
    return static_cast<int>(rows.size());
}

} // namespace

std::string AgentOid(std::string_view tail) {
    return PrivateOid("25." + std::string(tail));
}

const CEnumTable& UserVersions() {
    static const CEnumTable table{{{1, "V1", "V1"}, {2, "V2c", "V2c"}, {3, "V3", "V3"}}};
    return table;
}
const CEnumTable& AuthProtocols() {
    static const CEnumTable table{{{1, "None", ""}, {2, "MD5", "MD5"}, {3, "SHA", "SHA"}}};
    return table;
}
const CEnumTable& PrivProtocols() {
    static const CEnumTable table{{{2, "DES_CBC", "DES"}, {1, "None", "None"}}};
    return table;
}
const CEnumTable& SecurityModels() {
    static const CEnumTable table{{{1, "v1", "v1"}, {2, "v2c", "v2c"}, {3, "v3", "v3"}}};
    return table;
}
const CEnumTable& SecurityLevels() {
    static const CEnumTable table{{{1, "NoAuthNoPriv", "NoAuthNoPriv"},
                                   {2, "AuthNoPriv", "AuthNoPriv"},
                                   {3, "AuthPriv", "AuthPriv"}}};
    return table;
}
const CEnumTable& ViewTypes() {
    static const CEnumTable table{{{1, "Included", "Included"}, {2, "Excluded", "Excluded"}}};
    return table;
}
const CEnumTable& HostVersions() {
    static const CEnumTable table{{{1, "V1", "V1"},
                                   {2, "V2c", "V2c"},
                                   {3, "V3-NoAuthNoPriv", "V3-NoAuthNoPriv"},
                                   {4, "V3-AuthNoPriv", "V3-AuthNoPriv"},
                                   {5, "V3-AuthPriv", "V3-AuthPriv"}}};
    return table;
}
const CEnumTable& States() {
    static const CEnumTable table{{{1, "Enabled", "Enabled"}, {2, "Disabled", "Disabled"}}};
    return table;
}

std::string VersionSuffix(std::string_view versionText) {
    if (versionText == "v1" || versionText == "V1") {
        return ".1";
    }
    if (versionText == "v2c" || versionText == "V2c") {
        return ".2";
    }
    if (versionText == "v3" || versionText == "V3") {
        return ".3";
    }
    return {};
}

std::string LevelSuffix(std::string_view levelText) {
    if (levelText == "NoAuthNoPriv") {
        return ".1";
    }
    return levelText == "AuthNoPriv" ? ".2" : ".3";
}

std::string HostIndex(std::string_view dotted) {
    const auto arcs = Arcs(dotted);
    if (!arcs || arcs->size() != 4) {
        return {};
    }
    return "." + Dotted(*arcs);
}

std::string NameIndex(const QString& name) {
    return StringToOidIndex(Utf8(name));
}

bool IsPoeModel(std::string_view modelName) {
    return modelName.find_first_of("pP") != std::string_view::npos;
}

std::string EngineIdText(std::string_view octets) {
    std::string hex = BytesToHex(octets);
    std::transform(hex.begin(), hex.end(), hex.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return hex;
}

std::string MaskText(std::string_view octets) {
    std::string text;
    for (unsigned char octet : octets) {
        text += (text.empty() ? "" : ".") + std::to_string(octet);
    }
    return text;
}

ApplyPlan PlanCommunity(const CommunityInput& input, const std::vector<CommunityRow>& rows) {
    ApplyPlan plan;
    const QString name = Typed(input.name);
    CheckChain checks;
    checks.Require(!name.isEmpty(), "Please enter valid Community Name !")
        .About(kNameField)
        .Require([&] { return ValidName(name); }, "Invalid Community Name.")
        .About(kNameField)
        .Require(std::none_of(rows.begin(), rows.end(),
                              [&](const CommunityRow& row) { return row.name == name; }),
                 "This Community Entry already exists.")
        .Require(CountRows(rows) < kMaxCommunities, "Maximum number of Community Entry is 10.");
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    const std::string index = NameIndex(name);
    plan.row.emplace().statusOid = Column(kCommunities, kCommunityStatus) + index;
    CSetRequest policy;
    policy.OctetString(Column(kCommunities, 2) + index, Utf8(input.viewPolicy));
    plan.row->values.push_back(std::move(policy));
    return plan;
}

ApplyPlan PlanUser(const UserInput& input, const std::vector<UserRow>& rows) {
    ApplyPlan plan;
    const QString name = Typed(input.name);
    const QString group = Typed(input.group);
    const std::string versionText = ComboText(UserVersions(), input.version);
    const bool v3 = input.version == 3;
    const bool encrypted = v3 && input.encrypted;
    const long auth = encrypted ? input.auth : 1;
    const long priv = encrypted ? input.priv : 1;
    const QString authPassword = encrypted ? input.authPassword.trimmed() : QString();
    const QString privPassword = priv == 2 ? input.privPassword.trimmed() : QString();
    CheckChain checks;
    checks.Require(!name.isEmpty(), "Please enter valid User Name ")
        .About(kNameField)
        .Require([&] { return ValidName(name); }, "Invalid User Name .")
        .About(kNameField)
        .Require(!group.isEmpty(), "Please enter valid Group Name ")
        .About(kGroupField)
        .Require([&] { return ValidName(group); }, "Invalid Group Name.")
        .About(kGroupField)
        .Require(std::none_of(rows.begin(), rows.end(),
                              [&](const UserRow& row) {
                                  return row.name == name && row.version == input.version;
                              }),
                 "This User Entry already exists.")
        .Require(CountRows(rows) < kMaxUsers, "Maximum number of User Entry is 50.");
    if (checks.Passed() && encrypted) {
        checks.Require(!authPassword.isEmpty(), "Auth-Protocol Password can't be empty.")
            .About(kAuthPasswordField)
            .Require(auth == 2 ? authPassword.size() <= 32 : authPassword.size() <= 40,
                     auth == 2 ? " MD5 Max. Password length is 32."
                               : " SHA Max. Password length is 40.")
            .About(kAuthPasswordField);
        if (priv == 2) {
            checks.Require(!privPassword.isEmpty(), "Priv-Protocol Password can't be empty.")
                .About(kPrivPasswordField)
                .Require(privPassword.size() <= 32, " DES Max. Password length is 32.")
                .About(kPrivPasswordField);
        }
    }
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    const std::string index = NameIndex(name) + VersionSuffix(versionText);
    plan.row.emplace().statusOid = Column(kUsers, kUserStatus) + index;
    CSetRequest groupName;
    groupName.OctetString(Column(kUsers, 3) + index, WrittenName(group));
    plan.row->values.push_back(std::move(groupName));
    if (v3) {
        CSetRequest protocols;
        protocols.Integer(Column(kUsers, 4) + index, auth);
        if (priv != 1) {
            protocols.Integer(Column(kUsers, 6) + index, priv);
        }
        CSetRequest passwords;
        passwords.OctetString(Column(kUsers, 5) + index, Utf8(authPassword));
        if (priv == 2) {
            passwords.OctetString(Column(kUsers, 7) + index, Utf8(privPassword));
        }
        plan.row->values.push_back(std::move(protocols));
        plan.row->values.push_back(std::move(passwords));
    }
    return plan;
}

ApplyPlan PlanGroup(const GroupInput& input, const std::vector<GroupRow>& rows) {
    ApplyPlan plan;
    const QString name = Typed(input.name);
    // Only an SNMPv3 group has a security level of its own.
    const long level = input.model == 3 ? input.level : 1;
    CheckChain checks;
    checks.Require(!name.isEmpty(), "Please enter valid group name!")
        .About(kNameField)
        .Require([&] { return ValidName(name); }, "Invalid Group Name.")
        .About(kNameField)
        .Require(std::none_of(rows.begin(), rows.end(),
                              [&](const GroupRow& row) {
                                  return row.name == name && row.model == input.model;
                              }),
                 "This Group Entry already exists.")
        .Require(CountRows(rows) < kMaxGroups, "Maximum number of Group Entry is 50.");
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    const std::string index = NameIndex(name) +
                              VersionSuffix(ComboText(SecurityModels(), input.model)) +
                              LevelSuffix(ComboText(SecurityLevels(), level));
    plan.row.emplace().statusOid = Column(kGroups, kGroupStatus) + index;
    CSetRequest columns;
    columns.Integer(Column(kGroups, 3) + index, level);
    const QString views[] = {input.readView.trimmed(), input.writeView.trimmed(),
                             input.notifyView.trimmed()};
    for (int i = 0; i < 3; ++i) {
        if (!views[i].isEmpty()) {
            columns.OctetString(Column(kGroups, 4 + i) + index, WrittenName(views[i]));
        }
    }
    plan.row->values.push_back(std::move(columns));
    return plan;
}

ApplyPlan PlanView(const ViewInput& input, const std::vector<ViewRow>& rows) {
    ApplyPlan plan;
    const QString name = Typed(input.name);
    const std::string subtree = input.subtree.trimmed().toStdString();
    const std::string mask = input.mask.trimmed().toStdString();
    const auto arcs = Arcs(subtree);
    std::vector<std::string> maskParts;
    for (const QString& part : QString::fromStdString(mask).split(QLatin1Char('.'))) {
        maskParts.push_back(part.toStdString());
    }
    CheckChain checks;
    checks.Require(!name.isEmpty(), "Please enter valid view name.")
        .About(kNameField)
        .Require([&] { return ValidName(name); }, "Invalid View Name.")
        .About(kNameField)
        .Require(subtree.find_first_not_of("0123456789.") == std::string::npos,
                 "Please enter valid subtree OID")
        .About(kSubtreeField)
        .Require(arcs.has_value(), "Please enter valid subtree OID .")
        .About(kSubtreeField)
        .Require(!mask.empty(), "Please enter valid OID Mask.")
        .About(kMaskField)
        .Require(std::all_of(maskParts.begin(), maskParts.end(),
                             [](const std::string& part) {
                                 return part == "0" || part == "1" || part == "00" || part == "01";
                             }),
                 "Please enter valid OID Mask.")
        .About(kMaskField)
        .Require([&] { return maskParts.size() <= arcs->size(); }, "Invalid  OID length")
        .About(kMaskField)
        .Require(
            [&] {
                return std::none_of(rows.begin(), rows.end(), [&](const ViewRow& row) {
                    return row.name == name && row.subtree == Dotted(*arcs);
                });
            },
            "This View Entry already exist.")
        .Require(CountRows(rows) < kMaxViews, "Maximum number of View Entry is 50.");
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    const std::string index =
        NameIndex(name) + "." + std::to_string(arcs->size()) + "." + Dotted(*arcs);
    plan.row.emplace().statusOid = Column(kViews, kViewStatus) + index;
    std::string maskOctets;
    for (const std::string& part : maskParts) {
        maskOctets.push_back(part.back() == '1' ? '\x01' : '\x00');
    }
    CSetRequest columns;
    columns.OctetString(Column(kViews, 3) + index, maskOctets);
    columns.Integer(Column(kViews, 4) + index, input.type == 2 ? 2 : 1);
    plan.row->values.push_back(std::move(columns));
    return plan;
}

ApplyPlan PlanHost(const HostInput& input, const std::vector<HostRow>& rows) {
    ApplyPlan plan;
    const QString name = Typed(input.name);
    const std::string address = input.address.toStdString();
    CheckChain checks;
    checks.Require(input.filledFields >= 4, "Invalid Host IP.")
        .About(kAddressField)
        .Require([&] { return CheckHostIp(address) && !HostIndex(address).empty(); },
                 "Invalid Host IP.")
        .About(kAddressField)
        .Require(
            [&] {
                return std::none_of(rows.begin(), rows.end(), [&](const HostRow& row) {
                    return row.address == HostIndex(address).substr(1);
                });
            },
            "This IP Address has used,please enter other IP Address")
        .About(kAddressField)
        .Require(!name.isEmpty(), "The Community String or SNMPv3 User Name can not be empty.")
        .About(kNameField)
        .Require([&] { return ValidName(name); }, "Invalid Community String/SNMPv3 User Name. ")
        .About(kNameField)
        .Require(CountRows(rows) < kMaxHosts, "Maximum number of Host Entry is 10.");
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    const std::string index = HostIndex(address);
    plan.row.emplace().statusOid = Column(kHosts, kHostStatus) + index;
    CSetRequest columns;
    columns.OctetString(Column(kHosts, 2) + index, WrittenName(name));
    columns.Integer(Column(kHosts, 3) + index,
                    HostVersions().Contains(input.version) ? input.version : 1);
    plan.row->values.push_back(std::move(columns));
    return plan;
}

ApplyPlan PlanEngineId(const QString& text) {
    ApplyPlan plan;
    const std::string hex = text.toStdString();
    CheckChain checks;
    checks.Require(hex.size() >= 10 && hex.size() <= kEngineIdCharacters, "ID length is 10-64")
        .Require(hex.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos,
                 "the accepted character is from 0 to F");
    plan.refusal = checks.FirstRefusal();
    if (!plan.refusal) {
        const std::string even = hex.size() % 2 != 0 ? "0" + hex : hex;
        plan.Request().OctetString(ScalarOid(AgentOid("7")), HexToBytes(even).value_or(""));
    }
    return plan;
}

ApplyPlan PlanGlobalState(long state) {
    ApplyPlan plan;
    plan.Request().Integer(ScalarOid(AgentOid("1")), state);
    return plan;
}

ApplyPlan PlanTraps(const std::vector<long>& states) {
    ApplyPlan plan;
    const std::size_t count =
        std::min<std::size_t>(states.size(), static_cast<std::size_t>(kPoeTrapSwitches));
    for (std::size_t i = 0; i < count; ++i) {
        plan.Request().Integer(ScalarOid(AgentOid("8." + std::to_string(i + 1))), states[i]);
    }
    return plan;
}

} // namespace snmpagent

using namespace snmpagent;

namespace {

std::vector<std::string> ColumnsOf(CSnmpAgentMib::Table table) {
    auto columns = [](std::string_view entry, std::initializer_list<int> numbers) {
        std::vector<std::string> oids;
        for (int number : numbers) {
            oids.push_back(AgentOid(std::string(entry) + "." + std::to_string(number)));
        }
        return oids;
    };
    switch (table) {
    case CSnmpAgentMib::Table::Community:
        return columns(kCommunities, {1, 2, 3});
    case CSnmpAgentMib::Table::User:
        return columns(kUsers, {1, 2, 3, 4, 5, 6, 7, 8});
    case CSnmpAgentMib::Table::Group:
        return columns(kGroups, {1, 2, 3, 4, 5, 6, 7});
    case CSnmpAgentMib::Table::View:
        return columns(kViews, {1, 3, 4, 5});
    case CSnmpAgentMib::Table::Host:
        return columns(kHosts, {2, 1, 3, 4});
    }
    return {};
}

bool Active(const SnmpRow& row, std::size_t statusColumn) {
    return row.values.size() > statusColumn && IntegerOf(row.Value(statusColumn)) == 1;
}

// A view row's index: the name's length and bytes, then the subtree's arc count and arcs.
bool SplitViewIndex(const std::string& index, QString& name, std::string& subtree) {
    const auto arcs = Arcs(index);
    if (!arcs || arcs->empty()) {
        return false;
    }
    const std::size_t length = (*arcs)[0];
    if (length + 2 > arcs->size()) {
        return false;
    }
    std::string bytes;
    for (std::size_t i = 1; i <= length; ++i) {
        if ((*arcs)[i] > 255) {
            return false;
        }
        bytes.push_back(static_cast<char>((*arcs)[i]));
    }
    const std::size_t count = (*arcs)[length + 1];
    if (length + 2 + count != arcs->size() || count == 0) {
        return false;
    }
    name = Utf8ToText(bytes);
    subtree = Dotted({arcs->begin() + static_cast<std::ptrdiff_t>(length + 2), arcs->end()});
    return true;
}

} // namespace

CSnmpAgentMib::CSnmpAgentMib()
    : m_cTableWalk(m_cCommonSNMPTable, ColumnsOf(Table::Community)),
      m_cUserWalk(m_cCommonSNMPGetUse, ColumnsOf(Table::User)) {
    m_cTableWalk.OnRow(this, [this](const SnmpRow& row) { AddRow(row); });
    m_cTableWalk.OnFinished(this, [this](int) {
        if (m_reading == Table::Community) {
            m_users.clear();
            m_cUserWalk.Start();
            return;
        }
        WalkFinished();
    });
    m_cUserWalk.OnRow(this, [this](const SnmpRow& row) {
        const Table reading = m_reading;
        m_reading = Table::User;
        AddRow(row);
        m_reading = reading;
    });
    m_cUserWalk.OnFinished(this, [this](int) { WalkFinished(); });
}

CSnmpAgentMib::~CSnmpAgentMib() = default;

void CSnmpAgentMib::StartRead(Table table) {
    m_reading = table;
    switch (table) {
    case Table::Community:
        m_communities.clear();
        break;
    case Table::User:
        m_users.clear();
        m_cUserWalk.Start();
        return;
    case Table::Group:
        m_groups.clear();
        break;
    case Table::View:
        m_views.clear();
        break;
    case Table::Host:
        m_hosts.clear();
        break;
    }
    m_cTableWalk.SetColumns(ColumnsOf(table));
    m_cTableWalk.Start();
}

void CSnmpAgentMib::WalkFinished() {
    m_onFinished.Notify();
}

void CSnmpAgentMib::AddRow(const SnmpRow& row) {
    std::size_t added = 0;
    switch (m_reading) {
    case Table::Community:
        if (!Active(row, 2)) {
            return;
        }
        m_communities.push_back({row.suffix, Utf8ToText(row.Value(0)), Utf8ToText(row.Value(1))});
        added = m_communities.size();
        break;
    case Table::User:
        if (!Active(row, 7)) {
            return;
        }
        // The passwords (columns 5 and 7) are never kept.
        m_users.push_back({row.suffix, Utf8ToText(row.Value(0)), Utf8ToText(row.Value(2)),
                           IntegerOf(row.Value(1)), IntegerOf(row.Value(3)),
                           IntegerOf(row.Value(5))});
        added = m_users.size();
        break;
    case Table::Group:
        if (!Active(row, 6)) {
            return;
        }
        m_groups.push_back({row.suffix, Utf8ToText(row.Value(0)), Utf8ToText(row.Value(3)),
                            Utf8ToText(row.Value(4)), Utf8ToText(row.Value(5)),
                            IntegerOf(row.Value(1)), IntegerOf(row.Value(2))});
        added = m_groups.size();
        break;
    case Table::View: {
        ViewRow view;
        if (!Active(row, 3) || !SplitViewIndex(row.suffix, view.name, view.subtree)) {
            return;
        }
        view.index = row.suffix;
        view.mask = row.Value(1);
        view.type = IntegerOf(row.Value(2));
        m_views.push_back(std::move(view));
        added = m_views.size();
        break;
    }
    case Table::Host: {
        const std::string index = HostIndex(row.suffix);
        if (!Active(row, 3) || index.empty()) {
            return;
        }
        m_hosts.push_back(
            {row.suffix, index.substr(1), Utf8ToText(row.Value(0)), IntegerOf(row.Value(2))});
        added = m_hosts.size();
        break;
    }
    }
    m_onRow.Notify(m_reading, added - 1);
}

bool CSnmpAgentMib::SetRowStatus(const std::string& statusOid, const std::string& status) {
    if (status != "1" && status != "5" && status != "6") {
        // Only this program picks the value: a wrong one is its own fault, sent nowhere.
        platform::DebugTrace("error istatus value!");
        return false;
    }
    CSetRequest request;
    request.Integer(statusOid, status);
    const RequestStatus result = request.Send(m_cCommonSNMPSet);
    platform::DebugTrace("set status = " + std::to_string(result.Code()));
    return result.Ok();
}

ApplyPlan CSnmpAgentMib::PlanDestroy(Table table, const std::string& index) {
    static const std::map<Table, std::string> kStatusColumns{
        {Table::Community, Column(kCommunities, kCommunityStatus)},
        {Table::User, Column(kUsers, kUserStatus)},
        {Table::Group, Column(kGroups, kGroupStatus)},
        {Table::View, Column(kViews, kViewStatus)},
        {Table::Host, Column(kHosts, kHostStatus)}};
    ApplyPlan plan;
    plan.Request().Integer(InstanceOid(kStatusColumns.at(table), index), 6L);
    return plan;
}

std::optional<long> CSnmpAgentMib::ReadGlobalState() {
    const auto values = ReadValues(m_cCommonSNMP, {ScalarOid(AgentOid("1"))});
    if (!values) {
        return std::nullopt;
    }
    return IntegerOf(values->front());
}

std::optional<std::string> CSnmpAgentMib::ReadEngineId() {
    const auto values = ReadValues(m_cCommonSNMPTable, {ScalarOid(AgentOid("7"))});
    if (!values) {
        return std::nullopt;
    }
    return EngineIdText(values->front());
}

std::optional<std::vector<std::string>> CSnmpAgentMib::ReadTraps(int count) {
    std::vector<std::string> instances;
    for (int i = 1; i <= count; ++i) {
        instances.push_back(ScalarOid(AgentOid("8." + std::to_string(i))));
    }
    auto values = ReadValues(m_cCommonSNMP, instances);
    if (!values) {
        return std::nullopt;
    }
    return *values;
}
