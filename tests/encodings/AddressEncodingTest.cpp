// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/AddressEncoding.h"

#include "EncodingTesting.h"

TEST(FormatMac, WritesSixUpperCasePairsOrNothingForAShortValue) {
    const auto mac = Bytes({0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xfe});
    EXPECT_EQ(FormatMacColon(mac), "00:1A:2B:3C:4D:FE");
    EXPECT_EQ(FormatMacDash(mac), "00-1A-2B-3C-4D-FE");
    EXPECT_EQ(FormatMacColon(mac + Bytes({0x99})), "00:1A:2B:3C:4D:FE");
    EXPECT_EQ(FormatMacColon(Bytes({1, 2, 3, 4, 5})), "");
    EXPECT_EQ(FormatMacDash(""), "");
}

TEST(ParseMacHex, ReadsSixPairsOtherOrMissingCharactersCountAsZero) {
    EXPECT_EQ(ParseMacHex("001a2B3c4D5e"), Bytes({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}));
    EXPECT_EQ(ParseMacHex("ffFFffFFffFF99"), Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ParseMacHex("1g-:\xC3\xA9zz1122"), Bytes({0x10, 0x00, 0x00, 0x00, 0x11, 0x22}));
    EXPECT_EQ(ParseMacHex("12"), Bytes({0x12, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ParseMacHex(""), Bytes({0, 0, 0, 0, 0, 0}));
}

TEST(DecimalOidToMac, WritesEachArcAsAPairAndRefusesArcsThatAreNotOctets) {
    EXPECT_EQ(DecimalOidToMac("0.17.34.51.68.255"), "00-11-22-33-44-FF");
    EXPECT_EQ(DecimalOidToMac(".0.17.34.51.68.85"), "00-11-22-33-44-55");
    EXPECT_EQ(DecimalOidToMac("1.2.3.4.5.6.7.8"), "01-02-03-04-05-06");
    EXPECT_EQ(DecimalOidToMac("10.11"), "0A-0B");
    for (const char* text : {"", ".", "256.1.2.3.4.5", "1..2.3.4.5", "a.b.c.d.e.f", "1.2.3.4.5.-6",
                             "1.2.3.4.5.99999999999999999999", "1.\xC3\xA9"}) {
        EXPECT_EQ(DecimalOidToMac(text), "") << text;
    }
}

TEST(MacToOidIndex, GivesOneDecimalArcPerByteAndRefusesWhatIsNotHexPairs) {
    EXPECT_EQ(MacToOidIndex("00-11-22-33-44-55"), ".0.17.34.51.68.85");
    EXPECT_EQ(MacToOidIndex("fF-Ff-00-0a-A0-01"), ".255.255.0.10.160.1");
    EXPECT_EQ(MacToOidIndex("001122334455"), ".0.17.34.51.68.85");
    for (const char* text : {"", "0-11", "00-11-22-33-44-5", "00:11:22:33:44:55",
                             "00-11-2g-33-44-55", "\xC3\xA9-00-11-22-33-44"}) {
        EXPECT_EQ(MacToOidIndex(text), "") << text;
    }
}

TEST(StringToOidIndex, PutsTheLengthBeforeTheBytesUpToAZeroByteOrTheMaximum) {
    EXPECT_EQ(StringToOidIndex("ab"), ".2.97.98");
    EXPECT_EQ(StringToOidIndex("abc"), ".3.97.98.99");
    EXPECT_EQ(StringToOidIndex(""), ".0");
    EXPECT_EQ(StringToOidIndex("\xC3\xA9"), ".2.195.169") << "bytes above 127 are unsigned";
    EXPECT_EQ(StringToOidIndex(std::string("ab\0cd", 5)), ".2.97.98");
    EXPECT_EQ(StringToOidIndex("abcdef", 2), ".2.97.98");
    EXPECT_EQ(StringToOidIndex("abcdef", 0), ".0");
}
