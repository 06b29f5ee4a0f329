// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

const SessionParametersData kDefaults;

void ExpectCommunityDefaults(const SessionParametersData& p) {
    EXPECT_EQ(p.ReadCommunity, kDefaults.ReadCommunity);
    EXPECT_EQ(p.WriteCommunity, kDefaults.WriteCommunity);
    EXPECT_FALSE(p.VlanEditAllowed);
    EXPECT_EQ(p.SnmpVersion, kDefaults.SnmpVersion);
    EXPECT_EQ(p.SnmpPort, kDefaults.SnmpPort);
}

void ExpectUserSecurityDefaults(const SessionParametersData& p) {
    EXPECT_EQ(p.Field10, kDefaults.Field10);
    EXPECT_EQ(p.SecurityLevel, kDefaults.SecurityLevel);
    EXPECT_EQ(p.UserName, kDefaults.UserName);
    EXPECT_EQ(p.AuthPassword, kDefaults.AuthPassword);
    EXPECT_EQ(p.PrivPassword, kDefaults.PrivPassword);
    EXPECT_EQ(p.AuthProtocol, kDefaults.AuthProtocol);
    EXPECT_EQ(p.PrivProtocol, kDefaults.PrivProtocol);
}

std::vector<std::string> AllValues(const SessionParametersData& p) {
    return {p.FirstField,   p.DeviceAddress, p.ReadCommunity, p.WriteCommunity, p.SnmpVersion,
            p.SnmpPort,     p.Field10,       p.SecurityLevel, p.UserName,       p.AuthPassword,
            p.PrivPassword, p.AuthProtocol,  p.PrivProtocol,  p.RequestTimeout};
}

TEST(CommandLineTest, DefaultsAreTheDocumentedOnes) {
    EXPECT_EQ(kDefaults.FirstField, "");
    EXPECT_EQ(kDefaults.DeviceAddress, "");
    EXPECT_EQ(kDefaults.ReadCommunity, "guests");
    EXPECT_EQ(kDefaults.WriteCommunity, "keepers");
    EXPECT_FALSE(kDefaults.VlanEditAllowed);
    EXPECT_EQ(kDefaults.SnmpVersion, "1");
    EXPECT_EQ(kDefaults.SnmpPort, "161");
    EXPECT_EQ(kDefaults.Field10, "1");
    EXPECT_EQ(kDefaults.SecurityLevel, "1");
    EXPECT_EQ(kDefaults.AuthProtocol, "1");
    EXPECT_EQ(kDefaults.PrivProtocol, "1");
    EXPECT_EQ(kDefaults.RequestTimeout, "3000");
}

TEST(CommandLineTest, AddressOnlyKeepsEveryOtherDefault) {
    const auto p = ParseCommandLine("/Nx /I10.0.0.5");
    EXPECT_EQ(p.FirstField, "x");
    EXPECT_EQ(p.DeviceAddress, "10.0.0.5");
    ExpectCommunityDefaults(p);
    ExpectUserSecurityDefaults(p);
}

TEST(CommandLineTest, FullVersionOneLine) {
    const auto p = ParseCommandLine("/Nname /I10.0.0.5 /Rreadcomm /Wwritecomm /ETRUE /V1 /P161");
    EXPECT_EQ(p.FirstField, "name");
    EXPECT_EQ(p.DeviceAddress, "10.0.0.5");
    EXPECT_EQ(p.ReadCommunity, "readcomm");
    EXPECT_EQ(p.WriteCommunity, "writecomm");
    EXPECT_TRUE(p.VlanEditAllowed);
    EXPECT_EQ(p.SnmpVersion, "1");
    EXPECT_EQ(p.SnmpPort, "161");
}

TEST(CommandLineTest, KeyCharactersAreNotInterpreted) {
    const auto p = ParseCommandLine("/aone /Itwo /ZZthree /Ifour");
    EXPECT_EQ(p.FirstField, "one");
    EXPECT_EQ(p.DeviceAddress, "two");
    EXPECT_EQ(p.ReadCommunity, "Zthree"); // only one key character per field
    EXPECT_EQ(p.WriteCommunity, "four");
}

TEST(CommandLineTest, BlanksAreDroppedEverywhere) {
    const auto p = ParseCommandLine("/N  a b  /I 10.0 .0.5 /R ab cd /W  /E T R U E ");
    EXPECT_EQ(p.FirstField, "ab");
    EXPECT_EQ(p.DeviceAddress, "10.0.0.5");
    EXPECT_EQ(p.ReadCommunity, "abcd");
    EXPECT_EQ(p.WriteCommunity, "keepers"); // blanks only: empty
    EXPECT_TRUE(p.VlanEditAllowed);
}

