// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/InputChecks.h"

#include "EncodingTesting.h"

namespace {

const std::string kMacFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
const std::string kIpFormat = "Please enter correct IP format(ex:192.168.0.10)";

} // namespace

TEST(MacRefusal, AcceptsAUnicastAddressAndRefusesTheRestWithTheReason) {
    EXPECT_EQ(MacRefusal("00-11-22-33-44-55", false), std::nullopt);
    EXPECT_EQ(MacRefusal("0a-bC-De-f0-00-01", false), std::nullopt);
    EXPECT_EQ(MacRefusal("02-00-00-00-00-00", false), std::nullopt);
    const std::string overLong(4096, 'a');
    for (const std::string& text :
         std::vector<std::string>{"", "00-11-22-33-44-5", "00-11-22-33-44-555", "00:11:22:33:44:55",
                                  "0011-22-33-44-5566", "00-11-22-33-44-55-", "-00-11-22-33-44-5",
                                  "00-1--22-33-44-55", "00-11-22-33-44-5G", "00-11-22-33-44- 5",
                                  "00-11-22-33-4\xC3\xA9-55", "00-00-00-00-00-00", overLong}) {
        EXPECT_EQ(MacRefusal(text, true), kMacFormat) << text;
    }
    for (const char* text : {"FF-FF-FF-FF-FF-FF", "ff-ff-ff-ff-ff-ff", "fF-Ff-FF-ff-fF-Ff"}) {
        EXPECT_EQ(MacRefusal(text, true), "Broadcast MAC is not allowed.") << text;
    }
    // multicast only where allowed
    for (const char* text : {"01-00-5E-00-00-01", "33-33-00-00-00-01", "0F-00-00-00-00-01"}) {
        EXPECT_EQ(MacRefusal(text, false), "Multicast MAC is not allowed.") << text;
        EXPECT_EQ(MacRefusal(text, true), std::nullopt) << text;
    }
}

