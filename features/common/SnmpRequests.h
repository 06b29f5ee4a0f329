// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The synchronous requests of the feature dialogs and data classes: scalar reads, one set
// request with all changed objects, and row-status writes. No widgets here.
#pragma once

#include "snmp/CommonSNMP.h"
#include "snmp/RequestStatus.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The model's private subtree.
inline constexpr std::string_view kPrivateMib = "1.3.6.1.4.1.99999.10.76.17";

// kPrivateMib + "." + tail: PrivateOid("7.5") is 1.3.6.1.4.1.99999.10.76.17.7.5.
std::string PrivateOid(std::string_view tail);
// The instance of a scalar: oid + ".0".
std::string ScalarOid(std::string_view oid);
// The instance of a table column: column + "." + index.
std::string InstanceOid(std::string_view column, std::string_view index);
std::string InstanceOid(std::string_view column, int index);

// Reads the given instances in one get request. The values come back as text, in request
// order (numbers in decimal, octet strings as their bytes); on failure the status, and then
// the caller keeps what it showed before.
SnmpResult<std::vector<std::string>>
ReadValues(CCommonSNMP& session, const std::vector<std::string>& instances, unsigned timeoutMs = 0);

// A value read as a number: decimal digits with an optional leading '-', within `long`.
// Anything else (an octet string where a number belongs, an empty value) is no number.
std::optional<long> IntegerOf(std::string_view text);

// An enumeration value and the text a dialog shows for it.
struct ValueText {
    std::string_view value;
    std::string_view text;
};
// The text of `value`, or `otherwise` when the table does not hold it.
std::string TextOfValue(std::string_view value, std::initializer_list<ValueText> table,
                        std::string_view otherwise);
// The value whose text is `text`, or `otherwise`.
std::string ValueOfText(std::string_view text, std::initializer_list<ValueText> table,
                        std::string_view otherwise);

// One set request: every changed object of an Apply goes into it, and it goes out as one
// request.
class CSetRequest {
public:
    CSetRequest& Integer(std::string instance, std::string decimal);
    CSetRequest& Integer(std::string instance, long value);
    CSetRequest& Unsigned(std::string instance, std::string decimal);
    CSetRequest& OctetString(std::string instance, std::string bytes);
    CSetRequest& IpAddress(std::string instance, std::string dotted);

    bool IsEmpty() const { return m_bindings.empty(); }
    std::size_t Size() const { return m_bindings.size(); }

    // Opens `session` for a set, adds every binding and sends synchronously. The status;
    // -1 without sending when the request is empty or a binding is refused (a malformed OID
    // or value).
    RequestStatus Send(CCommonSNMP& session, unsigned timeoutMs = 0) const;

    // What goes out, in order (instance, type code, value): for tests and trace lines.
    struct Binding {
        std::string instance;
        int type;
        std::string value;
        friend bool operator==(const Binding&, const Binding&) = default;
    };
    const std::vector<Binding>& Bindings() const { return m_bindings; }

private:
    std::vector<Binding> m_bindings;
};

// Opens `session` for a request of `pduType` and adds every binding. False when there are none
// or one is refused (a malformed OID or value); the session is then opened afresh, so nothing of
// the half-built request goes out later.
bool OpenWithBindings(CCommonSNMP& session, int pduType,
                      const std::vector<CSetRequest::Binding>& bindings);

// Writes `status` to the row-status instance `rowStatusOid` on the set session. The status
// must be "1" (active), "4" (createAndGo), "5" (createAndWait) or "6" (destroy); any other
// writes "error status value!" to the debug trace and sends nothing. 1 when the switch accepted the
// write, else 0.
int RowStatusWrite(CCommonSNMP& setSession, const std::string& rowStatusOid,
                   const std::string& status);