TEST(CommandLineTest, OnlyUpperOrLowerTrueAllowsVlanEditing) {
    for (const char* text : {"TRUE", "true"}) {
        EXPECT_TRUE(ParseCommandLine(std::string("/N /I1.2.3.4 /R /W /E") + text).VlanEditAllowed)
            << text;
    }
    for (const char* text : {"True", "tRUE", "1", "yes", "TRUE1", ""}) {
        EXPECT_FALSE(ParseCommandLine(std::string("/N /I1.2.3.4 /R /W /E") + text).VlanEditAllowed)
            << text;
    }
}

TEST(CommandLineTest, ASlashAlwaysStartsTheNextField) {
    const auto p = ParseCommandLine("/Nx /I10.0.0.5 /Ra/b /Ww");
    EXPECT_EQ(p.ReadCommunity, "a");
    EXPECT_EQ(p.WriteCommunity, "keepers"); // field 4 is "/b" with an empty value
    EXPECT_FALSE(p.VlanEditAllowed);        // field 5 is "/Ww"
    EXPECT_EQ(p.SnmpVersion, "1");
}

TEST(CommandLineTest, WithoutSlashIOnlyTheFirstFieldIsRead) {
    const auto p = ParseCommandLine("/Nx /A10.0.0.5 /Rr /Ww /ETRUE /V3 /P1");
    EXPECT_EQ(p.FirstField, "x");
    EXPECT_EQ(p.DeviceAddress, "");
    ExpectCommunityDefaults(p);
    // "/i" does not count either.
    EXPECT_EQ(ParseCommandLine("/Nx /i10.0.0.5 /Rr").DeviceAddress, "");
}

TEST(CommandLineTest, SlashIAnywhereEnablesTheSecondField) {
    // The text is searched as a whole: here "/I" is inside the third field.
    const auto p = ParseCommandLine("/Nx /A10.0.0.5 /R/Ix");
    EXPECT_EQ(p.DeviceAddress, "10.0.0.5");
    EXPECT_EQ(p.WriteCommunity, "x");
}

TEST(CommandLineTest, EmptyAddressStopsAfterTheSecondField) {
    const auto p = ParseCommandLine("/Nx /I /Rr /Ww /ETRUE /V3 /P1 /A /B /C7 /L3 /Uu");
    EXPECT_EQ(p.FirstField, "x");
    EXPECT_EQ(p.DeviceAddress, "");
    ExpectCommunityDefaults(p);
    ExpectUserSecurityDefaults(p);
}

TEST(CommandLineTest, EmptyFieldsKeepTheirDefaults) {
    const auto p = ParseCommandLine("/N /I10.0.0.5 /R /W /E /V /P");
    EXPECT_EQ(p.FirstField, "");
    ExpectCommunityDefaults(p);
    const auto v3 = ParseCommandLine("/N /I10.0.0.5 /R /W /E /V3 /P /A /B /C /L /U /X /Y /M /D");
    EXPECT_EQ(v3.SnmpVersion, "3");
    ExpectUserSecurityDefaults(v3);
}

TEST(CommandLineTest, VersionOneIgnoresTheSnmpV3Fields) {
    const auto p = ParseCommandLine(
        "/Nn /I10.0.0.5 /Rr /Ww /Efalse /V1 /P1161 /Aeight /Bnine /Cten /L3 /Uuser /Xauth "
        "/Ypriv /M2 /D2");
    EXPECT_EQ(p.SnmpPort, "1161");
    ExpectUserSecurityDefaults(p);
}

TEST(CommandLineTest, EmptyVersionIsVersionOneAndStopsToo) {
    const auto p = ParseCommandLine("/Nn /I10.0.0.5 /Rr /Ww /E /V /P /A /B /Cten /L3 /Uuser");
    EXPECT_EQ(p.SnmpVersion, "1");
    ExpectUserSecurityDefaults(p);
}

TEST(CommandLineTest, VersionThreeSkipsFieldsEightAndNineAndReadsTenToSixteen) {
    const auto p = ParseCommandLine(
        "/Nn /I10.0.0.5 /Rr /Ww /Etrue /V3 /P1161 /Aeight /Bnine /Cten /L3 /Uuser /Xauth pass "
        "/Ypriv /M2 /D2 /Zseventeen /Zeighteen");
    EXPECT_EQ(p.SnmpVersion, "3");
    EXPECT_EQ(p.SnmpPort, "1161");
    EXPECT_EQ(p.Field10, "ten");
    EXPECT_EQ(p.SecurityLevel, "3");
    EXPECT_EQ(p.UserName, "user");
    EXPECT_EQ(p.AuthPassword, "authpass");
    EXPECT_EQ(p.PrivPassword, "priv");
    EXPECT_EQ(p.AuthProtocol, "2");
    EXPECT_EQ(p.PrivProtocol, "2");
    for (const std::string& value : AllValues(p)) {
        EXPECT_EQ(value.find("eight"), std::string::npos) << value;
        EXPECT_EQ(value.find("nine"), std::string::npos) << value;
        EXPECT_EQ(value.find("seventeen"), std::string::npos) << value;
    }
}