TEST(IpToNumber, PutsTheFirstPartHighestAndRefusesWhatIsNotFourOctets) {
    EXPECT_EQ(IpToNumber("192.168.0.10"), 0xC0A8000Au);
    EXPECT_EQ(IpToNumber("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(IpToNumber("0.0.0.0"), 0u);
    const std::string overLong(1000, '1');
    for (const std::string& text : std::vector<std::string>{
             "", "10.1.2", "10.1.2.3.4", "10.1.2.256", "10.1.2.-3", " 10.1.2.3", "10.1..3",
             "a.b.c.d", "10.1.2.3\xC3\xA9", "4294967296.0.0.1", "10.1.2." + overLong}) {
        EXPECT_FALSE(IpToNumber(text)) << text;
    }
}

TEST(CheckHostIp, AcceptsOnlyUsableHostsOfClassesAToC) {
    for (const char* text : {"10.1.2.3", "1.0.0.1", "126.255.255.254", "172.16.0.1",
                             "191.255.255.254", "192.168.0.10", "223.255.254.254"}) {
        EXPECT_TRUE(CheckHostIp(text)) << text;
    }
    for (const char* text : {"127.0.0.1", "10.255.255.255", "224.0.0.1", "240.0.0.1", "0.0.0.0",
                             "0.1.2.3", "255.1.2.3", "10.1.2.0", "10.1.2.255", "172.16.0.0",
                             "192.168.0.255", "10.1.2.256", "10.1.2", "", "host"}) {
        EXPECT_FALSE(CheckHostIp(text)) << text;
    }
}

TEST(SameSubnet, ComparesTheMaskedAddresses) {
    EXPECT_TRUE(SameSubnet("192.168.0.10", "255.255.255.0", "192.168.0.200"));
    EXPECT_FALSE(SameSubnet("192.168.0.10", "255.255.255.0", "192.168.1.10"));
    EXPECT_TRUE(SameSubnet("10.1.2.3", "0.0.0.0", "192.168.1.10"));
    EXPECT_FALSE(SameSubnet("192.168.0.10", "255.255.255.0", "192.168.0.300"));
    EXPECT_FALSE(SameSubnet("192.168.0.10", "", "192.168.0.10"));
}

TEST(CheckAddressEntry, AcceptsHostsAndRefusesTheAddressFirstThenTheMacWithItsOwnWording) {
    // An incomplete address, or fields beyond an octet, send the focus back.
    for (const auto& [ip, filled] :
         {std::pair{std::array{192, 168, 0, 1}, 0}, std::pair{std::array{192, 168, 0, 1}, 3},
          std::pair{std::array{100, 300, 0, 1}, 4}, std::pair{std::array{10, -1, 0, 1}, 4}}) {
        const auto result = CheckAddressEntry(ip, filled, "00-11-22-33-44-55");
        EXPECT_FALSE(result);
        EXPECT_EQ(result.focus, EntryFocus::IpAddress);
        EXPECT_EQ(result.message, kIpFormat);
    }
    const struct {
        std::array<int, 4> ip;
        const char* mac;
        std::string message;
    } cases[] = {{{192, 168, 0, 1}, "00-11-22-33-44-55", ""},
                 {{1, 0, 0, 1}, "00-11-22-33-44-55", ""},
                 {{126, 255, 255, 254}, "00-11-22-33-44-55", ""},
                 {{128, 1, 0, 1}, "00-11-22-33-44-55", ""},
                 {{191, 254, 255, 254}, "00-11-22-33-44-55", ""},
                 {{192, 0, 1, 1}, "00-11-22-33-44-55", ""},
                 {{223, 255, 254, 254}, "00-11-22-33-44-55", ""},
                 // addresses no host may use; the address is checked before the MAC, bad here too
                 {{0, 0, 0, 0}, "", "Invalid IP."},
                 {{0, 1, 2, 3}, "", "Invalid  IP."},
                 {{255, 1, 2, 3}, "", "Invalid  IP."},
                 {{10, 1, 2, 0}, "", "Invalid IP."},
                 {{10, 1, 2, 255}, "", "Invalid IP."},
                 {{127, 0, 0, 1}, "", "Multicast IP is not allowed"},
                 {{128, 0, 255, 1}, "", "Multicast IP is not allowed"},
                 {{191, 255, 0, 1}, "", "Multicast IP is not allowed"},
                 {{192, 0, 0, 1}, "", "Multicast IP is not allowed"},
                 {{223, 255, 255, 1}, "", "Multicast IP is not allowed"},
                 {{224, 0, 0, 1}, "", "Multicast IP is not allowed"},
                 {{192, 168, 0, 1}, "00-11-22-33-44", kMacFormat},
                 {{192, 168, 0, 1}, "00-00-00-00-00-00", kMacFormat},
                 {{192, 168, 0, 1}, "00-11-22-33-44-5z", kMacFormat},
                 {{192, 168, 0, 1}, "ff-FF-ff-FF-ff-FF", "Broadcast MAC is not allowed."},
                 {{192, 168, 0, 1}, "01-00-5E-00-00-01", "Multicast MAC address is not allowed."}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(std::to_string(entry.ip[0]) + "." + std::to_string(entry.ip[3]) + " " +
                     entry.mac);
        const auto result = CheckAddressEntry(entry.ip, 4, entry.mac);
        EXPECT_EQ(static_cast<bool>(result), entry.message.empty());
        EXPECT_EQ(result.message, entry.message);
        const bool aboutMac = entry.message.find("MAC") != std::string::npos;
        EXPECT_EQ(result.focus, entry.message.empty() ? EntryFocus::None
                                : aboutMac            ? EntryFocus::Mac
                                                      : EntryFocus::IpAddress);
    }
}

TEST(CheckName, RefusesEachOfTheForbiddenCharacters) {
    for (char c : std::string("~`!@#$%^&*{}[]|\\:;\"'<>,.?/")) {
        EXPECT_FALSE(CheckName(std::string("Vlan") + c + "10")) << c;
    }
    EXPECT_TRUE(CheckName("Vlan 10-a_(b)+=C"));
    EXPECT_TRUE(CheckName(""));
    EXPECT_TRUE(CheckName("B\xC3\xBCro"));
    // the form without letters takes digits and separators only
    for (char c : std::string("~`!@#$%^&*{}[]|\\:;\"'<>.?/")) {
        EXPECT_FALSE(CheckNameNoLetters(std::string("1") + c + "2")) << c;
    }
    for (const char* text : {"12a", "Z", "1-2,b"}) {
        EXPECT_FALSE(CheckNameNoLetters(text)) << text;
    }
    EXPECT_TRUE(CheckNameNoLetters("1,2 3-4_(5)+=6"));
    EXPECT_TRUE(CheckNameNoLetters(""));
}
