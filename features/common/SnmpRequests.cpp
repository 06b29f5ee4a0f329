// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/SnmpRequests.h"

#include "features/common/ReadRound.h"
#include "features/common/Repainting.h"
#include "platform/Trace.h"

#include <memory>

std::string PrivateOid(std::string_view tail) {
    std::string oid(kPrivateMib);
    oid += '.';
    oid += tail;
    return oid;
}

std::string ScalarOid(std::string_view oid) {
    std::string instance(oid);
    instance += ".0";
    return instance;
}

std::string InstanceOid(std::string_view column, std::string_view index) {
    std::string instance(column);
    instance += '.';
    instance += index;
    return instance;
}

std::string InstanceOid(std::string_view column, int index) {
    return InstanceOid(column, std::to_string(index));
}

SnmpResult<std::vector<std::string>>
ReadValues(CCommonSNMP& session, const std::vector<std::string>& instances, unsigned timeoutMs) {
    const RequestStatus cannotSend(-1);
    if (kit::ReadsHeldBack()) {
        return RequestStatus(kSnmpTimeout); // the switch did not answer this round's first read
    }
    if (instances.empty() || session.Open(kPduGet) != 1) {
        return cannotSend;
    }
    for (const std::string& instance : instances) {
        if (session.AddValue(instance, kSnmpNull, "") != 0) {
            return cannotSend;
        }
    }
    std::unique_ptr<CSnmp> response;
    int code = kSnmpTimeout;
    kit::RunRepainting([&] { code = session.Send(response, timeoutMs); });
    const RequestStatus status(code);
    kit::ReportRead(status.Outcome() != SnmpOutcome::NoAnswer);
    if (!status.Ok()) {
        return status;
    }
    if (!response || response->getValuesCount() < static_cast<int>(instances.size())) {
        return cannotSend;
    }
    std::vector<std::string> values(instances.size());
    for (std::size_t i = 0; i < instances.size(); ++i) {
        int type = 0;
        response->getValue(static_cast<int>(i), type, values[i]);
    }
    return values;
}

std::optional<long> IntegerOf(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 18) {
        return std::nullopt;
    }
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::string TextOfValue(std::string_view value, std::initializer_list<ValueText> table,
                        std::string_view otherwise) {
    for (const ValueText& entry : table) {
        if (entry.value == value) {
            return std::string(entry.text);
        }
    }
    return std::string(otherwise);
}

std::string ValueOfText(std::string_view text, std::initializer_list<ValueText> table,
                        std::string_view otherwise) {
    for (const ValueText& entry : table) {
        if (entry.text == text) {
            return std::string(entry.value);
        }
    }
    return std::string(otherwise);
}

CSetRequest& CSetRequest::Integer(std::string instance, std::string decimal) {
    m_bindings.push_back({std::move(instance), kSnmpInteger, std::move(decimal)});
    return *this;
}

CSetRequest& CSetRequest::Integer(std::string instance, long value) {
    return Integer(std::move(instance), std::to_string(value));
}

CSetRequest& CSetRequest::Unsigned(std::string instance, std::string decimal) {
    m_bindings.push_back({std::move(instance), kSnmpUnsigned, std::move(decimal)});
    return *this;
}

CSetRequest& CSetRequest::OctetString(std::string instance, std::string bytes) {
    m_bindings.push_back({std::move(instance), kSnmpOctetString, std::move(bytes)});
    return *this;
}

CSetRequest& CSetRequest::IpAddress(std::string instance, std::string dotted) {
    m_bindings.push_back({std::move(instance), kSnmpIpAddress, std::move(dotted)});
    return *this;
}

bool OpenWithBindings(CCommonSNMP& session, int pduType,
                      const std::vector<CSetRequest::Binding>& bindings) {
    if (bindings.empty() || session.Open(pduType) != 1) {
        return false;
    }
    for (const CSetRequest::Binding& binding : bindings) {
        const int added = session.AddValue(binding.instance, binding.type, binding.value.data(),
                                           static_cast<unsigned>(binding.value.size()));
        if (added != 0) {
            session.Open(pduType); // nothing of a half-built request may go out later
            return false;
        }
    }
    return true;
}

RequestStatus CSetRequest::Send(CCommonSNMP& session, unsigned timeoutMs) const {
    if (!OpenWithBindings(session, kPduSet, m_bindings)) {
        return RequestStatus(-1);
    }
    kit::RestartReadRound();
    std::unique_ptr<CSnmp> response;
    return RequestStatus(session.Send(response, timeoutMs));
}

namespace {

bool IsWritableRowStatus(const std::string& status) {
    return status == "1" || status == "4" || status == "5" || status == "6";
}

} // namespace

int RowStatusWrite(CCommonSNMP& setSession, const std::string& rowStatusOid,
                   const std::string& status) {
    if (!IsWritableRowStatus(status)) {
        // Only this program picks the value: a wrong one is its own fault, sent nowhere.
        platform::DebugTrace("error status value!");
        return 0;
    }
    return CSetRequest().Integer(rowStatusOid, status).Send(setSession).Ok() ? 1 : 0;
}