TEST(CommandLineTest, ShortLinesKeepTheDefaultsOfTheMissingFields) {
    const auto p = ParseCommandLine("/Nn /I10.0.0.5 /Rr");
    EXPECT_EQ(p.ReadCommunity, "r");
    EXPECT_EQ(p.WriteCommunity, "keepers");
    const auto v3 = ParseCommandLine("/Nn /I10.0.0.5 /Rr /Ww /E /V3 /P161 /A /B /Cten /L2");
    EXPECT_EQ(v3.Field10, "ten");
    EXPECT_EQ(v3.SecurityLevel, "2");
    EXPECT_EQ(v3.UserName, "");
    EXPECT_EQ(v3.AuthProtocol, "1");
}

TEST(CommandLineTest, OddLinesAreReadWithoutHarm) {
    struct Case {
        std::string line;
        std::string firstField;
        std::string address;
    };
    const std::vector<Case> cases = {
        {"", "", ""},
        {"/", "", ""},
        {"/I", "", ""},
        {"I", "", ""},
        {"//", "", ""},
        {"/I/", "", ""},
        {"/Nx /I", "x", ""},                  // "/I" at the very end
        {"/Nx /I10.0.0.5/", "x", "10.0.0.5"}, // trailing slash
        {"/Nx /I10.0.0.5 /", "x", "10.0.0.5"},
        {"/I10.0.0.5", "10.0.0.5", ""}, // the first field is always field 1
        {"/Nx/I1.2.3.4", "x", "1.2.3.4"},
        {"   ", "", ""},
        {std::string("/N\0x /I1\0.2", 11), std::string("\0x", 2), std::string("1\0.2", 4)},
    };
    for (const Case& c : cases) {
        const auto p = ParseCommandLine(c.line);
        EXPECT_EQ(p.FirstField, c.firstField) << '"' << c.line << '"';
        EXPECT_EQ(p.DeviceAddress, c.address) << '"' << c.line << '"';
    }
}

TEST(CommandLineTest, NonAsciiBytesArePassedThrough) {
    const auto p = ParseCommandLine("/N\xc3\xa4 /I10.0.0.5 /R\xff\xfe\x80 /W\x01\x7f");
    EXPECT_EQ(p.FirstField, "\xc3\xa4");
    EXPECT_EQ(p.ReadCommunity, "\xff\xfe\x80");
    EXPECT_EQ(p.WriteCommunity, "\x01\x7f");
}

TEST(CommandLineTest, AThousandFieldsStopAfterSixteen) {
    std::string line = "/Nn /I10.0.0.5 /Rr /Ww /Etrue /V3 /P161";
    for (int field = 8; field <= 1000; ++field) {
        line += " /K" + std::to_string(field);
    }
    const auto p = ParseCommandLine(line);
    EXPECT_EQ(p.Field10, "10");
    EXPECT_EQ(p.SecurityLevel, "11");
    EXPECT_EQ(p.PrivProtocol, "16");
}

// Random lines over the characters that matter: never a crash or an out-of-bounds read (the
// sanitizer builds watch this), and no value ever holds a slash or a blank.
TEST(CommandLineTest, RandomLinesNeverYieldSlashesOrBlanks) {
    const std::string alphabet = std::string("/I /3a\xff", 7) + '\0';
    std::mt19937 random(7700);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(0, 60);
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        for (int n = length(random); n > 0; --n) {
            line += alphabet[pick(random)];
        }
        for (const std::string& value : AllValues(ParseCommandLine(line))) {
            ASSERT_EQ(value.find_first_of("/ "), std::string::npos) << '"' << line << '"';
        }
    }
}

TEST(CommandLineTest, ArgumentsAreJoinedWithSingleBlanks) {
    const char* const none[] = {"ksx-module"};
    EXPECT_EQ(JoinCommandLine(1, none), "");
    // A shell splits "/R read comm" into three arguments; the blanks vanish anyway.
    const char* const args[] = {"ksx-module", "/Nn", "/I10.0.0.5", "/R", "read", "comm", "/W"};
    const std::string line = JoinCommandLine(7, args);
    EXPECT_EQ(line, "/Nn /I10.0.0.5 /R read comm /W");
    EXPECT_EQ(ParseCommandLine(line).ReadCommunity, "readcomm");
}

} // namespace
