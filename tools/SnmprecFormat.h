// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// One variable binding as a line of the .snmprec convention, OID|TAG|VALUE, where TAG is the
// BER type of the value: 2 INTEGER, 4 OCTET STRING (printable text) or 4x (hexadecimal),
// 5 NULL, 6 OBJECT IDENTIFIER, 64 IpAddress, 65 Counter32, 66 Gauge32/Unsigned32,
// 67 TimeTicks, 68x Opaque, 70 Counter64.
#pragma once

#include <string>

class CSnmp;

// True when every byte is a printable ASCII character (blank to tilde).
bool IsPrintableText(const std::string& bytes);
// Lower-case hexadecimal digits, two per byte, no separators.
std::string HexDigits(const std::string& bytes);

// "TAG|VALUE" of a value as the session layer hands it out (its value-type code and text).
std::string SnmprecTypedValue(int valueType, const std::string& value);
// "OID|TAG|VALUE" of binding `index` of `response`; empty when there is no such binding.
std::string SnmprecLine(const CSnmp& response, int index);
