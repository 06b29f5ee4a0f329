// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// The switch model on its own: whole tables, the set rules and the effects between objects.
#include "sim/model/Behaviour.h"
#include "sim/model/Model.h"
#include "sim/model/Snmprec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

using namespace ksxsim;

namespace {

const char* const kModels[] = {"KSX-7700-20", "KSX-7700-28", "KSX-7700-28P", "KSX-7700-48",
                               "KSX-7700-52"};

Oid P(const std::string& relative) {
    return SwitchModel::PrivateBase() + O(relative);
}

// Runs one set request through every phase; the failure, if any.
std::optional<SetFailure> Set(SwitchModel& model, std::vector<Binding> bindings) {
    Transaction tx(model, std::move(bindings));
    if (auto failure = tx.CheckEach()) {
        return failure;
    }
    if (auto failure = tx.Prepare()) {
        return failure;
    }
    tx.Apply();
    return std::nullopt;
}

std::optional<ErrorStatus> SetStatus(SwitchModel& model, std::vector<Binding> bindings) {
    auto failure = Set(model, std::move(bindings));
    return failure ? std::optional<ErrorStatus>(failure->status) : std::nullopt;
}

// One object set on its own.
std::optional<ErrorStatus> Put(SwitchModel& model, const Oid& oid, Value value) {
    return SetStatus(model, {{oid, std::move(value)}});
}

int64_t Number(const SwitchModel& model, const Oid& oid) {
    const Value* v = model.Get(oid);
    return v != nullptr ? v->number : -999;
}

std::vector<int> Ports(const SwitchModel& model, const Oid& oid) {
    const Value* v = model.Get(oid);
    return v != nullptr ? PortsOf(v->bytes) : std::vector<int>{};
}

std::string PortList(const SwitchModel& model, std::vector<int> ports) {
    return MakePortList(ports, model.Profile().portListOctets);
}

} // namespace

TEST(SimModel, EveryTableIsWholeOnEveryModel) {
    for (const char* name : kModels) {
        SwitchModel model(*ProfileFor(name));
        for (const TableDef& table : model.Definitions().Tables()) {
            std::set<Oid> rows = RowIndexes(model.Data(), table);
            for (const ObjectDef* column : table.columns) {
                size_t cells = 0;
                for (auto it = model.Data().upper_bound(column->oid);
                     it != model.Data().end() && StartsWith(it->first, column->oid); ++it) {
                    Oid index = SuffixAfter(it->first, column->oid);
                    EXPECT_TRUE(rows.count(index))
                        << name << " stray cell " << FormatOid(it->first);
                    EXPECT_TRUE(SplitIndex(table, index)) << name << " " << FormatOid(it->first);
                    ++cells;
                }
                EXPECT_EQ(cells, rows.size()) << name << " column " << column->name;
            }
        }
    }
}

TEST(SimModel, RowsAreCreatedActivatedParkedAndDestroyed) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    Oid status = P("7.6.1.5.30"), name = P("7.6.1.1.30");
    EXPECT_EQ(Put(model, name, Value::Str("x")), ErrorStatus::NoCreation);
    EXPECT_EQ(Put(model, status, Value::Int(1)), ErrorStatus::InconsistentValue);
    EXPECT_EQ(Put(model, status, Value::Int(5)), std::nullopt);
    EXPECT_EQ(Number(model, status), 2);
    EXPECT_EQ(model.Get(name)->bytes, "VLAN30");
    EXPECT_EQ(Put(model, status, Value::Int(5)), ErrorStatus::InconsistentValue);
    EXPECT_EQ(SetStatus(model, {{name, Value::Str("cameras")}, {status, Value::Int(1)}}),
              std::nullopt);
    EXPECT_EQ(Number(model, status), 1);
    EXPECT_EQ(Put(model, status, Value::Int(2)), std::nullopt);
    EXPECT_EQ(Put(model, status, Value::Int(3)), ErrorStatus::WrongValue);
    EXPECT_EQ(Put(model, status, Value::Int(6)), std::nullopt);
    EXPECT_EQ(model.Get(name), nullptr);
    EXPECT_EQ(Put(model, status, Value::Int(6)), std::nullopt) << "destroying nothing";
    // createAndGo with other columns in the same request
    EXPECT_EQ(
        SetStatus(model, {{P("7.6.1.5.31"), Value::Int(4)}, {P("7.6.1.1.31"), Value::Str("a")}}),
        std::nullopt);
    EXPECT_EQ(Number(model, P("7.6.1.5.31")), 1);
    EXPECT_EQ(model.Get(P("7.6.1.1.31"))->bytes, "a");
}

