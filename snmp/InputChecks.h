// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Checks of what the administrator types: MAC addresses, IPv4 addresses and names. A check
// never changes its input and shows nothing: it returns the refusal, and the dialog shows it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The refusal of a MAC text that is not a unicast "00-00-00-00-00-01": a wrong format, the
// all-zero and the broadcast address, and (unless allowMulticast) a multicast address; nothing
// for an acceptable address.
std::optional<std::string> MacRefusal(std::string_view mac, bool allowMulticast);

// The dotted IPv4 text as a number, first part most significant. Empty unless the text is
// four decimal parts of 0..255.
std::optional<std::uint32_t> IpToNumber(std::string_view dotted);

// A usable host address of class A, B or C (no message).
bool CheckHostIp(std::string_view dotted);

// Whether a and b lie in the same subnet of mask; false when one of them is no address.
bool SameSubnet(std::string_view a, std::string_view mask, std::string_view b);

// The check of a gateway entry made of an IP-address control and a MAC edit.
enum class EntryFocus { None, IpAddress, Mac };

struct AddressEntryResult {
    bool accepted = true;
    EntryFocus focus = EntryFocus::None; // where the dialog puts the focus after a refusal
    std::string message;                 // the refusal shown, empty when accepted
    explicit operator bool() const { return accepted; }
};

// ipFields are the four fields of the address control (first field first) and
// filledFields how many of them hold a value. The first refusal and the input it is about.
AddressEntryResult CheckAddressEntry(const std::array<int, 4>& ipFields, int filledFields,
                                     std::string_view mac);

// A name without any of ~ ` ! @ # $ % ^ & * { } [ ] | \ : ; " ' < > , . ? /
bool CheckName(std::string_view name);
// Neither those characters (the comma excepted) nor an ASCII letter.
bool CheckNameNoLetters(std::string_view text);
