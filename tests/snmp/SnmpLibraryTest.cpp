// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/Snmp.h"

#include <gtest/gtest.h>

TEST(SnmpOidText, ParsesDottedDecimalAndRefusesTheRest) {
    EXPECT_EQ(ParseOid("1.3.6.1.2.1"), (std::vector<uint32_t>{1, 3, 6, 1, 2, 1}));
    EXPECT_EQ(ParseOid(".1.3.6"), (std::vector<uint32_t>{1, 3, 6}));
    EXPECT_EQ(ParseOid("1.3.4294967295"), (std::vector<uint32_t>{1, 3, 4294967295u}));
    for (const char* bad :
         {"", ".", "1", "1..3", "1.3.", "1.3.x", "1.3.-1", "1.3.4294967296", " 1.3.6", "1.3.6 "}) {
        EXPECT_TRUE(ParseOid(bad).empty()) << bad;
    }
    EXPECT_EQ(ParseOid("1.3"), (std::vector<uint32_t>{1, 3})) << "two arcs at least";
    std::string longest = "1";
    for (int i = 1; i < 128; ++i) {
        longest += ".1";
    }
    EXPECT_EQ(ParseOid(longest).size(), 128u) << "128 arcs at most";
    EXPECT_TRUE(ParseOid(longest + ".1").empty());
    EXPECT_EQ(OidToText({1, 3, 6, 1}), "1.3.6.1");
}

TEST(SnmpMessage, KeepsBindingsAndTheirTypes) {
    SnmpInit();
    CSnmpV1 message(0);
    message.setType(kPduSet);
    EXPECT_EQ(message.addValue("1.3.6.1.4.1.99999.1.0", kSnmpInteger, "-5"), 0);
    const char ports[] = {'\x80', '\0', '\x01'};
    EXPECT_EQ(message.addValue("1.3.6.1.4.1.99999.2.0", kSnmpOctetString, ports, 3), 0);
    EXPECT_EQ(message.addValue("1.3.6.1.4.1.99999.3.0", kSnmpIpAddress, "10.0.0.5"), 0);
    EXPECT_EQ(message.addValue("1.3.6.1.4.1.99999.4.0", kSnmpUnsigned, "4094"), 0);
    EXPECT_NE(message.addValue("1.3.6.1.4.1.99999.5.0", 99, "1"), 0);
    EXPECT_NE(message.addValue("1.3.6.1.4.1.99999.5.0", kSnmpInteger, "2147483648"), 0);
    ASSERT_EQ(message.getValuesCount(), 4);
    int type = 0;
    std::string bytes;
    unsigned length = 0;
    ASSERT_EQ(message.getValue(1, type, bytes, length), 0);
    EXPECT_EQ(std::tie(type, length, bytes),
              std::tuple(kSnmpOctetString, 3u, std::string(ports, 3)));
    EXPECT_EQ(std::pair(message.getValue(4, type, bytes), message.getValue(-1, type, bytes)),
              std::pair(-1, -1));
    message.clearVarBindList();
    EXPECT_EQ(message.getValuesCount(), 0);
}

TEST(SnmpMessage, SendWithoutAddressOrBindingsFails) {
    CSnmpV1 message(0);
    std::unique_ptr<CSnmp> response;
    EXPECT_NE(message.send("127.0.0.1", response, 100), 0);
    message.addValue("1.3.6.1.2.1.1.1.0", kSnmpNull, "");
    EXPECT_NE(message.send("", response, 100), 0);
    EXPECT_EQ(response, nullptr);
}

TEST(SnmpMessage, CancelledMessageReturnsAtOnceUntilReset) {
    CSnmpV1 message(0);
    message.setPort(9); // discard: nobody answers
    message.addValue("1.3.6.1.2.1.1.1.0", kSnmpNull, "");
    message.cancel();
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(message.send("127.0.0.1", response, 5000), kSnmpCancelled);
    message.resetCancel();
    EXPECT_EQ(message.send("127.0.0.1", response, 100), kSnmpTimeout);
}
