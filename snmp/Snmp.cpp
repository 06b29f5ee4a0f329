// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/Snmp.h"

#include "snmp/NetSnmpSession.h"

#include <arpa/inet.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdlib>
#include <mutex>

namespace {

std::atomic<unsigned> g_defaultTimeoutMs{5000};

bool ParseLong(const std::string& text, long& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last && !text.empty();
}

bool ParseUnsigned32(const std::string& text, unsigned long& value) {
    unsigned long long wide = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, ec] = std::from_chars(first, last, wide);
    if (ec != std::errc() || end != last || text.empty() || wide > 0xFFFFFFFFull) {
        return false;
    }
    value = static_cast<unsigned long>(wide);
    return true;
}

} // namespace

void SnmpInit() {
    snmpnet::InitLibrary();
}

void SetSnmpTimeout(unsigned timeoutMs) {
    g_defaultTimeoutMs = timeoutMs;
}

unsigned SnmpDefaultTimeout() {
    return g_defaultTimeoutMs;
}

std::vector<uint32_t> ParseOid(const std::string& text) {
    std::vector<uint32_t> oid;
    size_t pos = (!text.empty() && text[0] == '.') ? 1 : 0;
    if (pos >= text.size()) {
        return {};
    }
    while (pos <= text.size()) {
        size_t dot = text.find('.', pos);
        if (dot == std::string::npos) {
            dot = text.size();
        }
        unsigned long arc = 0;
        if (!ParseUnsigned32(text.substr(pos, dot - pos), arc)) {
            return {};
        }
        oid.push_back(static_cast<uint32_t>(arc));
        pos = dot + 1;
    }
    if (oid.size() < 2 || oid.size() > 128) {
        return {};
    }
    return oid;
}

std::string OidToText(const std::vector<uint32_t>& oid) {
    std::string text;
    for (size_t i = 0; i < oid.size(); ++i) {
        if (i != 0) {
            text += '.';
        }
        text += std::to_string(oid[i]);
    }
    return text;
}

// ---------------------------------------------------------------------------------------------
// CSnmp

CSnmp::CSnmp() : m_transport(std::make_unique<snmpnet::Transport>()) {
    snmpnet::InitLibrary();
}

CSnmp::~CSnmp() = default;

void CSnmp::setType(int pduType) {
    m_pduType = pduType;
}

void CSnmp::getErrorInfo(long& status, unsigned long& index) const {
    status = m_errorStatus;
    index = m_errorIndex;
}

int CSnmp::getValuesCount() const {
    return static_cast<int>(m_bindings.size());
}

int CSnmp::getValue(int index, int& type, std::string& bytes, unsigned& length) const {
    if (index < 0 || index >= getValuesCount()) {
        return -1;
    }
    const SnmpVarBind& binding = m_bindings[static_cast<size_t>(index)];
    type = binding.type;
    bytes = binding.value;
    length = static_cast<unsigned>(binding.value.size());
    return 0;
}

int CSnmp::getValue(int index, int& type, std::string& text) const {
    unsigned length = 0;
    return getValue(index, type, text, length);
}

std::string CSnmp::getOid(int index) const {
    if (index < 0 || index >= getValuesCount()) {
        return {};
    }
    return OidToText(m_bindings[static_cast<size_t>(index)].oid);
}

int CSnmp::addValue(const std::string& oid, int type, const char* value, unsigned length) {
    SnmpVarBind binding;
    binding.oid = ParseOid(oid);
    if (binding.oid.empty()) {
        return -1;
    }
    binding.type = type;
    if (type != kSnmpNull && value != nullptr) {
        binding.value.assign(value, length);
    }
    long number = 0;
    unsigned long unsignedNumber = 0;
    in_addr address{};
    switch (type) {
    case kSnmpNull:
    case kSnmpOctetString:
        break;
    case kSnmpInteger:
        if (!ParseLong(binding.value, number) || number < INT32_MIN || number > INT32_MAX) {
            return -1;
        }
        break;
    case kSnmpUnsigned:
        if (!ParseUnsigned32(binding.value, unsignedNumber)) {
            return -1;
        }
        break;
    case kSnmpIpAddress:
        if (inet_pton(AF_INET, binding.value.c_str(), &address) != 1) {
            return -1;
        }
        break;
    default:
        return -1;
    }
    m_bindings.push_back(std::move(binding));
    ++m_generation;
    return 0;
}

