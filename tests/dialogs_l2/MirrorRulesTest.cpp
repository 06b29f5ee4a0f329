// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The sniffer modes of port mirroring as read from the two lists, without a switch.
#include "features/l2/MirrorMib.h"

#include <gtest/gtest.h>

namespace {

TEST(MirrorRules, ModesFollowTheTwoLists) {
    using M = CMirrorMib;
    // RX 1,2 and TX 2,3 on eight ports; a short or garbled list only names what it holds.
    EXPECT_EQ(M::ModesOf("\xc0", "\x60", 8),
              (std::vector<int>{M::kRx, M::kBoth, M::kTx, M::kNone, M::kNone, M::kNone, M::kNone,
                                M::kNone}));
    EXPECT_EQ(M::ModesOf("", "", 3), (std::vector<int>{M::kNone, M::kNone, M::kNone}));
}

} // namespace
