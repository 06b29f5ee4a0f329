// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// The switch model on its own: whole tables, the set rules and the effects between objects.
#include "sim/model/Behaviour.h"
#include "sim/model/Model.h"
#include "sim/model/Snmprec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <sstream>

using namespace ksxsim;
using enum ksxsim::ErrorStatus;
using Ns = std::vector<int64_t>;

namespace {

const char* const kModels[] = {"KSX-7700-20", "KSX-7700-28", "KSX-7700-28P", "KSX-7700-48",
                               "KSX-7700-52"};
const std::optional<ErrorStatus> Ok; // the set went through
constexpr auto Int = &Value::Int;
constexpr auto Str = &Value::Str;
constexpr auto Gauge = &Value::Gauge;

Oid P(const std::string& relative) {
    return SwitchModel::PrivateBase() + O(relative);
}

// Runs one set request through every phase; the failure, if any, and the events raised.
std::optional<SetFailure> Set(SwitchModel& model, std::vector<Binding> bindings,
                              std::vector<std::string>* events = nullptr) {
    Transaction tx(model, std::move(bindings));
    if (auto failure = tx.CheckEach()) {
        return failure;
    }
    if (auto failure = tx.Prepare()) {
        return failure;
    }
    tx.Apply();
    if (events != nullptr) {
        *events = tx.Events();
    }
    return std::nullopt;
}

// One value for the given column of ports 1 to `ports`.
std::vector<Binding> EveryPort(const std::string& column, uint32_t ports, const Value& value) {
    std::vector<Binding> all;
    for (uint32_t port = 1; port <= ports; ++port) {
        all.push_back({P(column) + port, value});
    }
    return all;
}

// One model (the 52-port one unless a test picks another) and short ways to set and read it.
class SimModel : public ::testing::Test {
protected:
    SwitchModel& Use(const char* name) {
        m_model = std::make_unique<SwitchModel>(*ProfileFor(name));
        return *m_model;
    }
    std::optional<ErrorStatus> Sets(std::vector<Binding> bindings) {
        auto failure = Set(*m_model, std::move(bindings));
        return failure ? std::optional<ErrorStatus>(failure->status) : std::nullopt;
    }
    std::optional<ErrorStatus> Put(const Oid& oid, Value value) {
        return Sets({{oid, std::move(value)}});
    }
    const Value* Get(const Oid& oid) const { return m_model->Get(oid); }
    int64_t Num(const Oid& oid) const { return Get(oid) != nullptr ? Get(oid)->number : -999; }
    std::vector<int64_t> Nums(std::initializer_list<Oid> oids) const {
        std::vector<int64_t> numbers;
        std::ranges::transform(oids, std::back_inserter(numbers),
                               [this](auto& o) { return Num(o); });
        return numbers;
    }
    std::vector<int> Ports(const Oid& oid) const {
        return Get(oid) != nullptr ? PortsOf(Get(oid)->bytes) : std::vector<int>{};
    }
    Value List(const std::vector<int>& ports) const {
        return Str(MakePortList(ports, m_model->Profile().portListOctets));
    }

    std::unique_ptr<SwitchModel> m_model =
        std::make_unique<SwitchModel>(*ProfileFor("KSX-7700-52"));
};

} // namespace

