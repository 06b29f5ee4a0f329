// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The kit's plain pieces: checks in order, numbers read from an agent, names converted for
// the switch within their limits. Value tables and their combos are checked by the dialogs
// that show them.
#include "features/common/ApplyCheck.h"
#include "features/common/SnmpRequests.h"
#include "snmp/TextConversion.h"

#include <gtest/gtest.h>

namespace {

TEST(KitRules, ChecksStopAtTheFirstRefusalAndLaterOnesDoNotRun) {
    int laterRuns = 0;
    CheckChain checks;
    checks.Require(true, "first")
        .Require(false, "second", platform::MessageKind::Information)
        .Require(
            [&] {
                ++laterRuns;
                return false;
            },
            "third");
    EXPECT_EQ(checks.FirstRefusal(), (Refusal{"second", platform::MessageKind::Information}));
    EXPECT_EQ(laterRuns, 0);
}

TEST(KitRules, OnlyDecimalNumbersAreNumbers) {
    using Case = std::pair<const char*, std::optional<long>>;
    for (const auto& [text, number] :
         {Case{"42", 42}, Case{"-7", -7}, Case{"0", 0}, Case{"", std::nullopt},
          Case{"-", std::nullopt}, Case{"4x", std::nullopt}, Case{" 4", std::nullopt},
          Case{"9999999999999999999", std::nullopt},
          Case{"-999999999999999999", -999999999999999999L}, Case{"\x01\x02", std::nullopt}}) {
        EXPECT_EQ(IntegerOf(text), number) << text;
    }
}

TEST(KitRules, NamesAreCutBetweenCharactersWithinTheirLimits) {
    const QString mixed = QString("a\u00e9\u4e2d") + QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(TextToUtf8(mixed), "a\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80");
    EXPECT_EQ(TextToUtf8(mixed, 256, 5), "a\xc3\xa9"); // 3 bytes of the next one do not fit
    EXPECT_EQ(TextToUtf8(mixed, 256, 6), "a\xc3\xa9\xe4\xb8\xad");
    EXPECT_EQ(TextToUtf8(mixed, 3), "a\xc3\xa9\xe4\xb8\xad");
    EXPECT_EQ(TextToUtf8(QString(300, QLatin1Char('x'))).size(), 256u);
    EXPECT_EQ(Utf8ToText(TextToUtf8(mixed)), mixed);
    EXPECT_TRUE(Utf8ToText("").isEmpty());
    EXPECT_FALSE(Utf8ToText("\xff\xfe").isEmpty()); // malformed bytes still show something
}

} // namespace
