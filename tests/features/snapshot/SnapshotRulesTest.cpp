// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Snapshot files and their comparison, without a switch.
#include "features/snapshot/SettingsSnapshot.h"

#include <gtest/gtest.h>

namespace {

using namespace snapshot;

Snapshot Of(const std::string& model, std::vector<Setting> settings) {
    return {{model, "lab \"core\"", "10.0.0.5", "2026-12-07T18:00:00Z", "1.0.0"},
            std::move(settings)};
}

const Setting kVlan10{{"VLAN Configuration", "VLAN 10"}, "Name", "Büro \"A\" / 1\n"};
const Setting kPort5{{"Port Configuration", "Port 5"}, "Speed", "Auto"};
const Setting kPort30{{"Port Configuration", "Port 30"}, "Speed", "Auto"};
const Setting kSyslog{{"Syslog Configuration"}, "Server IP", "10.0.0.9"};

TEST(SnapshotFile, KeepsEverySettingAndTheHeaderOneLineEach) {
    const Snapshot written = Of("KSX-7700-28P", {kVlan10, kPort5, kSyslog});
    const std::string text = Text(written);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
    EXPECT_NE(text.find("never written: communities"), std::string::npos);
    const ReadResult read = ParseText(text, "a.ksx");
    ASSERT_TRUE(read.snapshot) << read.error;
    EXPECT_EQ(read.snapshot->settings, written.settings);
    EXPECT_EQ(read.snapshot->header.deviceName, "lab \"core\"");
    EXPECT_EQ(read.snapshot->header.model, "KSX-7700-28P");
}

TEST(SnapshotFile, ABadFileIsNamedWithWhatIsWrong) {
    const std::string good = Text(Of("KSX-7700-28", {kVlan10, kPort5}));
    const std::string header = good.substr(0, good.find('\n') + 1);
    std::string newer = good;
    newer.replace(newer.find(":1,"), 3, ":2,");
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"", "f: not a settings snapshot"},
        {"hostname core\n", "f: not a settings snapshot"},
        {newer, "f: format version 2, this module reads version 1 (made by a newer module)"},
        {Text(Of("XY-100", {})), "f: a snapshot of a \"XY-100\", not of a KSX-7700 switch"},
        {good.substr(0, good.rfind("{\"end\"")), "f: truncated (it ends after line 3)"},
        {good.substr(0, good.size() - 20), "f: damaged at line 3"},
        {header + "{\"end\":1}\n", "f: damaged (the count at line 2 does not match)"},
        {header + "{\"path\":\"x\",\"setting\":\"a\",\"value\":\"b\"}\n", "f: damaged at line 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const ReadResult read = ParseText(c.text, "f");
        EXPECT_FALSE(read.snapshot);
        EXPECT_EQ(read.error, c.error);
    }
    EXPECT_EQ(ReadFile("/nonexistent/s.ksx").error.rfind("/nonexistent/s.ksx: cannot be read (", 0),
              0u);
}

std::vector<std::string> Lines(const Snapshot& older, const Snapshot& newer) {
    std::vector<std::string> lines;
    for (const Difference& d : Compare(older, newer)) {
        lines.push_back(DifferenceLine(d, older.header, newer.header));
    }
    return lines;
}

TEST(SnapshotCompare, ListsChangedAddedAndRemovedSettingsInMenuOrder) {
    Setting office = kVlan10;
    office.value = "Office";
    const Setting vlan20{{"VLAN Configuration", "VLAN 20"}, "Name", "Lab"};
    const Snapshot before = Of("KSX-7700-52", {kVlan10, kPort5, kPort30, kSyslog});
    EXPECT_TRUE(Compare(before, before).empty());
    EXPECT_EQ(
        Lines(before, Of("KSX-7700-52", {office, vlan20, kPort5, kSyslog})),
        (std::vector<std::string>{"VLAN Configuration / VLAN 10 / Name: Büro \"A\" / 1\n -> Office",
                                  "VLAN Configuration / VLAN 20 / Name: (not set) -> Lab",
                                  "Port Configuration / Port 30 / Speed: Auto -> (not set)"}));
    EXPECT_EQ(Lines(before, Of("KSX-7700-28", {kVlan10, kPort5, kSyslog})),
              (std::vector<std::string>{
                  "Port Configuration / Port 30 / Speed: Auto -> (no such port on KSX-7700-28)"}));
}

} // namespace