TEST_F(SimModel, EveryTableIsWholeOnEveryModel) {
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

TEST_F(SimModel, RowsAreCreatedActivatedParkedAndDestroyed) {
    Oid status = P("7.6.1.5.30"), name = P("7.6.1.1.30");
    EXPECT_EQ(Put(status, Int(1)), InconsistentValue);
    EXPECT_EQ(Put(status, Int(5)), Ok);
    EXPECT_EQ(Num(status), 2);
    EXPECT_EQ(Put(status, Int(5)), InconsistentValue);
    EXPECT_EQ(Sets({{name, Str("cameras")}, {status, Int(1)}}), Ok);
    EXPECT_EQ(Num(status), 1);
    EXPECT_EQ(Put(status, Int(2)), Ok);
    EXPECT_EQ(Put(status, Int(3)), WrongValue);
    EXPECT_EQ(Put(status, Int(6)), Ok);
    EXPECT_EQ(Get(name), nullptr);
    EXPECT_EQ(Put(status, Int(6)), Ok) << "destroying nothing";
    // createAndGo with other columns in the same request
    EXPECT_EQ(Sets({{P("7.6.1.5.31"), Int(4)}, {P("7.6.1.1.31"), Str("a")}}), Ok);
    EXPECT_EQ(Num(P("7.6.1.5.31")), 1);
    EXPECT_EQ(Get(P("7.6.1.1.31"))->bytes, "a");
}

TEST_F(SimModel, IndexFormsAreChecked) {
    // community "abc": length-prefixed string
    Oid abc = O("3.97.98.99");
    EXPECT_EQ(Put(P("25.5.1.1.3") + abc, Int(5)), Ok);
    EXPECT_EQ(Get(P("25.5.1.1.1") + abc)->bytes, "abc");
    EXPECT_EQ(Put(P("25.5.1.1.3") + O("4.97.98.99"), Int(5)), NoCreation);
    // view "all" on 1.3.6: name, arc count, arcs
    Oid view = O("3.97.108.108.3.1.3.6");
    EXPECT_EQ(Put(P("25.4.1.1.5") + view, Int(5)), Ok);
    EXPECT_EQ(Get(P("25.4.1.1.2") + view)->oid, O("1.3.6"));
    // white list: IP and MAC
    Oid white = O("10.1.1.2.0.17.34.51.68.85");
    EXPECT_EQ(Put(P("14.10.3.1.4") + white, Int(5)), Ok);
    EXPECT_EQ(Get(P("14.10.3.1.1") + white)->bytes, std::string("\x0a\x01\x01\x02", 4));
    EXPECT_EQ(Put(P("14.10.3.1.4") + O("10.1.1.2.0.17.34.51.68.300"), Int(5)), NoCreation);
    // scalars only at .0
    EXPECT_EQ(Put(P("1.12.1"), Int(1)), NoCreation);
    // ports beyond the model
    EXPECT_EQ(Put(P("1.13.1.5.53"), Int(1)), NoCreation);
}

TEST_F(SimModel, TypesRangesAndAccessAreChecked) {
    EXPECT_EQ(Put(O("1.3.6.1.2.1.99.0"), Int(1)), NotWritable);
    EXPECT_EQ(Put(P("7.7.1.1.1"), Int(1)), WrongType) << "PVIDs are Unsigned32";
    EXPECT_EQ(Put(P("7.7.1.1.1"), Gauge(1)), Ok);
    EXPECT_EQ(Put(P("11.1.2.0"), Str(std::string(34, 'k'))), WrongLength);
    EXPECT_EQ(Put(P("13.3.3.0"), Int(100)), WrongValue) << "storm thresholds come in steps of 64";
    EXPECT_EQ(Put(P("16.1.5.0"), Int(129)), WrongValue);
    EXPECT_EQ(Put(P("16.1.5.0"), Int(184)), Ok);
}

TEST_F(SimModel, RefusedSetsLeaveTheStoreUnchanged) {
    SwitchModel& model = Use("KSX-7700-28");
    Store before = model.Data();
    // refused late, by a consistency rule, after row creation and derived changes
    EXPECT_TRUE(Set(
        model,
        {{P("7.6.1.5.40"), Int(4)}, {P("7.6.1.4.40"), List({3})}, {P("7.7.1.1.9"), Gauge(77)}}));
    ASSERT_EQ(model.Data().size(), before.size());
    for (const auto& [oid, cell] : before) {
        ASSERT_TRUE(model.Data().count(oid)) << FormatOid(oid);
        EXPECT_EQ(model.Data().at(oid).value, cell.value) << FormatOid(oid);
    }
}

TEST_F(SimModel, TableLimitsRefuseFurtherRows) {
    for (uint32_t i = 1; i <= 5; ++i) {
        EXPECT_EQ(Put(P("26.2.1.1.5") + Oid{0, 27, 44, i, 0, 0}, Int(4)), Ok);
    }
    EXPECT_EQ(Put(P("26.2.1.1.5") + Oid{0, 27, 44, 9, 0, 0}, Int(4)), ResourceUnavailable)
        << "five user entries and the built-in one";
    EXPECT_EQ(Put(P("26.2.1.1.5.2.94.167.0.0.0"), Int(6)), InconsistentValue)
        << "the built-in camera OUI stays";
    Use("KSX-7700-28P");
    for (uint32_t i = 2; i <= 8; ++i) {
        EXPECT_EQ(Put(P("23.1.1.21") + i, Int(4)), Ok);
    }
    EXPECT_EQ(Put(P("23.1.1.21.9"), Int(5)), NoCreation) << "a ninth PoE time range";
}

TEST_F(SimModel, TimeProfilesAreCreatedByActivatingThem) {
    EXPECT_EQ(Sets({{P("32.1.1.2.4"), Str("Nights")},
                    {P("32.1.1.7.4"), Int(22)},
                    {P("32.1.1.21.4"), Int(1)}}),
              Ok);
    EXPECT_EQ(Get(P("32.1.1.2.4"))->bytes, "Nights");
    EXPECT_EQ(Num(P("32.1.1.1.4")), 4);
    // an action that uses the profile loses it when the profile goes
    EXPECT_EQ(Put(P("31.2.3.0"), Int(4)), Ok);
    EXPECT_EQ(Put(P("31.2.4.0"), Int(7)), InconsistentValue);
    EXPECT_EQ(Put(P("32.1.1.21.4"), Int(6)), Ok);
    EXPECT_EQ(Num(P("31.2.3.0")), 0);
}

TEST_F(SimModel, DisabledPortGoesDownAndComesBack) {
    const Oid admin = O("1.3.6.1.2.1.2.2.1.7.1"), oper = O("1.3.6.1.2.1.2.2.1.8.1");
    ASSERT_EQ(Num(oper), 1);
    EXPECT_EQ(Put(P("1.13.1.2.1"), Int(7)), Ok);
    EXPECT_EQ(Nums({admin, oper, P("1.13.1.3.1"), O("1.3.6.1.2.1.17.2.15.1.3.1")}),
              Ns({2, 2, 1, 1}));
    EXPECT_EQ(Put(P("1.13.1.2.1"), Int(5)), Ok) << "10M half";
    EXPECT_EQ(Nums({admin, P("1.13.1.3.1"), O("1.3.6.1.2.1.2.2.1.5.1")}), Ns({1, 6, 10000000}));
    EXPECT_EQ(Put(P("1.13.1.2.2"), Int(1)), WrongValue) << "1000M on a 100M copper port";
    EXPECT_EQ(Sets(EveryPort("1.13.1.2", 52, Int(7))), InconsistentValue) << "not every port";
}

TEST_F(SimModel, VlansCarryTheirIgmpAndFilteringRowsAndPvids) {
    Use("KSX-7700-28");
    ASSERT_EQ(Put(P("7.6.1.5.10"), Int(5)), Ok);
    // symmetric mode: an untagged port leaves VLAN 1 and takes the VLAN as its PVID
    ASSERT_EQ(Put(P("7.6.1.4.10"), List({3})), Ok);
    EXPECT_EQ(Ports(P("7.6.1.2.10")), std::vector<int>{3});
    EXPECT_EQ(Num(P("7.7.1.1.3")), 10);
    auto vlan1 = Ports(P("7.6.1.2.1"));
    EXPECT_EQ(std::count(vlan1.begin(), vlan1.end(), 3), 0);
    // removing an egress port takes it out of the untagged set
    ASSERT_EQ(Put(P("7.6.1.2.1"), List({1, 2})), Ok);
    EXPECT_EQ(Ports(P("7.6.1.4.1")), (std::vector<int>{1, 2}));
    EXPECT_EQ(Put(P("7.7.1.1.4"), Gauge(99)), InconsistentValue);
    EXPECT_EQ(Put(P("7.6.1.5.1"), Int(6)), InconsistentValue);
    EXPECT_EQ(Put(P("7.3.0"), Int(55)), InconsistentValue);
    // deleting VLAN 10 sends port 3 back to VLAN 1 and drops its IGMP row
    ASSERT_EQ(Put(P("7.6.1.5.10"), Int(6)), Ok);
    EXPECT_EQ(Num(P("7.7.1.1.3")), 1);
    EXPECT_EQ(Get(P("10.3.4.1.1.10")), nullptr);
    EXPECT_EQ(Get(P("7.8.1.1.10")), nullptr);
}

TEST_F(SimModel, ChangingTheVlanModeResetsTheVlans) {
    Use("KSX-7700-28");
    ASSERT_EQ(Put(P("7.6.1.5.20"), Int(4)), Ok);
    ASSERT_EQ(Put(P("7.6.1.4.20"), List({5})), Ok);
    ASSERT_EQ(Put(P("7.5.0"), Int(1)), Ok);
    EXPECT_EQ(Get(P("7.6.1.5.20")), nullptr);
    EXPECT_EQ(Num(P("7.7.1.1.5")), 1);
    EXPECT_EQ(Ports(P("7.6.1.4.1")).size(), 28u);
    // asymmetric mode: several untagged VLANs per port, PVIDs set on their own
    ASSERT_EQ(Put(P("7.6.1.5.20"), Int(4)), Ok);
    ASSERT_EQ(Put(P("7.6.1.4.20"), List({5})), Ok);
    EXPECT_EQ(Ports(P("7.6.1.4.1")).size(), 28u);
    EXPECT_EQ(Num(P("7.7.1.1.5")), 1);
}

TEST_F(SimModel, TrunkMembersFollowTheirFirstPort) {
    ASSERT_EQ(Put(P("7.6.1.5.7"), Int(4)), Ok);
    ASSERT_EQ(Put(P("7.7.1.1.5"), Gauge(7)), Ok);
    ASSERT_EQ(Sets({{P("8.1.3.1.2.1"), List({5, 6, 8})}, {P("8.1.3.1.3.1"), Int(2)}}), Ok);
    EXPECT_EQ(Nums({P("7.7.1.1.6"), P("7.7.1.1.8")}), Ns({7, 7}));
    EXPECT_EQ(Put(P("8.1.3.1.2.2"), List({8, 9})), InconsistentValue) << "port 8 is in trunk 1";
    EXPECT_EQ(Put(P("8.1.3.1.2.2"), List({9})), WrongValue) << "one member";
    // a short PortList (as some dialogs write it) is stored at the model's length
    ASSERT_EQ(Put(P("8.1.3.1.2.2"), Str(std::string("\x00\x60\x00\x00\x00\x00\x00\x00", 8))), Ok);
    EXPECT_EQ(Get(P("8.1.3.1.2.2"))->bytes.size(), 12u);
    EXPECT_EQ(Ports(P("8.1.3.1.2.2")), (std::vector<int>{10, 11}));
}

TEST_F(SimModel, TrunksTakeOnlyPortsTheSwitchCanAggregate) {
    const auto trunk = [&](std::vector<int> ports) { return Put(P("8.1.3.1.2.3"), List(ports)); };
    ASSERT_EQ(Sets({{P("1.13.1.2.1"), Int(3)},
                    {P("1.13.1.2.3"), Int(2)},
                    {P("18.1.0"), Int(1)},
                    {P("18.2.0"), Int(5)}}),
              Ok);
    EXPECT_EQ(trunk({1, 2}), InconsistentValue) << "half duplex";
    EXPECT_EQ(trunk({2, 3}), InconsistentValue) << "different speeds";
    EXPECT_EQ(trunk({4, 52}), InconsistentValue) << "different media";
    EXPECT_EQ(trunk({4, 5}), InconsistentValue) << "mirroring target";
    EXPECT_EQ(trunk({4, 6}), Ok);
    ASSERT_EQ(Put(P("8.1.2.0"), Int(2)), Ok);
    EXPECT_EQ(Put(P("8.1.3.1.3.3"), Int(1)), InconsistentValue) << "link aggregation disabled";
}

TEST_F(SimModel, PoePortsFollowTheirStateAndLimits) {
    Use("KSX-7700-28P");
    Oid status = P("22.1.1.13.1.1"), power = P("22.1.1.9.1.1");
    ASSERT_EQ(Get(status)->bytes, "POWER ON");
    double leftBefore = std::atof(Get(P("22.6.0"))->bytes.c_str());
    ASSERT_EQ(Put(P("22.1.1.3.1.1"), Int(2)), Ok);
    EXPECT_EQ(Get(status)->bytes, "POWER OFF");
    EXPECT_EQ(Get(power)->bytes, "0.0");
    EXPECT_GT(std::atof(Get(P("22.6.0"))->bytes.c_str()), leftBefore);
    EXPECT_EQ(Put(P("22.1.1.8.1.2"), Str("15.4")), Ok);
    EXPECT_EQ(Put(P("22.1.1.8.1.2"), Str("15.5")), WrongValue);
    EXPECT_EQ(Put(P("22.1.1.8.1.2"), Str("30.2")), WrongValue);
    EXPECT_EQ(Put(P("22.2.0"), Str("7.1")), Ok);
    EXPECT_EQ(Put(P("22.2.0"), Str("185.1")), WrongValue);
    EXPECT_EQ(Get(P("22.6.0"))->bytes, "0.0") << "7.1 W hardly feed a port";
    // a disabled port takes its device's power away too
    ASSERT_EQ(Put(P("22.1.1.3.1.1"), Int(1)), Ok);
    ASSERT_EQ(Put(P("1.13.1.2.1"), Int(7)), Ok);
    EXPECT_EQ(Get(status)->bytes, "POWER OFF");
}

TEST_F(SimModel, SpanningTreeTimersKeepTheirRelation) {
    const Oid maxAge = O("1.3.6.1.2.1.17.2.12.0"), hello = O("1.3.6.1.2.1.17.2.13.0"),
              delay = O("1.3.6.1.2.1.17.2.14.0");
    EXPECT_EQ(Put(maxAge, Int(4000)), InconsistentValue);
    ASSERT_EQ(Sets({{hello, Int(100)}, {delay, Int(3000)}}), Ok);
    EXPECT_EQ(Put(maxAge, Int(4000)), Ok);
    EXPECT_EQ(Num(O("1.3.6.1.2.1.17.2.8.0")), 4000);
    for (const auto& [set, cost] : {std::pair{0, 200000}, {1234, 1234}}) { // 0: automatic
        EXPECT_EQ(Put(P("6.2.1.5.1"), Int(set)), Ok);
        EXPECT_EQ(Num(O("1.3.6.1.2.1.17.2.15.1.5.1")), cost);
    }
}

TEST_F(SimModel, SecurityEffects) {
    SwitchModel& model = Use("KSX-7700-20");
    // 802.1X: status follows control; one port stays Force Authorized
    ASSERT_EQ(Sets({{P("11.2.1.0"), Int(1)}, {P("11.2.9.1.2.1"), Int(2)}}), Ok);
    EXPECT_EQ(Nums({P("11.2.9.1.3.1"), P("11.2.9.1.3.2")}), Ns({2, 1}));
    EXPECT_EQ(Sets(EveryPort("11.2.9.1.2", 20, Int(2))), InconsistentValue);
    // binding puts the address on the white list
    Oid binding = O("0.27.44.16.0.1.3.192.0.2.31");
    ASSERT_EQ(Put(P("14.10.2.1.5") + binding, Int(1)), Ok);
    const Oid white = O("192.0.2.31.0.27.44.16.0.1");
    EXPECT_EQ(Nums({P("14.10.3.1.4") + white, P("14.10.3.1.3") + white}), Ns({1, 3}));
    // a scan finds hosts in the range
    ASSERT_EQ(Sets({{P("14.10.5.0"), Value::Ip(192, 0, 2, 200)},
                    {P("14.10.6.0"), Value::Ip(192, 0, 2, 210)}}),
              Ok);
    std::vector<std::string> events;
    ASSERT_FALSE(Set(model, {{P("14.10.7.0"), Int(1)}}, &events));
    EXPECT_EQ(events, std::vector<std::string>{kEventScan});
    size_t before = RowIndexes(model.Data(), *model.Definitions().FindTable(P("14.10.2.1"))).size();
    FinishScan(model);
    EXPECT_EQ(RowIndexes(model.Data(), *model.Definitions().FindTable(P("14.10.2.1"))).size(),
              before + 3);
    // a V3 user created without authentication has the protocol None
    Oid user = O("3.98.111.98.3");
    ASSERT_EQ(Put(P("25.2.1.1.8") + user, Int(5)), Ok);
    ASSERT_EQ(Put(P("25.2.1.1.4") + user, Int(0)), Ok);
    EXPECT_EQ(Nums({P("25.2.1.1.4") + user, P("25.2.1.1.2") + user}), Ns({1, 3}));
}

TEST_F(SimModel, SurveillanceVlanTakesOverItsVlan) {
    Use("KSX-7700-28P");
    ASSERT_EQ(Put(P("22.1.1.3.1.9"), Int(2)), Ok);
    ASSERT_EQ(
        Sets({{P("26.1.2.0"), Int(30)}, {P("26.1.4.0"), List({9, 25})}, {P("26.1.1.0"), Int(1)}}),
        Ok);
    EXPECT_EQ(Num(P("7.6.1.5.30")), 1);
    EXPECT_EQ(Ports(P("7.6.1.2.30")), (std::vector<int>{9, 25}));
    EXPECT_EQ(Num(P("22.1.1.3.1.9")), 1) << "members get PoE";
    EXPECT_EQ(Put(P("7.6.1.5.30"), Int(6)), InconsistentValue);
    EXPECT_EQ(Put(P("7.5.0"), Int(1)), InconsistentValue);
}

TEST_F(SimModel, OverlayWinsAndKeepsTablesWhole) {
    SwitchModel& model = *m_model;
    std::istringstream data("# mirrored from a switch\n"
                            "1.3.6.1.2.1.1.5.0|4|core-7\n"
                            "1.3.6.1.4.1.99999.10.76.17.7.6.1.1.44|4|printers\n"
                            "1.3.6.1.4.1.99999.10.76.17.7.6.1.2.44|4x|c0000000000000000000000000\n"
                            "1.3.6.1.2.1.1.3.0|67|12345\n"
                            "1.3.6.1.4.1.99999.4.1.0|2|7\n");
    std::string error;
    ASSERT_TRUE(LoadSnmprec(model, data, error)) << error;
    EXPECT_EQ(Get(O("1.3.6.1.2.1.1.5.0"))->bytes, "core-7");
    EXPECT_EQ(Get(P("7.6.1.1.44"))->bytes, "printers");
    EXPECT_EQ(PortsOf(Get(P("7.6.1.2.44"))->bytes), (std::vector<int>{1, 2}));
    EXPECT_EQ(Num(P("7.6.1.5.44")), 1) << "the rest of the row has its defaults";
    EXPECT_TRUE(model.Data().at(O("1.3.6.1.2.1.1.3.0")).fixed);
    EXPECT_EQ(Put(O("1.3.6.1.4.1.99999.4.1.0"), Int(8)), Ok)
        << "objects only the overlay knows are writable with their type";
    std::istringstream bad("1.3.6.1.2.1.1.5.0|4|ok\n1.3.6.1.2.1.1.6.0|99|x\n");
    EXPECT_FALSE(LoadSnmprec(model, bad, error));
    EXPECT_NE(error.find("line 2"), std::string::npos);
}

TEST_F(SimModel, TransfersFailWithoutAServerOrAFile) {
    const auto outcome = [&] { return TransferOutcome(*m_model, TransferKind::Firmware, false); };
    ASSERT_EQ(Put(P("3.1.0"), Value::Ip(192, 0, 2, 9)), Ok);
    EXPECT_EQ(outcome(), TransferResult::Fails) << "no file";
    ASSERT_EQ(Sets({{P("3.1.0"), Value::Ip(0, 0, 0, 0)}, {P("3.2.0"), Str("image.bin")}}), Ok);
    EXPECT_EQ(outcome(), TransferResult::Fails) << "no server";
    ASSERT_EQ(Put(P("3.1.0"), Value::Ip(192, 0, 2, 9)), Ok);
    EXPECT_EQ(outcome(), TransferResult::Succeeds);
}

TEST(SimTraffic, CountersFollowTheRateTheLinkAndRestarts) {
    int port = 0;
    FixedTraffic fixed;
    ASSERT_TRUE(ParseFixedTraffic("3:250000000:5", port, fixed));
    EXPECT_EQ(port, 3);
    EXPECT_EQ(fixed.bitsPerSecond, 250000000u);
    EXPECT_EQ(fixed.errorsPerSecond, 5u);
    for (const char* bad : {"3", "0:100", "3:x", "3:100:", "3:100:-1", ":100"}) {
        EXPECT_FALSE(ParseFixedTraffic(bad, port, fixed)) << bad;
    }

    TrafficSettings settings;
    settings.fixed[3] = {8000, 2};
    settings.nearWrap = true;
    TrafficCounters counters(settings);
    const uint64_t start = (uint64_t{1} << 32) - 40'000'000;
    EXPECT_EQ(counters.Read(3, true, 1000000000, 1000).inOctets, start + 10000);  // 10 s
    EXPECT_EQ(counters.Read(3, false, 1000000000, 2000).inOctets, start + 10000); // link down
    const PortCounters up = counters.Read(3, true, 1000000000, 2500);
    EXPECT_EQ(up.inOctets, start + 15000);
    EXPECT_EQ(up.outOctets, start + 15000);
    EXPECT_EQ(up.inErrors, 30u);
    EXPECT_EQ(counters.Read(3, true, 1000000000, 100).inOctets, start + 1000); // restarted

    // Without a rate of its own a port carries a share of its speed, more or less of it over
    // time when animated, but never a negative rate.
    settings.animated = true;
    TrafficCounters animated(settings);
    uint64_t last = 0;
    for (uint32_t ticks = 0; ticks <= 24000; ticks += 500) {
        const uint64_t octets = animated.Read(7, true, 100000000, ticks).inOctets;
        EXPECT_GE(octets, last);
        last = octets;
    }
    EXPECT_GT(animated.RateAt(7, 100000000, 0), 0);
    EXPECT_NE(animated.RateAt(7, 100000000, 10), animated.RateAt(7, 100000000, 40));
}

TEST_F(SimModel, ActiveTimeRangesAndProfilesRunForwardOnRealDates) {
    // date flag, from y m d, start h m, to y m d, end h m
    const std::pair<std::array<int, 11>, bool> cases[] = {
        {{2, 2012, 1, 1, 22, 0, 2011, 1, 1, 6, 0}, true}, // dates not used
        {{1, 2012, 2, 29, 8, 0, 2012, 3, 1, 9, 0}, true},
        {{1, 2011, 2, 29, 8, 0, 2012, 3, 1, 9, 0}, false}, // no 29 February in 2011
        {{1, 2012, 4, 31, 8, 0, 2012, 5, 1, 9, 0}, false},
        {{1, 2012, 5, 2, 8, 0, 2012, 5, 1, 9, 0}, false},
        {{2, 2012, 1, 1, 8, 30, 2012, 1, 1, 8, 30}, false}};
    for (const std::string table : {"23.1.1", "32.1.1"}) { // PoE time ranges, time profiles
        for (const auto& [values, valid] : cases) {
            Use("KSX-7700-28P");
            std::vector<Binding> row = {{P(table) + 2u + 3u, Str("T")}};
            for (uint32_t column = 3; column <= 13; ++column) {
                row.push_back({P(table) + column + 3u, Int(values[column - 3])});
            }
            row.push_back({P(table) + 21u + 3u, Int(table == "23.1.1" ? 4 : 1)});
            EXPECT_EQ(Sets(row), valid ? Ok : InconsistentValue) << table << " " << values[1];
        }
    }
}
