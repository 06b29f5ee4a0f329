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

const QString k33 = QString(33, QLatin1Char('x'));
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
    EXPECT_TRUE(
        Refused(PlanCommunity({"  ", "guests"}, {}), "Please enter valid Community Name !"));
    EXPECT_TRUE(Refused(PlanCommunity({"a,b", "guests"}, {}), "Invalid Community Name."));
    EXPECT_TRUE(
        Refused(PlanCommunity({" public ", "x"}, kPublic), "This Community Entry already exists."));
    EXPECT_TRUE(Refused(PlanCommunity({"c", "x"}, Rows<CommunityRow>(10)),
                        "Maximum number of Community Entry is 10."));
    EXPECT_TRUE(Refused(PlanUser(User("", 1), {}), "Please enter valid User Name "));
    EXPECT_TRUE(Refused(PlanUser(User("a/b", 1), {}), "Invalid User Name ."));
    EXPECT_TRUE(Refused(PlanUser(UserOfGroup(" "), {}), "Please enter valid Group Name "));
    EXPECT_TRUE(Refused(PlanUser(UserOfGroup("a;b"), {}), "Invalid Group Name."));
    EXPECT_TRUE(Refused(PlanUser(User("bob", 3), kBobV3), "This User Entry already exists."));
    EXPECT_TRUE(
        Refused(PlanUser(User("u", 1), Rows<UserRow>(50)), "Maximum number of User Entry is 50."));
    EXPECT_TRUE(Refused(PlanUser(User("u", 3, true, 2, 1, "  "), {}),
                        "Auth-Protocol Password can't be empty."));
    EXPECT_TRUE(Refused(PlanUser(User("u", 3, true, 3, 1, QString(41, 'x')), {}),
                        " SHA Max. Password length is 40."));
    EXPECT_TRUE(Refused(PlanUser(User("u", 3, true, 3, 2, "password", " "), {}),
                        "Priv-Protocol Password can't be empty."));
    EXPECT_TRUE(Refused(PlanUser(User("u", 3, true, 3, 2, "password", k33), {}),
                        " DES Max. Password length is 32."));
    EXPECT_TRUE(Refused(PlanGroup(Group(""), {}), "Please enter valid group name!"));
    EXPECT_TRUE(Refused(PlanGroup(Group("g.1"), {}), "Invalid Group Name."));
    EXPECT_TRUE(Refused(PlanGroup(Group("g1", 3), kG1), "This Group Entry already exists."));
    EXPECT_TRUE(
        Refused(PlanGroup(Group("g"), Rows<GroupRow>(50)), "Maximum number of Group Entry is 50."));
    EXPECT_TRUE(Refused(PlanView({"", "1.3", "1", 1}, {}), "Please enter valid view name."));
    EXPECT_TRUE(Refused(PlanView({"v?", "1.3", "1", 1}, {}), "Invalid View Name."));
    EXPECT_TRUE(Refused(PlanView({"v", "1.a", "1", 1}, {}), "Please enter valid subtree OID"));
    for (const char* subtree : {"1..3", "1.3."}) {
        EXPECT_TRUE(
            Refused(PlanView({"v", subtree, "1", 1}, {}), "Please enter valid subtree OID ."));
    }
    for (const char* mask : {"", "1.2", "1."}) {
        EXPECT_TRUE(Refused(PlanView({"v", "1.3", mask, 1}, {}), "Please enter valid OID Mask."));
    }
    EXPECT_TRUE(
        Refused(PlanView({"all", "1.03.6", "1", 1}, kAll), "This View Entry already exist."));
    EXPECT_TRUE(Refused(PlanView({"v", "1.3", "1", 1}, Rows<ViewRow>(50)),
                        "Maximum number of View Entry is 50."));
    EXPECT_TRUE(Refused(PlanHost(Host("172.16.0.1"), kHost),
                        "This IP Address has used,please enter other IP Address"));
    EXPECT_TRUE(Refused(PlanHost(Host("172.16.0.2", " "), {}),
                        "The Community String or SNMPv3 User Name can not be empty."));
    EXPECT_TRUE(Refused(PlanHost(Host("172.16.0.2", "a'b"), {}),
                        "Invalid Community String/SNMPv3 User Name. "));
    EXPECT_TRUE(Refused(PlanHost(Host("172.16.0.2"), Rows<HostRow>(10)),
                        "Maximum number of Host Entry is 10."));

    // Two or more checks failing at once: the first in the order speaks.
    const auto c10 = Rows<CommunityRow>(10, kPublic);
    EXPECT_TRUE(Refused(PlanCommunity({" ", "x"}, c10), "Please enter valid Community Name !"));
    EXPECT_TRUE(Refused(PlanCommunity({"a,b", "x"}, c10), "Invalid Community Name."));
    EXPECT_TRUE(
        Refused(PlanCommunity({"public", "x"}, c10), "This Community Entry already exists."));
    const auto u50 = Rows<UserRow>(50, kBobV3);
    EXPECT_TRUE(Refused(PlanUser(UserOfGroup(" ", ""), {}), "Please enter valid User Name "));
    EXPECT_TRUE(Refused(PlanUser(UserOfGroup(" ", "a/b"), {}), "Invalid User Name ."));
    EXPECT_TRUE(
        Refused(PlanUser(UserOfGroup(" ", "bob", 3), u50), "Please enter valid Group Name "));
    EXPECT_TRUE(Refused(PlanUser(UserOfGroup("a;b", "bob", 3), u50), "Invalid Group Name."));
    EXPECT_TRUE(Refused(PlanUser(User("bob", 3), u50), "This User Entry already exists."));
    EXPECT_TRUE(Refused(PlanUser(User("u", 3, true, 2, 2, " ", " "), u50),
                        "Maximum number of User Entry is 50."));
    EXPECT_TRUE(Refused(PlanUser(User("u", 3, true, 2, 2, " ", " "), {}),
                        "Auth-Protocol Password can't be empty."));
    EXPECT_TRUE(Refused(PlanUser(User("u", 3, true, 3, 2, QString(41, 'x'), " "), {}),
                        " SHA Max. Password length is 40."));
    const auto g50 = Rows<GroupRow>(50, {{"", "g.1", "", "", "", 3, 1}});
    EXPECT_TRUE(Refused(PlanGroup(Group(""), g50), "Please enter valid group name!"));
    EXPECT_TRUE(Refused(PlanGroup(Group("g.1", 3), g50), "Invalid Group Name."));
    EXPECT_TRUE(Refused(PlanGroup(Group("g1", 3), Rows<GroupRow>(50, kG1)),
                        "This Group Entry already exists."));
    const auto v50 = Rows<ViewRow>(50, kAll);
    EXPECT_TRUE(Refused(PlanView({"", "1.a..", "", 1}, v50), "Please enter valid view name."));
    EXPECT_TRUE(Refused(PlanView({"v?", "1.a..", "", 1}, v50), "Invalid View Name."));
    EXPECT_TRUE(Refused(PlanView({"v", "1.a..", "", 1}, v50), "Please enter valid subtree OID"));
    EXPECT_TRUE(Refused(PlanView({"v", "1..3", "", 1}, v50), "Please enter valid subtree OID ."));
    EXPECT_TRUE(Refused(PlanView({"v", "1.3", "1.2.1", 1}, v50), "Please enter valid OID Mask."));
    EXPECT_TRUE(Refused(PlanView({"all", "1.3.6", "1.1.1.1", 1}, v50), "Invalid  OID length"));
    EXPECT_TRUE(Refused(PlanView({"all", "1.3.6", "1", 1}, v50), "This View Entry already exist."));
    const auto h10 = Rows<HostRow>(10, kHost);
    EXPECT_TRUE(Refused(PlanHost(Host("172.16.0.1", " ", 3), h10), "Invalid Host IP."));
    EXPECT_TRUE(Refused(PlanHost(Host("10.0.0.255", " "), h10), "Invalid Host IP."));
    EXPECT_TRUE(Refused(PlanHost(Host("172.16.0.1", " "), h10),
                        "This IP Address has used,please enter other IP Address"));
    EXPECT_TRUE(Refused(PlanHost(Host("172.16.0.2", " "), h10),
                        "The Community String or SNMPv3 User Name can not be empty."));
    EXPECT_TRUE(Refused(PlanHost(Host("172.16.0.2", "a'b"), h10),
                        "Invalid Community String/SNMPv3 User Name. "));
    EXPECT_EQ(PlanEngineId("12345678g").refusal->text, "ID length is 10-64");
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

TEST(SnmpAgentRules, EngineIdLengthAndCharacters) {
    EXPECT_EQ(PlanEngineId("12345678").refusal->text, "ID length is 10-64");
    EXPECT_EQ(PlanEngineId(QString(65, '0')).refusal->text, "ID length is 10-64");
    EXPECT_EQ(PlanEngineId("0123456789g").refusal->text, "the accepted character is from 0 to F");
}

} // namespace
