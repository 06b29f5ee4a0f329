// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The texts the public MIB views show for the values they read, and the conversion of the
// names an administrator writes to the switch (UTF-8 on the wire). All functions are pure.
#pragma once

#include "snmp/TextConversion.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// sysUpTime ticks (hundredths of a second) as "5 Hour 7 Min". Not a number counts as 0.
QString UpTimeText(std::string_view ticks);

// ifOperStatus: "Connected", "UnConnected", "Test" or "Unknown".
QString InterfaceStatusText(std::string_view operStatus);
// ifSpeed in bits per second as whole megabits: "1000M", "0M" for 10000.
QString InterfaceSpeedText(std::string_view speed);

// tcpConnState: "listen" .. "deleteTCB", "closed" for any other value.
QString TcpStateText(std::string_view state);

// dot1qTpFdbStatus by its first character: "Other", "Invalid", "Learn", "Own", "Static";
// empty for anything else.
QString FdbStatusText(std::string_view status);
// The MAC address of a forwarding-table row index (filtering-database id, then the six
// address arcs) as "00-1A-2B-3C-4D-5E": the last six arcs, whatever the id's width. Empty
// when the index has fewer than six arcs or an arc is not 0..255.
QString FdbMacOfIndex(std::string_view index);
// The filtering-database id of that index: the arcs before the six address arcs ("" when
// there are none).
QString FdbDatabaseIdOfIndex(std::string_view index);

// What the Forwarding Table's Find takes: a whole MAC address or its first octets, as hex
// pairs joined by "-" or ":" (a pair may be one digit, a separator may end the text), or hex
// digits without separator. Gives the hex digits, upper case, without separators; nothing
// when the text is empty or is no such address.
std::optional<QString> MacPrefixOfText(const QString& text);
// Whether a MAC text ("00-1A-2B-3C-4D-5E") starts with a prefix of MacPrefixOfText.
bool MacStartsWith(const QString& mac, const QString& prefix);