TEST(SimModel, IndexFormsAreChecked) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    // community "abc": length-prefixed string
    Oid abc = O("3.97.98.99");
    EXPECT_EQ(Put(model, P("25.5.1.1.3") + abc, Value::Int(5)), std::nullopt);
    EXPECT_EQ(model.Get(P("25.5.1.1.1") + abc)->bytes, "abc");
    EXPECT_EQ(Put(model, P("25.5.1.1.3") + O("4.97.98.99"), Value::Int(5)),
              ErrorStatus::NoCreation);
    // view "all" on 1.3.6: name, arc count, arcs
    Oid view = O("3.97.108.108.3.1.3.6");
    EXPECT_EQ(Put(model, P("25.4.1.1.5") + view, Value::Int(5)), std::nullopt);
    EXPECT_EQ(model.Get(P("25.4.1.1.2") + view)->oid, O("1.3.6"));
    // white list: IP and MAC
    Oid white = O("10.1.1.2.0.17.34.51.68.85");
    EXPECT_EQ(Put(model, P("14.10.3.1.4") + white, Value::Int(5)), std::nullopt);
    EXPECT_EQ(model.Get(P("14.10.3.1.1") + white)->bytes, std::string("\x0a\x01\x01\x02", 4));
    EXPECT_EQ(Put(model, P("14.10.3.1.4") + O("10.1.1.2.0.17.34.51.68.300"), Value::Int(5)),
              ErrorStatus::NoCreation);
    // scalars only at .0
    EXPECT_EQ(Put(model, P("1.12.1"), Value::Int(1)), ErrorStatus::NoCreation);
    // ports beyond the model
    EXPECT_EQ(Put(model, P("1.13.1.5.53"), Value::Int(1)), ErrorStatus::NoCreation);
}

TEST(SimModel, TypesRangesAndAccessAreChecked) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    EXPECT_EQ(Put(model, O("1.3.6.1.2.1.1.5.0"), Value::Int(1)), ErrorStatus::WrongType);
    EXPECT_EQ(Put(model, O("1.3.6.1.2.1.1.1.0"), Value::Str("x")), ErrorStatus::NotWritable);
    EXPECT_EQ(Put(model, O("1.3.6.1.2.1.99.0"), Value::Int(1)), ErrorStatus::NotWritable);
    EXPECT_EQ(Put(model, P("1.13.1.2.1"), Value::Int(8)), ErrorStatus::WrongValue);
    EXPECT_EQ(Put(model, P("7.7.1.1.1"), Value::Int(1)), ErrorStatus::WrongType)
        << "PVIDs are Unsigned32";
    EXPECT_EQ(Put(model, P("7.7.1.1.1"), Value::Gauge(1)), std::nullopt);
    EXPECT_EQ(Put(model, P("11.1.2.0"), Value::Str(std::string(34, 'k'))),
              ErrorStatus::WrongLength);
    EXPECT_EQ(Put(model, P("13.3.3.0"), Value::Int(100)), ErrorStatus::WrongValue)
        << "storm thresholds come in steps of 64";
    EXPECT_EQ(Put(model, P("16.1.5.0"), Value::Int(129)), ErrorStatus::WrongValue);
    EXPECT_EQ(Put(model, P("16.1.5.0"), Value::Int(184)), std::nullopt);
}

