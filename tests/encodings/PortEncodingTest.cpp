// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/PortEncoding.h"

#include "EncodingTesting.h"

namespace {

PortFlags FlagsWithPorts(int portCount, std::initializer_list<int> ports, std::int32_t value = 1) {
    PortFlags flags(static_cast<std::size_t>(portCount), 0);
    for (int port : ports) {
        flags[static_cast<std::size_t>(port - 1)] = value;
    }
    return flags;
}

// The listed text and, after "#", the count of ports.
std::string Listed(const PortNumberList& list) {
    return list.text + "#" + std::to_string(list.count);
}

} // namespace

TEST(PortBitsToList, ListsSetBitsWithinTheOctetsOfThePortCountAndTheString) {
    EXPECT_EQ(Listed(PortBitsToList(Bytes({0, 0, 0, 0}), 28)), "#0");
    EXPECT_EQ(Listed(PortBitsToList(Bytes({0x80, 0x01}), 28)), "1,16#2");
    // 28 ports use four octets: the fifth is ignored, the spare bits of the fourth are listed.
    EXPECT_EQ(PortBitsToList(Bytes({0, 0, 0, 0x0F, 0xFF}), 28).text, "29,30,31,32");
    // A PortList shorter than the model's is read as far as it goes.
    EXPECT_EQ(Listed(PortBitsToList(Bytes({0xFF}), 52)), "1,2,3,4,5,6,7,8#8");
    EXPECT_EQ(PortBitsToList("", 52).count, 0u);
    EXPECT_EQ(PortBitsToList(Bytes({0xFF}), 0).count, 0u);
    EXPECT_EQ(PortBitsToList(Bytes({0xFF}), -5).count, 0u);
    // The model's port count by default.
    const int saved = DeviceValues().DevicePortCount;
    DeviceValues().DevicePortCount = 8;
    EXPECT_EQ(PortBitsToList(Bytes({0x01, 0x80})).text, "8");
    DeviceValues().DevicePortCount = 16;
    EXPECT_EQ(PortBitsToList(Bytes({0x01, 0x80})).text, "8,9");
    DeviceValues().DevicePortCount = saved;
}

TEST(PortListToFlags, StoresTheValueAtEveryListedPortInRangeAndWithinTheFlags) {
    PortFlags flags(28, 9);
    PortListToFlags("1,3,28", flags, 4, 28);
    PortFlags expected(28, 9);
    expected[0] = expected[2] = expected[27] = 4;
    EXPECT_EQ(flags, expected);
    PortFlags untouched(28, 0);
    PortListToFlags("0,29,abc,,-1,99999999999999999999,5x,\xC3\xA9", untouched, 1, 28);
    PortListToFlags("", untouched, 1, 28);
    EXPECT_EQ(untouched, PortFlags(28, 0));
    PortFlags four(4, 0);
    PortListToFlags("4,5,28", four, 2, 28);
    EXPECT_EQ(four, PortFlags({0, 0, 0, 2}));
    // trunk members from a PortList
    PortFlags trunkPorts(28, 0);
    PortListToFlags(PortBitsToList(Bytes({0x00, 0xC0, 0x00, 0x00}), 28).text, trunkPorts, 3, 28);
    EXPECT_EQ(trunkPorts, FlagsWithPorts(28, {9, 10}, 3));
}

TEST(PortBitsToRanges, JoinsRunsOfNeighbouringPortsBetweenFromAndTo) {
    EXPECT_EQ(Listed(PortBitsToRanges(Bytes({0xF2, 0xC0}), 1, 28)), "1-4,7,9-10#7");
    EXPECT_EQ(PortBitsToRanges(Bytes({0xC8}), 1, 28).text, "1-2,5");
    EXPECT_EQ(PortBitsToRanges(Bytes({0, 0, 0, 0x10}), 1, 28).text, "28");
    EXPECT_EQ(PortBitsToRanges(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0}), 1, 52).text,
              "1-52");
    EXPECT_EQ(Listed(PortBitsToRanges(Bytes({0, 0}), 1, 28)), "#0");
    EXPECT_EQ(Listed(PortBitsToRanges(Bytes({0x38}), 4, 28)), "4-5#2");
    EXPECT_EQ(PortBitsToRanges(Bytes({0xFF}), 1, 3).text, "1-3");
    EXPECT_EQ(PortBitsToRanges(Bytes({0xFF}), 5, 3).count, 0u);
}

TEST(PortRangesToFlags, MarksEveryNamedPortAndABackwardRangeNone) {
    EXPECT_EQ(PortRangesToFlags("1-4,7,9-10", 28), FlagsWithPorts(28, {1, 2, 3, 4, 7, 9, 10}));
    EXPECT_EQ(PortRangesToFlags(" 1 - 3 ,\t5", 28), FlagsWithPorts(28, {1, 2, 3, 5}));
    EXPECT_EQ(PortRangesToFlags("28,1-1", 28), FlagsWithPorts(28, {1, 28}));
    EXPECT_EQ(PortRangesToFlags("5-3", 28), PortFlags(28, 0));
    EXPECT_TRUE(PortRangesToFlags("52", 52));
    EXPECT_EQ(PortRangesToFlags("2-3", 8), FlagsWithPorts(8, {2, 3}));
}

