// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The simulated switch's checks of an active time range or time profile.
#include "sim/model/Model.h"

#include <gtest/gtest.h>

#include <array>

using namespace ksxsim;

namespace {

std::optional<ErrorStatus> Activate(const std::string& table, std::array<int, 11> values) {
    SwitchModel model(*ProfileFor("KSX-7700-28P"));
    const Oid entry = SwitchModel::PrivateBase() + O(table);
    std::vector<Binding> bindings = {{entry + 2u + 3u, Value::Str("T")}};
    for (uint32_t column = 3; column <= 13; ++column) {
        bindings.push_back({entry + column + 3u, Value::Int(values[column - 3])});
    }
    bindings.push_back({entry + 21u + 3u, Value::Int(table == "23.1.1" ? 4 : 1)});
    Transaction tx(model, bindings);
    if (auto failure = tx.CheckEach()) {
        return failure->status;
    }
    if (auto failure = tx.Prepare()) {
        return failure->status;
    }
    return std::nullopt;
}

TEST(TimeEntryRule, ActiveEntriesRunForwardOnRealDates) {
    // date flag, from y m d, start h m, to y m d, end h m
    const std::vector<std::pair<std::array<int, 11>, bool>> cases = {
        {{2, 2012, 1, 1, 22, 0, 2011, 1, 1, 6, 0}, true}, // dates not used
        {{1, 2012, 2, 29, 8, 0, 2012, 3, 1, 9, 0}, true},
        {{1, 2011, 2, 29, 8, 0, 2012, 3, 1, 9, 0}, false}, // no 29 February in 2011
        {{1, 2012, 4, 31, 8, 0, 2012, 5, 1, 9, 0}, false},
        {{1, 2012, 5, 2, 8, 0, 2012, 5, 1, 9, 0}, false},
        {{2, 2012, 1, 1, 8, 30, 2012, 1, 1, 8, 30}, false},
    };
    for (const char* table : {"23.1.1", "32.1.1"}) {
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const auto status = Activate(table, cases[i].first);
            EXPECT_EQ(!status.has_value(), cases[i].second) << table << " case " << i;
            if (status) {
                EXPECT_EQ(*status, ErrorStatus::InconsistentValue);
            }
        }
    }
}

} // namespace