TEST(SimModel, RefusedSetsLeaveTheStoreUnchanged) {
    SwitchModel model(*ProfileFor("KSX-7700-28"));
    Store before = model.Data();
    auto failure =
        Set(model, {{O("1.3.6.1.2.1.1.5.0"), Value::Str("renamed")}, {P("1.12.0"), Value::Int(3)}});
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->status, ErrorStatus::WrongValue);
    EXPECT_EQ(failure->index, 1u);
    // refused late, by a consistency rule, after row creation and derived changes
    EXPECT_TRUE(Set(model, {{P("7.6.1.5.40"), Value::Int(4)},
                            {P("7.6.1.4.40"), Value::Str(PortList(model, {3}))},
                            {P("7.7.1.1.9"), Value::Gauge(77)}}));
    ASSERT_EQ(model.Data().size(), before.size());
    for (const auto& [oid, cell] : before) {
        ASSERT_TRUE(model.Data().count(oid)) << FormatOid(oid);
        EXPECT_EQ(model.Data().at(oid).value, cell.value) << FormatOid(oid);
    }
}

TEST(SimModel, TableLimitsRefuseFurtherRows) {
    SwitchModel poe(*ProfileFor("KSX-7700-28P"));
    for (uint32_t i = 2; i <= 8; ++i) {
        EXPECT_EQ(Put(poe, P("23.1.1.21") + i, Value::Int(4)), std::nullopt);
    }
    EXPECT_EQ(Put(poe, P("23.1.1.21.9"), Value::Int(5)), ErrorStatus::NoCreation)
        << "a ninth PoE time range";
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    for (uint32_t i = 1; i <= 5; ++i) {
        EXPECT_EQ(Put(model, P("26.2.1.1.5") + Oid{0, 27, 44, i, 0, 0}, Value::Int(4)),
                  std::nullopt);
    }
    EXPECT_EQ(Put(model, P("26.2.1.1.5") + Oid{0, 27, 44, 9, 0, 0}, Value::Int(4)),
              ErrorStatus::ResourceUnavailable)
        << "five user entries and the built-in one";
    EXPECT_EQ(Put(model, P("26.2.1.1.5.2.94.167.0.0.0"), Value::Int(6)),
              ErrorStatus::InconsistentValue)
        << "the built-in camera OUI stays";
}

TEST(SimModel, TimeProfilesAreCreatedByActivatingThem) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    EXPECT_EQ(SetStatus(model, {{P("32.1.1.2.4"), Value::Str("Nights")},
                                {P("32.1.1.7.4"), Value::Int(22)},
                                {P("32.1.1.21.4"), Value::Int(1)}}),
              std::nullopt);
    EXPECT_EQ(model.Get(P("32.1.1.2.4"))->bytes, "Nights");
    EXPECT_EQ(Number(model, P("32.1.1.1.4")), 4);
    // an action that uses the profile loses it when the profile goes
    EXPECT_EQ(Put(model, P("31.2.3.0"), Value::Int(4)), std::nullopt);
    EXPECT_EQ(Put(model, P("31.2.4.0"), Value::Int(7)), ErrorStatus::InconsistentValue);
    EXPECT_EQ(Put(model, P("32.1.1.21.4"), Value::Int(6)), std::nullopt);
    EXPECT_EQ(Number(model, P("31.2.3.0")), 0);
}

