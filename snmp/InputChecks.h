// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Checks of what the administrator types: MAC addresses, IPv4 addresses and names. A check
// never changes its input. CheckMac and CheckAddressEntry show their refusal in a message
// box; the others leave the message to their caller.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A unicast MAC text "00-00-00-00-00-01". Refuses a wrong format, the all-zero and the
// broadcast address, and (unless allowMulticast) a multicast address, with a message.
bool CheckMac(std::string_view mac, bool allowMulticast);
// The refusal CheckMac would show, without showing it; nothing for an acceptable address.
std::optional<std::string> MacRefusal(std::string_view mac, bool allowMulticast);

// The dotted IPv4 text as a number, first part most significant. Empty unless the text is
// four decimal parts of 0..255.
std::optional<std::uint32_t> IpToNumber(std::string_view dotted);

// A usable host address of class A, B or C (no message).
bool CheckHostIp(std::string_view dotted);

// Whether a and b lie in the same subnet of mask; false when one of them is no address.
bool SameSubnet(std::string_view a, std::string_view mask, std::string_view b);

// The check of a gateway entry made of an IP-address control and a MAC edit.
enum class EntryFocus { None, IpAddress };

struct AddressEntryResult {
    bool accepted = true;
    EntryFocus focus = EntryFocus::None; // where the dialog puts the focus after a refusal
    std::string message;                 // the refusal shown, empty when accepted
    explicit operator bool() const { return accepted; }
};

// ipFields are the four fields of the address control (first field first) and
// filledFields how many of them hold a value. Shows the first refusal.
AddressEntryResult CheckAddressEntry(const std::array<int, 4>& ipFields, int filledFields,
                                     std::string_view mac);

// A name without any of ~ ` ! @ # $ % ^ & * { } [ ] | \ : ; " ' < > , . ? /
bool CheckName(std::string_view name);
// Neither those characters (the comma excepted) nor an ASCII letter.
bool CheckNameNoLetters(std::string_view text);
