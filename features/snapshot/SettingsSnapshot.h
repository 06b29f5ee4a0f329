// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A settings snapshot: every setting the module's dialogs write, by menu path, setting name and
// the value text the dialog shows, with a header saying which switch it came from. Stored as
// UTF-8 text, one JSON object per line (the header first, then one setting per line in menu
// order, then an end line that counts them), so that a change of one setting is one changed
// line for diff and version control. Secrets (communities, SNMPv3 passwords, the RADIUS key)
// are never part of it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace snapshot {

inline constexpr int kFormatVersion = 1;
inline constexpr char kFamily[] = "KSX-7700";

struct Header {
    std::string model;      // "KSX-7700-28"
    std::string deviceName; // the device name the module was started with
    std::string address;
    std::string time; // ISO 8601, UTC
    std::string moduleVersion;
    int formatVersion = kFormatVersion;
};

struct Setting {
    std::vector<std::string> path; // menu path: {"VLAN Configuration", "VLAN 10"}
    std::string name;              // "Name"
    std::string value;             // "Office", as the dialog shows it

    bool operator==(const Setting&) const = default;
};

struct Snapshot {
    Header header;
    std::vector<Setting> settings;
};

// The file's text.
std::string Text(const Snapshot& snapshot);

// A file read, or the message that names it and says what is wrong with it.
struct ReadResult {
    std::optional<Snapshot> snapshot;
    std::string error;
};
ReadResult ParseText(const std::string& text, const std::string& fileName);
ReadResult ReadFile(const std::string& fileName);
// Empty on success, otherwise the message.
std::string WriteFile(const Snapshot& snapshot, const std::string& fileName);

// One setting that differs; a side without the setting has no value.
struct Difference {
    std::vector<std::string> path;
    std::string name;
    std::optional<std::string> older;
    std::optional<std::string> newer;
};

// The differences in menu order: settings of both compared by path and name (never by
// position, so an added VLAN is one added line), and those only one side has.
std::vector<Difference> Compare(const Snapshot& older, const Snapshot& newer);

// A side's value as shown: the value, or why there is none ("(not set)"; "(no such port on
// KSX-7700-28)" where that side's switch is a smaller model without the port).
std::string ValueText(const std::optional<std::string>& value, const Difference& difference,
                      const Header& side);

// The port count of a model of the family ("KSX-7700-28P": 28); nullopt for any other.
std::optional<int> PortCountOf(const std::string& model);

// "VLAN Configuration / VLAN 10"
std::string PathText(const std::vector<std::string>& path);
// "VLAN Configuration / VLAN 10 / Name: Büro -> Office"
std::string DifferenceLine(const Difference& difference, const Header& older, const Header& newer);

} // namespace snapshot