TEST(SimModel, DisabledPortGoesDownAndComesBack) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    const Oid admin = O("1.3.6.1.2.1.2.2.1.7.1"), oper = O("1.3.6.1.2.1.2.2.1.8.1");
    ASSERT_EQ(Number(model, oper), 1);
    EXPECT_EQ(Put(model, P("1.13.1.2.1"), Value::Int(7)), std::nullopt);
    EXPECT_EQ(Number(model, admin), 2);
    EXPECT_EQ(Number(model, oper), 2);
    EXPECT_EQ(Number(model, P("1.13.1.3.1")), 1);
    EXPECT_EQ(Number(model, O("1.3.6.1.2.1.17.2.15.1.3.1")), 1);
    EXPECT_EQ(Put(model, P("1.13.1.2.1"), Value::Int(5)), std::nullopt) << "10M half";
    EXPECT_EQ(Number(model, admin), 1);
    EXPECT_EQ(Number(model, P("1.13.1.3.1")), 6);
    EXPECT_EQ(Number(model, O("1.3.6.1.2.1.2.2.1.5.1")), 10000000);
    EXPECT_EQ(Put(model, P("1.13.1.2.2"), Value::Int(1)), ErrorStatus::WrongValue)
        << "1000M on a 100M copper port";
    std::vector<Binding> all;
    for (uint32_t port = 1; port <= 52; ++port) {
        all.push_back({P("1.13.1.2") + port, Value::Int(7)});
    }
    EXPECT_EQ(SetStatus(model, all), ErrorStatus::InconsistentValue) << "not every port";
}

TEST(SimModel, VlansCarryTheirIgmpAndFilteringRowsAndPvids) {
    SwitchModel model(*ProfileFor("KSX-7700-28"));
    ASSERT_EQ(Put(model, P("7.6.1.5.10"), Value::Int(5)), std::nullopt);
    EXPECT_EQ(Number(model, P("10.3.4.1.1.10")), 10);
    EXPECT_EQ(Number(model, P("7.8.1.1.10")), 10);
    // symmetric mode: an untagged port leaves VLAN 1 and takes the VLAN as its PVID
    ASSERT_EQ(Put(model, P("7.6.1.4.10"), Value::Str(PortList(model, {3}))), std::nullopt);
    EXPECT_EQ(Ports(model, P("7.6.1.2.10")), std::vector<int>{3});
    EXPECT_EQ(Number(model, P("7.7.1.1.3")), 10);
    auto vlan1 = Ports(model, P("7.6.1.2.1"));
    EXPECT_EQ(std::count(vlan1.begin(), vlan1.end(), 3), 0);
    // removing an egress port takes it out of the untagged set
    ASSERT_EQ(Put(model, P("7.6.1.2.1"), Value::Str(PortList(model, {1, 2}))), std::nullopt);
    EXPECT_EQ(Ports(model, P("7.6.1.4.1")), (std::vector<int>{1, 2}));
    EXPECT_EQ(Put(model, P("7.7.1.1.4"), Value::Gauge(99)), ErrorStatus::InconsistentValue);
    EXPECT_EQ(Put(model, P("7.6.1.5.1"), Value::Int(6)), ErrorStatus::InconsistentValue);
    EXPECT_EQ(Put(model, P("7.3.0"), Value::Int(55)), ErrorStatus::InconsistentValue);
    // deleting VLAN 10 sends port 3 back to VLAN 1 and drops its IGMP row
    ASSERT_EQ(Put(model, P("7.6.1.5.10"), Value::Int(6)), std::nullopt);
    EXPECT_EQ(Number(model, P("7.7.1.1.3")), 1);
    EXPECT_EQ(model.Get(P("10.3.4.1.1.10")), nullptr);
    EXPECT_EQ(model.Get(P("7.8.1.1.10")), nullptr);
}