int CSnmp::addValue(const std::string& oid, int type, const std::string& value) {
    return addValue(oid, type, value.data(), static_cast<unsigned>(value.size()));
}

void CSnmp::clearVarBindList() {
    m_bindings.clear();
    ++m_generation;
}

void CSnmp::cancel() {
    m_transport->Cancel();
}

void CSnmp::resetCancel() {
    m_transport->ResetCancel();
}

bool CSnmp::cancelled() const {
    return m_transport->IsCancelled();
}

int CSnmp::send(const std::string& address, std::unique_ptr<CSnmp>& response, unsigned timeoutMs) {
    snmpnet::Answer answer;
    int status = exchange(address, timeoutMs, answer);
    if (status != kSnmpOk) {
        return status;
    }
    if (answer.errorStatus != 0) {
        return static_cast<int>(answer.errorStatus);
    }
    for (const SnmpVarBind& binding : answer.bindings) {
        if (binding.type == kSnmpNoSuchObject || binding.type == kSnmpNoSuchInstance ||
            binding.type == kSnmpEndOfMibView) {
            return kSnmpNoSuchName;
        }
    }
    response = takeAnswer(answer);
    return kSnmpOk;
}

int CSnmp::exchange(const std::string& address, unsigned timeoutMs, snmpnet::Answer& answer) {
    if (m_bindings.empty() || address.empty()) {
        return kSnmpFailed;
    }
    if (timeoutMs == 0) {
        timeoutMs = SnmpDefaultTimeout();
    }
    const snmpnet::Deadline deadline(timeoutMs);
    int status = prepareSession(address, deadline);
    if (status != kSnmpOk) {
        return status;
    }
    snmpnet::SessionSettings settings;
    if (!fillSettings(settings)) {
        return kSnmpFailed;
    }
    settings.peer = snmpnet::PeerName(address, m_port);
    snmpnet::Request request;
    request.command = m_pduType;
    request.bindings = &m_bindings;
    fillRequest(request);
    return m_transport->Exchange(settings, request, deadline, answer);
}

std::unique_ptr<CSnmp> CSnmp::takeAnswer(snmpnet::Answer& answer) const {
    std::unique_ptr<CSnmp> response = makeResponse();
    response->m_bindings = std::move(answer.bindings);
    response->m_errorStatus = answer.errorStatus;
    response->m_errorIndex = answer.errorIndex;
    response->m_pduType = m_pduType;
    response->m_port = m_port;
    return response;
}

// ---------------------------------------------------------------------------------------------
// CSnmpV1

CSnmpV1::CSnmpV1(int /*unused*/) {}
CSnmpV1::~CSnmpV1() = default;

std::unique_ptr<CSnmp> CSnmpV1::makeResponse() const {
    auto response = std::make_unique<CSnmpV1>(0);
    response->m_community = m_community;
    return response;
}

bool CSnmpV1::fillSettings(snmpnet::SessionSettings& settings) const {
    settings.version = snmpnet::Version::V2c;
    return true;
}

void CSnmpV1::fillRequest(snmpnet::Request& request) const {
    request.community = m_community;
}

// ---------------------------------------------------------------------------------------------
// CSnmpV3

CSnmpV3::CSnmpV3(int /*unused*/) {}
CSnmpV3::~CSnmpV3() = default;

void CSnmpV3::setAuthPwd(const char* password, unsigned length) {
    m_authPassword.assign(password != nullptr ? password : "", password != nullptr ? length : 0);
}

void CSnmpV3::setPriPwd(const char* password, unsigned length) {
    m_privPassword.assign(password != nullptr ? password : "", password != nullptr ? length : 0);
}

std::unique_ptr<CSnmp> CSnmpV3::makeResponse() const {
    auto response = std::make_unique<CSnmpV3>(0);
    response->m_userName = m_userName;
    response->m_msgFlags = m_msgFlags;
    return response;
}

