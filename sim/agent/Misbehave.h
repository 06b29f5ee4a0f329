// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

// A switch with broken firmware: reads are answered with values of the wrong type, the
// wrong length or out of range, rows with odd indexes, holes and early ends, and get-next
// answers that do not move forward. What each object does is chosen from the seed.

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/net-snmp-includes.h>

namespace ksxsim {

// Answers a get, get-next or GETBULK itself, on the agent's socket. False when the request
// is left to the agent (sets, SNMPv1, unknown communities).
bool AnswerMisbehaving(netsnmp_session* session, netsnmp_pdu* pdu, unsigned long seed);

} // namespace ksxsim