TEST(SimModel, ChangingTheVlanModeResetsTheVlans) {
    SwitchModel model(*ProfileFor("KSX-7700-28"));
    ASSERT_EQ(Put(model, P("7.6.1.5.20"), Value::Int(4)), std::nullopt);
    ASSERT_EQ(Put(model, P("7.6.1.4.20"), Value::Str(PortList(model, {5}))), std::nullopt);
    ASSERT_EQ(Put(model, P("7.5.0"), Value::Int(1)), std::nullopt);
    EXPECT_EQ(model.Get(P("7.6.1.5.20")), nullptr);
    EXPECT_EQ(Number(model, P("7.7.1.1.5")), 1);
    EXPECT_EQ(Ports(model, P("7.6.1.4.1")).size(), 28u);
    // asymmetric mode: several untagged VLANs per port, PVIDs set on their own
    ASSERT_EQ(Put(model, P("7.6.1.5.20"), Value::Int(4)), std::nullopt);
    ASSERT_EQ(Put(model, P("7.6.1.4.20"), Value::Str(PortList(model, {5}))), std::nullopt);
    EXPECT_EQ(Ports(model, P("7.6.1.4.1")).size(), 28u);
    EXPECT_EQ(Number(model, P("7.7.1.1.5")), 1);
}

TEST(SimModel, TrunkMembersFollowTheirFirstPort) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    ASSERT_EQ(Put(model, P("7.6.1.5.7"), Value::Int(4)), std::nullopt);
    ASSERT_EQ(Put(model, P("7.7.1.1.5"), Value::Gauge(7)), std::nullopt);
    ASSERT_EQ(SetStatus(model, {{P("8.1.3.1.2.1"), Value::Str(PortList(model, {5, 6, 8}))},
                                {P("8.1.3.1.3.1"), Value::Int(2)}}),
              std::nullopt);
    EXPECT_EQ(Number(model, P("7.7.1.1.6")), 7);
    EXPECT_EQ(Number(model, P("7.7.1.1.8")), 7);
    EXPECT_EQ(Put(model, P("8.1.3.1.2.2"), Value::Str(PortList(model, {8, 9}))),
              ErrorStatus::InconsistentValue)
        << "port 8 is in trunk 1";
    EXPECT_EQ(Put(model, P("8.1.3.1.2.2"), Value::Str(PortList(model, {9}))),
              ErrorStatus::WrongValue)
        << "one member";
    // a short PortList (as some dialogs write it) is stored at the model's length
    ASSERT_EQ(Put(model, P("8.1.3.1.2.2"),
                  Value::Str(std::string("\x00\x60\x00\x00\x00\x00\x00\x00", 8))),
              std::nullopt);
    EXPECT_EQ(model.Get(P("8.1.3.1.2.2"))->bytes.size(), 12u);
    EXPECT_EQ(Ports(model, P("8.1.3.1.2.2")), (std::vector<int>{10, 11}));
}

TEST(SimModel, TrunksTakeOnlyPortsTheSwitchCanAggregate) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    const auto trunk = [&](std::vector<int> ports) {
        return Put(model, P("8.1.3.1.2.3"), Value::Str(PortList(model, ports)));
    };
    ASSERT_EQ(SetStatus(model, {{P("1.13.1.2.1"), Value::Int(3)},
                                {P("1.13.1.2.3"), Value::Int(2)},
                                {P("18.1.0"), Value::Int(1)},
                                {P("18.2.0"), Value::Int(5)}}),
              std::nullopt);
    EXPECT_EQ(trunk({1, 2}), ErrorStatus::InconsistentValue) << "half duplex";
    EXPECT_EQ(trunk({2, 3}), ErrorStatus::InconsistentValue) << "different speeds";
    EXPECT_EQ(trunk({4, 52}), ErrorStatus::InconsistentValue) << "different media";
    EXPECT_EQ(trunk({4, 5}), ErrorStatus::InconsistentValue) << "mirroring target";
    EXPECT_EQ(trunk({4, 6}), std::nullopt);
    ASSERT_EQ(Put(model, P("8.1.2.0"), Value::Int(2)), std::nullopt);
    EXPECT_EQ(Put(model, P("8.1.3.1.3.3"), Value::Int(1)), ErrorStatus::InconsistentValue)
        << "link aggregation disabled";
}