TEST(PortRangesToFlags, RefusesPortsOutsideTheModelAndTextThatIsNotARangeList) {
    const std::string overLong(100000, '1');
    for (const std::string& text : std::vector<std::string>{
             "0",  "29",   "27-30", "0-3",        "5-0",      "1,2,29", "",
             ",",  "1,,2", "1,2,",  "1-",         "-3",       "1-2-3",  "a",
             "1x", "1 2",  "+1",    "4294967297", "\xC3\xA9", "1-\xFF", overLong}) {
        EXPECT_FALSE(PortRangesToFlags(text, 28)) << text;
    }
    EXPECT_FALSE(PortRangesToFlags("1", 0));
}

TEST(PortFlagsToHex, WritesFourPortsPerDigitAnyNonZeroFlagIsAMember) {
    EXPECT_EQ(PortFlagsToHex(FlagsWithPorts(28, {1, 28}), 28), "8000001");
    EXPECT_EQ(PortFlagsToHex(FlagsWithPorts(28, {1, 2, 3, 4, 6, 8}), 28), "f500000");
    // A partial last group is filled with zero bits.
    EXPECT_EQ(PortFlagsToHex(FlagsWithPorts(10, {1, 10}), 10), "804");
    EXPECT_EQ(PortFlagsToHex({}, 0), "");
    // A VLAN id or a trunk group number must not spill into the neighbouring digit.
    EXPECT_EQ(PortFlagsToHex(FlagsWithPorts(8, {1, 4, 8}, 100), 8), "91");
    EXPECT_EQ(PortFlagsToHex(FlagsWithPorts(8, {2}, -1), 8), "40");
    // Flags of another length are read safely.
    EXPECT_EQ(PortFlagsToHex(PortFlags{1, 1}, 28), "c000000");
    EXPECT_EQ(PortFlagsToHex(PortFlags(40, 1), 8), "ff");
}

TEST(PadPortHex, CoversWholeGroupsOf32PortsOnKnownModels) {
    using Model = std::pair<int, std::size_t>; // ports, digits after padding
    for (const auto& [ports, digits] : {Model{8, 8}, Model{10, 8}, Model{16, 8}, Model{20, 8},
                                        Model{24, 8}, Model{28, 8}, Model{48, 16}, Model{52, 16}}) {
        const auto hex = PortFlagsToHex(PortFlags(static_cast<std::size_t>(ports), 1), ports);
        EXPECT_EQ(PadPortHex(hex, ports), hex + std::string(digits - hex.size(), '0')) << ports;
    }
    EXPECT_EQ(PadPortHex("abc", 12), "abc");
}

TEST(PortFlagsToPortList, BuildsTheOctetsToWrite) {
    EXPECT_EQ(PortFlagsToPortList(FlagsWithPorts(28, {1, 28}), 28), Bytes({0x80, 0, 0, 0x10}));
    EXPECT_EQ(PortFlagsToPortList(FlagsWithPorts(52, {52}), 52),
              Bytes({0, 0, 0, 0, 0, 0, 0x10, 0}));
    // Reading the octets back gives the same ports.
    EXPECT_EQ(PortBitsToList(PortFlagsToPortList(FlagsWithPorts(52, {1, 9, 51}), 52), 52).text,
              "1,9,51");
}

TEST(HexToBytes, ReadsPairsFromTheLeftAndRefusesWhatIsNotAHexDigit) {
    EXPECT_EQ(HexToBytes("abc"), Bytes({0xAB, 0xC0}));
    EXPECT_EQ(HexToBytes("aBcD"), Bytes({0xAB, 0xCD}));
    EXPECT_EQ(HexToBytes(""), "");
    EXPECT_EQ(HexToBytes("112233", 2), Bytes({0x11, 0x22}));
    EXPECT_EQ(HexToBytes("112233", 0), "");
    for (const char* text : {"1g", "12-34", " 12", "0x12", "\xC3\xA9", "12\xFF"}) {
        EXPECT_FALSE(HexToBytes(text)) << text;
    }
    EXPECT_FALSE(HexToBytes("1122zz", 1));
    // BytesToHex writes upper-case pairs; every byte goes there and back.
    EXPECT_EQ(BytesToHex(Bytes({0x00, 0xAB, 0x0F, 0xFF})), "00AB0FFF");
    EXPECT_EQ(BytesToHex(""), "");
    std::string everyByte;
    for (unsigned value = 0; value < 256; ++value) {
        everyByte += static_cast<char>(value);
    }
    EXPECT_EQ(HexToBytes(BytesToHex(everyByte)), everyByte);
}

TEST(HexToPortNumbers, ListsTheBitsOfEveryDigitSkippingOtherCharacters) {
    EXPECT_EQ(Listed(HexToPortNumbers("8001")), "1,16#2");
    EXPECT_EQ(HexToPortNumbers("F").text, "1,2,3,4");
    EXPECT_EQ(HexToPortNumbers("0a").text, "5,7");
    EXPECT_EQ(HexToPortNumbers("").count, 0u);
    EXPECT_EQ(HexToPortNumbers("0000").text, "");
    EXPECT_EQ(HexToPortNumbers("8-0:0 1").text, "1,16");
    EXPECT_EQ(HexToPortNumbers("\xC3\xA9"
                               "1")
                  .text,
              "4");
    const auto many = HexToPortNumbers(std::string(10000, 'f'));
    EXPECT_EQ(many.count, 40000u);
    EXPECT_TRUE(many.text.ends_with(",40000"));
}
