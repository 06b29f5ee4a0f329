// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The input rules of the SNMP agent dialogs as tables, without a switch: every refusal in
// its order, the row indexes, and the requests between createAndWait and active.
#include "features/snmp_agent/SnmpAgentMib.h"

#include <gtest/gtest.h>

using namespace snmpagent;

namespace {

const std::string B = "1.3.6.1.4.1.99999.10.76.17.25";

template <class Row> std::vector<Row> Rows(int count, std::vector<Row> first = {}) {
    first.resize(static_cast<std::size_t>(count));
    return first;
}

UserInput User(const char* name, long version, bool encrypted = false, long auth = 2, long priv = 1,
               QString authPassword = {}, QString privPassword = {}) {
    return {name, "g", version, encrypted, auth, priv, authPassword, privPassword};
}

HostInput Host(const char* address, const char* name = "public", int filled = 4) {
    return {filled, address, 1, name};
}

// The refusal with its exact text, and nothing planned to be sent.
::testing::AssertionResult Refused(const ApplyPlan& plan, const std::string& text) {
    if (!plan.refusal || plan.refusal->text != text || plan.row.has_value()) {
        return ::testing::AssertionFailure()
               << "refusal \"" << (plan.refusal ? plan.refusal->text : "none") << "\", "
               << plan.HasWrites() << " writes";
    }
    return ::testing::AssertionSuccess();
}

const std::vector<CommunityRow> kPublic{{"6.112.117.98.108.105.99", "public", "guests"}};
const std::vector<UserRow> kBobV3{{"3.98.111.98.3", "bob", "g", 3, 1, 1}};
const std::vector<GroupRow> kG1{{"", "g1", "", "", "", 3, 2}};
const std::vector<ViewRow> kAll{{"", "all", "1.3.6", "", 1}};
const std::vector<HostRow> kHost{{"172.16.0.1", "172.16.0.1", "public", 1}};

UserInput UserOfGroup(const char* group, const char* name = "bob", long version = 1) {
    UserInput input = User(name, version);
    input.group = group;
    return input;
}

GroupInput Group(const char* name, long model = 1) {
    return {name, "", "", "", model, 1};
}

TEST(SnmpAgentRules, EveryRefusalHasItsTextAndPlansNothing) {
    // Each text with the inputs it refuses; those against the full tables fail two or more
    // checks at once, and the first in the order speaks.
    const auto c10 = Rows<CommunityRow>(10, kPublic);
    const auto u50 = Rows<UserRow>(50, kBobV3);
    const auto g50 = Rows<GroupRow>(50, {{"", "g.1", "", "", "", 3, 1}});
    const auto v50 = Rows<ViewRow>(50, kAll);
    const auto h10 = Rows<HostRow>(10, kHost);
    const QString k41 = QString(41, 'x');
    const std::vector<std::pair<std::string, std::vector<ApplyPlan>>> cases = {
        {"Please enter valid Community Name !",
         {PlanCommunity({"  ", "guests"}, {}), PlanCommunity({" ", "x"}, c10)}},
        {"Invalid Community Name.",
         {PlanCommunity({"a,b", "guests"}, {}), PlanCommunity({"a,b", "x"}, c10)}},
        {"This Community Entry already exists.",
         {PlanCommunity({" public ", "x"}, kPublic), PlanCommunity({"public", "x"}, c10)}},
        {"Maximum number of Community Entry is 10.",
         {PlanCommunity({"c", "x"}, Rows<CommunityRow>(10))}},
        {"Please enter valid User Name ",
         {PlanUser(User("", 1), {}), PlanUser(UserOfGroup(" ", ""), {})}},
        {"Invalid User Name .",
         {PlanUser(User("a/b", 1), {}), PlanUser(UserOfGroup(" ", "a/b"), {})}},
        {"Please enter valid Group Name ",
         {PlanUser(UserOfGroup(" "), {}), PlanUser(UserOfGroup(" ", "bob", 3), u50)}},
        {"Invalid Group Name.",
         {PlanUser(UserOfGroup("a;b"), {}), PlanUser(UserOfGroup("a;b", "bob", 3), u50),
          PlanGroup(Group("g.1"), {}), PlanGroup(Group("g.1", 3), g50)}},
        {"This User Entry already exists.",
         {PlanUser(User("bob", 3), kBobV3), PlanUser(User("bob", 3), u50)}},
        {"Maximum number of User Entry is 50.",
         {PlanUser(User("u", 1), Rows<UserRow>(50)),
          PlanUser(User("u", 3, true, 2, 2, " ", " "), u50)}},
        {"Auth-Protocol Password can't be empty.",
         {PlanUser(User("u", 3, true, 2, 1, "  "), {}),
          PlanUser(User("u", 3, true, 2, 2, " ", " "), {})}},
        {" SHA Max. Password length is 40.",
         {PlanUser(User("u", 3, true, 3, 1, k41), {}),
          PlanUser(User("u", 3, true, 3, 2, k41, " "), {})}},
        {"Priv-Protocol Password can't be empty.",
         {PlanUser(User("u", 3, true, 3, 2, "password", " "), {})}},
        {" DES Max. Password length is 32.",
         {PlanUser(User("u", 3, true, 3, 2, "password", QString(33, 'x')), {})}},
        {"Please enter valid group name!", {PlanGroup(Group(""), {}), PlanGroup(Group(""), g50)}},
        {"This Group Entry already exists.",
         {PlanGroup(Group("g1", 3), kG1), PlanGroup(Group("g1", 3), Rows<GroupRow>(50, kG1))}},
        {"Maximum number of Group Entry is 50.", {PlanGroup(Group("g"), Rows<GroupRow>(50))}},
        {"Please enter valid view name.",
         {PlanView({"", "1.3", "1", 1}, {}), PlanView({"", "1.a..", "", 1}, v50)}},
        {"Invalid View Name.",
         {PlanView({"v?", "1.3", "1", 1}, {}), PlanView({"v?", "1.a..", "", 1}, v50)}},
        {"Please enter valid subtree OID",
         {PlanView({"v", "1.a", "1", 1}, {}), PlanView({"v", "1.a..", "", 1}, v50)}},
        {"Please enter valid subtree OID .",
         {PlanView({"v", "1..3", "1", 1}, {}), PlanView({"v", "1.3.", "1", 1}, {}),
          PlanView({"v", "1..3", "", 1}, v50)}},
        {"Please enter valid OID Mask.",
         {PlanView({"v", "1.3", "", 1}, {}), PlanView({"v", "1.3", "1.2", 1}, {}),
          PlanView({"v", "1.3", "1.", 1}, {}), PlanView({"v", "1.3", "1.2.1", 1}, v50)}},
        {"Invalid  OID length", {PlanView({"all", "1.3.6", "1.1.1.1", 1}, v50)}},
        {"This View Entry already exist.",
         {PlanView({"all", "1.03.6", "1", 1}, kAll), PlanView({"all", "1.3.6", "1", 1}, v50)}},
        {"Maximum number of View Entry is 50.",
         {PlanView({"v", "1.3", "1", 1}, Rows<ViewRow>(50))}},
        {"Invalid Host IP.",
         {PlanHost(Host("172.16.0.1", " ", 3), h10), PlanHost(Host("10.0.0.255", " "), h10)}},
        {"This IP Address has used,please enter other IP Address",
         {PlanHost(Host("172.16.0.1"), kHost), PlanHost(Host("172.16.0.1", " "), h10)}},
        {"The Community String or SNMPv3 User Name can not be empty.",
         {PlanHost(Host("172.16.0.2", " "), {}), PlanHost(Host("172.16.0.2", " "), h10)}},
        {"Invalid Community String/SNMPv3 User Name. ",
         {PlanHost(Host("172.16.0.2", "a'b"), {}), PlanHost(Host("172.16.0.2", "a'b"), h10)}},
        {"Maximum number of Host Entry is 10.", {PlanHost(Host("172.16.0.2"), Rows<HostRow>(10))}},
        {"ID length is 10-64",
         {PlanEngineId("12345678g"), PlanEngineId("12345678"), PlanEngineId(QString(65, '0'))}},
        {"the accepted character is from 0 to F", {PlanEngineId("0123456789g")}},
    };
    for (const auto& [text, plans] : cases) {
        for (std::size_t i = 0; i < plans.size(); ++i) {
            EXPECT_TRUE(Refused(plans[i], text)) << text << " #" << i;
        }
    }
}

using Bindings = std::vector<CSetRequest::Binding>;
constexpr int kInt = 1;
constexpr int kOctets = 2;

TEST(SnmpAgentRules, RowIndexesAndTheRequestsBetweenCreateAndActive) {
    const ApplyPlan view = PlanView({"all", "1.3.6", "1.1", 1}, {});
    const std::string viewIndex = ".3.97.108.108.3.1.3.6";
    EXPECT_EQ(view.row->statusOid, B + ".4.1.1.5" + viewIndex);
    ASSERT_EQ(view.row->values.size(), 1u);
    EXPECT_EQ(view.row->values[0].Bindings(),
              (Bindings{{B + ".4.1.1.3" + viewIndex, kOctets, "\x01\x01"},
                        {B + ".4.1.1.4" + viewIndex, kInt, "1"}}));

    // bob of V2c beside bob of V3: only the group name is written.
    const ApplyPlan bob2 = PlanUser(User("bob", 2), kBobV3);
    EXPECT_EQ(bob2.row->statusOid, B + ".2.1.1.8.3.98.111.98.2");
    ASSERT_EQ(bob2.row->values.size(), 1u);

    const std::string bob = ".3.98.111.98.3";
    const ApplyPlan secure = PlanUser(User("bob", 3, true, 3, 2, " authpass ", "privpass"), {});
    EXPECT_EQ(secure.row->statusOid, B + ".2.1.1.8" + bob);
    ASSERT_EQ(secure.row->values.size(), 3u);
    EXPECT_EQ(secure.row->values[1].Bindings(),
              (Bindings{{B + ".2.1.1.4" + bob, kInt, "3"}, {B + ".2.1.1.6" + bob, kInt, "2"}}));
    EXPECT_EQ(secure.row->values[2].Bindings(),
              (Bindings{{B + ".2.1.1.5" + bob, kOctets, "authpass"},
                        {B + ".2.1.1.7" + bob, kOctets, "privpass"}}));
    // A V3 user without authentication: protocol None and no password.
    const ApplyPlan open = PlanUser(User("bob", 3, false, 3, 2, "ignored", "ignored"), {});
    ASSERT_EQ(open.row->values.size(), 3u);
    EXPECT_EQ(open.row->values[1].Bindings(), (Bindings{{B + ".2.1.1.4" + bob, kInt, "1"}}));
    EXPECT_EQ(open.row->values[2].Bindings(), (Bindings{{B + ".2.1.1.5" + bob, kOctets, ""}}));

    // A v1 group has no level of its own, whatever the disabled combo shows.
    const ApplyPlan v1 = PlanGroup({"g1", "", "", "", 1, 3}, {});
    EXPECT_EQ(v1.row->statusOid, B + ".3.1.1.7.2.103.49.1.1");
    EXPECT_EQ(v1.row->values[0].Bindings(), (Bindings{{B + ".3.1.1.3.2.103.49.1.1", kInt, "1"}}));
}

TEST(SnmpAgentRules, WrittenNamesAreUtf8OfAtMost127Bytes) {
    const QString accents = QString::fromUtf8("vue-\xC3\xA9\xC3\xBC");
    QString faces;
    for (int i = 0; i < 32; ++i) {
        faces += QString::fromUtf8("\xF0\x9F\x98\x80");
    }
    const ApplyPlan group = PlanGroup({"g", accents, "", faces, 1, 1}, {});
    const Bindings& bindings = group.row->values.at(0).Bindings();
    ASSERT_EQ(bindings.size(), 3u);
    EXPECT_EQ(bindings[1].value, "vue-\xC3\xA9\xC3\xBC");
    EXPECT_EQ(bindings[2].value.size(), 124u); // 31 whole characters of four bytes
    const ApplyPlan host = PlanHost(Host("10.1.2.3", "h\xC3\xA9"), {});
    EXPECT_EQ(host.row->values.at(0).Bindings()[0].value, "h\xC3\xA9");
    // Names that form an index are used as typed.
    EXPECT_EQ(PlanCommunity({QString::fromUtf8("\xC3\xA9"), "x"}, {}).row->statusOid,
              B + ".5.1.1.3.2.195.169");
}

} // namespace