TEST(SimModel, PoePortsFollowTheirStateAndLimits) {
    SwitchModel model(*ProfileFor("KSX-7700-28P"));
    Oid status = P("22.1.1.13.1.1"), power = P("22.1.1.9.1.1");
    ASSERT_EQ(model.Get(status)->bytes, "POWER ON");
    double leftBefore = std::atof(model.Get(P("22.6.0"))->bytes.c_str());
    ASSERT_EQ(Put(model, P("22.1.1.3.1.1"), Value::Int(2)), std::nullopt);
    EXPECT_EQ(model.Get(status)->bytes, "POWER OFF");
    EXPECT_EQ(model.Get(power)->bytes, "0.0");
    EXPECT_GT(std::atof(model.Get(P("22.6.0"))->bytes.c_str()), leftBefore);
    EXPECT_EQ(Put(model, P("22.1.1.8.1.2"), Value::Str("15.4")), std::nullopt);
    EXPECT_EQ(Put(model, P("22.1.1.8.1.2"), Value::Str("15.5")), ErrorStatus::WrongValue);
    EXPECT_EQ(Put(model, P("22.1.1.8.1.2"), Value::Str("30.2")), ErrorStatus::WrongValue);
    EXPECT_EQ(Put(model, P("22.2.0"), Value::Str("7.1")), std::nullopt);
    EXPECT_EQ(Put(model, P("22.2.0"), Value::Str("185.1")), ErrorStatus::WrongValue);
    EXPECT_EQ(model.Get(P("22.6.0"))->bytes, "0.0") << "7.1 W hardly feed a port";
    // a disabled port takes its device's power away too
    ASSERT_EQ(Put(model, P("22.1.1.3.1.1"), Value::Int(1)), std::nullopt);
    ASSERT_EQ(Put(model, P("1.13.1.2.1"), Value::Int(7)), std::nullopt);
    EXPECT_EQ(model.Get(status)->bytes, "POWER OFF");
}

TEST(SimModel, SpanningTreeTimersKeepTheirRelation) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    const Oid maxAge = O("1.3.6.1.2.1.17.2.12.0"), hello = O("1.3.6.1.2.1.17.2.13.0"),
              delay = O("1.3.6.1.2.1.17.2.14.0");
    EXPECT_EQ(Put(model, maxAge, Value::Int(4000)), ErrorStatus::InconsistentValue);
    ASSERT_EQ(SetStatus(model, {{hello, Value::Int(100)}, {delay, Value::Int(3000)}}),
              std::nullopt);
    EXPECT_EQ(Put(model, maxAge, Value::Int(4000)), std::nullopt);
    EXPECT_EQ(Number(model, O("1.3.6.1.2.1.17.2.8.0")), 4000);
    EXPECT_EQ(Put(model, P("6.2.1.5.1"), Value::Int(0)), std::nullopt);
    EXPECT_EQ(Number(model, O("1.3.6.1.2.1.17.2.15.1.5.1")), 200000) << "automatic cost";
    EXPECT_EQ(Put(model, P("6.2.1.5.1"), Value::Int(1234)), std::nullopt);
    EXPECT_EQ(Number(model, O("1.3.6.1.2.1.17.2.15.1.5.1")), 1234);
}