int CSnmpV3::prepareSession(const std::string& address, const snmpnet::Deadline& deadline) {
    const std::string peer = snmpnet::PeerName(address, m_port);
    if (!m_engineId.empty() && m_engineAddress == peer) {
        return kSnmpOk;
    }
    std::string engineId;
    int status = m_transport->DiscoverEngineId(peer, deadline, engineId);
    if (status != kSnmpOk) {
        return status;
    }
    m_engineId = engineId;
    m_engineAddress = peer;
    return kSnmpOk;
}

bool CSnmpV3::fillSettings(snmpnet::SessionSettings& settings) const {
    settings.version = snmpnet::Version::V3;
    settings.userName = m_userName;
    settings.engineId = m_engineId;
    settings.msgMaxSize = m_msgMaxSize;
    settings.securityModel = m_securityModel;
    settings.level = snmpnet::SecurityLevel::NoAuthNoPriv;
    if (m_msgFlags & 1) {
        settings.level = (m_msgFlags & 2) ? snmpnet::SecurityLevel::AuthPriv
                                          : snmpnet::SecurityLevel::AuthNoPriv;
        settings.authSha = (m_authAlgorithm == 1);
        settings.authPassword = m_authPassword;
        settings.privPassword = m_privPassword;
    }
    return true;
}

void CSnmpV3::fillRequest(snmpnet::Request& /*request*/) const {}

// ---------------------------------------------------------------------------------------------
// CSnmpTable

CSnmpTable::CSnmpTable(CSnmp* message) : m_message(message) {}
CSnmpTable::~CSnmpTable() = default;

namespace {

bool IsUnder(const std::vector<uint32_t>& oid, const std::vector<uint32_t>& root) {
    return oid.size() > root.size() && std::equal(root.begin(), root.end(), oid.begin());
}

} // namespace

int CSnmpTable::getNext(const std::string& address, std::unique_ptr<CSnmp>& response,
                        unsigned timeoutMs) {
    if (m_message == nullptr) {
        return kSnmpFailed;
    }
    if (m_message->m_pduType != kPduGetNext) {
        rememberColumns();
        return m_message->send(address, response, timeoutMs);
    }
    if (m_walkGeneration != m_message->m_generation || m_columns.empty()) {
        rememberColumns();
    }
    snmpnet::Answer answer;
    int status = m_message->exchange(address, timeoutMs, answer);
    if (status != kSnmpOk) {
        return status;
    }
    if (answer.errorStatus == kSnmpNoSuchName) {
        return kSnmpEndOfTable; // an SNMPv1 agent's end of its MIB view
    }
    if (answer.errorStatus != 0) {
        return static_cast<int>(answer.errorStatus);
    }
    if (answer.bindings.size() != m_columns.size()) {
        return kSnmpFailed;
    }
    // An answer that does not move past the row asked from would be asked for again and
    // again: the walk ends there as if it had left its columns.
    for (size_t i = 0; i < answer.bindings.size(); ++i) {
        const SnmpVarBind& binding = answer.bindings[i];
        if (binding.type == kSnmpEndOfMibView || !IsUnder(binding.oid, m_columns[i]) ||
            !(m_message->m_bindings[i].oid < binding.oid)) {
            return kSnmpEndOfTable;
        }
    }
    for (size_t i = 0; i < answer.bindings.size(); ++i) {
        m_message->m_bindings[i].oid = answer.bindings[i].oid;
    }
    response = m_message->takeAnswer(answer);
    return kSnmpOk;
}

void CSnmpTable::rememberColumns() {
    m_columns.clear();
    for (const SnmpVarBind& binding : m_message->m_bindings) {
        m_columns.push_back(binding.oid);
    }
    m_walkGeneration = m_message->m_generation;
}

int CSnmpTable::getSuffix(int index, const CSnmp& response, std::string& suffix) const {
    if (index < 0 || index >= response.getValuesCount() ||
        static_cast<size_t>(index) >= m_columns.size()) {
        return -1;
    }
    const std::vector<uint32_t>& oid = response.m_bindings[static_cast<size_t>(index)].oid;
    const std::vector<uint32_t>& column = m_columns[static_cast<size_t>(index)];
    if (!IsUnder(oid, column)) {
        return -1;
    }
    suffix =
        OidToText(std::vector<uint32_t>(oid.begin() + static_cast<long>(column.size()), oid.end()));
    return 0;
}
