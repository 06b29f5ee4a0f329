// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Names an administrator writes to the switch (system name, VLAN and SNMP table names) travel
// as UTF-8 bytes; what the switch holds is read back the same way.
#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

// At most this many characters of a name go to the switch.
inline constexpr int kMaxWrittenNameCharacters = 256;

// The text as UTF-8 bytes: at most `maxCharacters` characters and at most `maxBytes` bytes of
// it, cut only between characters (a character outside the basic plane or a multi-byte
// sequence is never split).
std::string TextToUtf8(const QString& text, int maxCharacters = kMaxWrittenNameCharacters,
                       std::size_t maxBytes = std::string::npos);
// UTF-8 bytes read from the switch as text; no bytes give an empty text. Malformed bytes
// become replacement characters, never a crash.
QString Utf8ToText(std::string_view bytes);