TEST(SimModel, SecurityEffects) {
    SwitchModel model(*ProfileFor("KSX-7700-20"));
    // 802.1X: status follows control; one port stays Force Authorized
    ASSERT_EQ(
        SetStatus(model, {{P("11.2.1.0"), Value::Int(1)}, {P("11.2.9.1.2.1"), Value::Int(2)}}),
        std::nullopt);
    EXPECT_EQ(Number(model, P("11.2.9.1.3.1")), 2);
    EXPECT_EQ(Number(model, P("11.2.9.1.3.2")), 1);
    std::vector<Binding> all;
    for (uint32_t port = 1; port <= 20; ++port) {
        all.push_back({P("11.2.9.1.2") + port, Value::Int(2)});
    }
    EXPECT_EQ(SetStatus(model, all), ErrorStatus::InconsistentValue);
    // binding puts the address on the white list; the black list entry goes away
    Oid binding = O("0.27.44.16.0.1.3.192.0.2.31");
    ASSERT_EQ(Put(model, P("14.10.2.1.5") + binding, Value::Int(1)), std::nullopt);
    EXPECT_EQ(Number(model, P("14.10.3.1.4.192.0.2.31.0.27.44.16.0.1")), 1);
    EXPECT_EQ(Number(model, P("14.10.3.1.3.192.0.2.31.0.27.44.16.0.1")), 3);
    Oid black = O("0.27.44.102.0.1.1.6");
    ASSERT_EQ(Put(model, P("14.10.4.1.5") + black, Value::Int(1)), std::nullopt);
    EXPECT_EQ(model.Get(P("14.10.4.1.1") + black), nullptr);
    // a scan finds hosts in the range
    ASSERT_EQ(SetStatus(model, {{P("14.10.5.0"), Value::Ip(192, 0, 2, 200)},
                                {P("14.10.6.0"), Value::Ip(192, 0, 2, 210)}}),
              std::nullopt);
    Transaction scan(model, {{P("14.10.7.0"), Value::Int(1)}});
    ASSERT_FALSE(scan.CheckEach());
    ASSERT_FALSE(scan.Prepare());
    scan.Apply();
    EXPECT_EQ(scan.Events(), std::vector<std::string>{kEventScan});
    size_t before = RowIndexes(model.Data(), *model.Definitions().FindTable(P("14.10.2.1"))).size();
    FinishScan(model);
    EXPECT_EQ(RowIndexes(model.Data(), *model.Definitions().FindTable(P("14.10.2.1"))).size(),
              before + 3);
    // a V3 user created without authentication has the protocol None
    Oid user = O("3.98.111.98.3");
    ASSERT_EQ(Put(model, P("25.2.1.1.8") + user, Value::Int(5)), std::nullopt);
    ASSERT_EQ(Put(model, P("25.2.1.1.4") + user, Value::Int(0)), std::nullopt);
    EXPECT_EQ(Number(model, P("25.2.1.1.4") + user), 1);
    EXPECT_EQ(Number(model, P("25.2.1.1.2") + user), 3);
}

TEST(SimModel, SurveillanceVlanTakesOverItsVlan) {
    SwitchModel model(*ProfileFor("KSX-7700-28P"));
    ASSERT_EQ(Put(model, P("22.1.1.3.1.9"), Value::Int(2)), std::nullopt);
    ASSERT_EQ(SetStatus(model, {{P("26.1.2.0"), Value::Int(30)},
                                {P("26.1.4.0"), Value::Str(PortList(model, {9, 25}))},
                                {P("26.1.1.0"), Value::Int(1)}}),
              std::nullopt);
    EXPECT_EQ(Number(model, P("7.6.1.5.30")), 1);
    EXPECT_EQ(Ports(model, P("7.6.1.2.30")), (std::vector<int>{9, 25}));
    EXPECT_EQ(Number(model, P("10.3.4.1.1.30")), 30);
    EXPECT_EQ(Number(model, P("22.1.1.3.1.9")), 1) << "members get PoE";
    EXPECT_EQ(Put(model, P("7.6.1.5.30"), Value::Int(6)), ErrorStatus::InconsistentValue);
    EXPECT_EQ(Put(model, P("7.5.0"), Value::Int(1)), ErrorStatus::InconsistentValue);
}

TEST(SimModel, OverlayWinsAndKeepsTablesWhole) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    std::istringstream data("# mirrored from a switch\n"
                            "1.3.6.1.2.1.1.5.0|4|core-7\n"
                            "1.3.6.1.4.1.99999.10.76.17.7.6.1.1.44|4|printers\n"
                            "1.3.6.1.4.1.99999.10.76.17.7.6.1.2.44|4x|c0000000000000000000000000\n"
                            "1.3.6.1.2.1.1.3.0|67|12345\n"
                            "1.3.6.1.4.1.99999.4.1.0|2|7\n");
    std::string error;
    ASSERT_TRUE(LoadSnmprec(model, data, error)) << error;
    EXPECT_EQ(model.Get(O("1.3.6.1.2.1.1.5.0"))->bytes, "core-7");
    EXPECT_EQ(model.Get(P("7.6.1.1.44"))->bytes, "printers");
    EXPECT_EQ(PortsOf(model.Get(P("7.6.1.2.44"))->bytes), (std::vector<int>{1, 2}));
    EXPECT_EQ(Number(model, P("7.6.1.5.44")), 1) << "the rest of the row has its defaults";
    EXPECT_TRUE(model.Data().at(O("1.3.6.1.2.1.1.3.0")).fixed);
    EXPECT_EQ(Put(model, O("1.3.6.1.4.1.99999.4.1.0"), Value::Int(8)), std::nullopt)
        << "objects only the overlay knows are writable with their type";
    std::istringstream bad("1.3.6.1.2.1.1.5.0|4|ok\n1.3.6.1.2.1.1.6.0|99|x\n");
    EXPECT_FALSE(LoadSnmprec(model, bad, error));
    EXPECT_NE(error.find("line 2"), std::string::npos);
}

TEST(SimModel, TransfersAndRestarts) {
    SwitchModel model(*ProfileFor("KSX-7700-52"));
    EXPECT_EQ(TransferOutcome(model, TransferKind::Firmware, false), TransferResult::Fails)
        << "no server, no file";
    Transaction start(model, {{P("3.1.0"), Value::Ip(192, 0, 2, 9)},
                              {P("3.2.0"), Value::Str("image.bin")},
                              {P("3.3.0"), Value::Int(1)}});
    ASSERT_FALSE(start.CheckEach());
    ASSERT_FALSE(start.Prepare());
    start.Apply();
    EXPECT_EQ(start.Events(), std::vector<std::string>{kEventFirmwareTransfer});
    EXPECT_EQ(Number(model, P("3.4.0")), kTransferRunning);
    EXPECT_EQ(Put(model, P("3.7.0"), Value::Int(2)), ErrorStatus::InconsistentValue)
        << "one transfer at a time";
    EXPECT_EQ(TransferOutcome(model, TransferKind::Firmware, false), TransferResult::Restarts);
    EXPECT_EQ(TransferOutcome(model, TransferKind::Firmware, true), TransferResult::Fails);
    // a restart brings back the saved configuration
    ASSERT_EQ(Put(model, O("1.3.6.1.2.1.1.5.0"), Value::Str("unsaved")), std::nullopt);
    FinishReboot(model);
    EXPECT_EQ(model.Get(O("1.3.6.1.2.1.1.5.0"))->bytes, "KSX-7700-52");
    ASSERT_EQ(Put(model, O("1.3.6.1.2.1.1.5.0"), Value::Str("saved")), std::nullopt);
    FinishSave(model);
    FinishReboot(model);
    EXPECT_EQ(model.Get(O("1.3.6.1.2.1.1.5.0"))->bytes, "saved");
}

TEST(SimModel, AnimationMovesLinksAndPoeStates) {
    SwitchModel model(*ProfileFor("KSX-7700-28P"));
    Store before = model.Data();
    for (uint32_t step = 0; step < 8; ++step) {
        AnimateStep(model, step, 100 * step);
    }
    size_t changedLinks = 0;
    for (uint32_t port = 1; port <= 28; ++port) {
        Oid oper = O("1.3.6.1.2.1.2.2.1.8") + port;
        changedLinks += before.at(oper).value != model.Data().at(oper).value;
    }
    EXPECT_GT(changedLinks, 0u);
    EXPECT_NE(before.at(P("22.8.0")).value, model.Data().at(P("22.8.0")).value);
}
