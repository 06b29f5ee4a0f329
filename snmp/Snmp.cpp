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
#include <utility>

namespace {

std::atomic<unsigned> g_defaultTimeoutMs{5000};
std::atomic<bool> g_bulkWalks{true};

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
    const char* bulk = std::getenv("KSX_GETBULK");
    if (bulk != nullptr && std::string(bulk) == "0") {
        g_bulkWalks = false;
    }
}

void SetSnmpBulkWalks(bool enabled) {
    g_bulkWalks = enabled;
}

bool SnmpBulkWalks() {
    return g_bulkWalks;
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

int CSnmp::exchange(const std::string& address, unsigned timeoutMs, snmpnet::Answer& answer,
                    int maxRepetitions, const std::vector<SnmpVarBind>& leading) {
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
    request.maxRepetitions = maxRepetitions;
    request.bindings = &m_bindings;
    std::vector<SnmpVarBind> withLeading;
    if (!leading.empty()) {
        withLeading = leading;
        withLeading.insert(withLeading.end(), m_bindings.begin(), m_bindings.end());
        request.bindings = &withLeading;
        request.nonRepeaters = static_cast<int>(leading.size());
    }
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

// 1,472 bytes of UDP payload on an Ethernet path, less the message and PDU headers.
unsigned CSnmpV1::bindingBudget() const {
    return 1472 - 40 - static_cast<unsigned>(m_community.size());
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

// The agent keeps to our msgMaxSize; the security header and the scoped PDU's own fields
// take about 170 bytes of it.
unsigned CSnmpV3::bindingBudget() const {
    const int message = std::clamp(m_msgMaxSize, 484, 1472);
    return static_cast<unsigned>(message - 170);
}

// ---------------------------------------------------------------------------------------------
// CSnmpTable

CSnmpTable::CSnmpTable(CSnmp* message) : m_message(message) {}
CSnmpTable::~CSnmpTable() = default;

namespace {

// A GETBULK that got no answer in time is tried once more with half the rows, each attempt
// within half of the time left; then the step goes out as a get-next with the rest.
constexpr int kBulkAttemptsBeforeGetNext = 2;
// The first GETBULK of a walk fits one datagram; later ones may take this many.
constexpr unsigned kLaterBulkGrowth = 4;
constexpr unsigned kMostRepetitions = 512;

bool IsUnder(const std::vector<uint32_t>& oid, const std::vector<uint32_t>& root) {
    return oid.size() > root.size() && std::equal(root.begin(), root.end(), oid.begin());
}

unsigned LengthBytes(unsigned length) {
    return length < 0x80 ? 1 : length < 0x100 ? 2 : 3;
}

unsigned TlvBytes(unsigned content) {
    return 1 + LengthBytes(content) + content;
}

unsigned OidContentBytes(const std::vector<uint32_t>& oid) {
    unsigned bytes = 1; // the first two arcs share one byte
    for (size_t i = 2; i < oid.size(); ++i) {
        for (uint32_t arc = oid[i];; arc >>= 7) {
            ++bytes;
            if (arc < 0x80) {
                break;
            }
        }
    }
    return bytes;
}

unsigned NumberBytes(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    unsigned bytes = 1;
    for (long long rest = value; rest > 127 || rest < -128; rest /= 256) {
        ++bytes;
    }
    return bytes;
}

// What one binding takes in an encoded message.
unsigned EncodedBytes(const SnmpVarBind& binding) {
    unsigned value = 0;
    switch (binding.type) {
    case kSnmpOctetString:
    case kSnmpOpaque:
        value = static_cast<unsigned>(binding.value.size());
        break;
    case kSnmpIpAddress:
        value = 4;
        break;
    case kSnmpObjectId:
        value = OidContentBytes(ParseOid(binding.value));
        break;
    case kSnmpInteger:
    case kSnmpUnsigned:
    case kSnmpCounter32:
    case kSnmpTimeTicks:
    case kSnmpCounter64:
        value = NumberBytes(binding.value) + 1;
        break;
    default:
        break;
    }
    return TlvBytes(TlvBytes(OidContentBytes(binding.oid)) + TlvBytes(value));
}

} // namespace

int CSnmpTable::getNext(const std::string& address, std::unique_ptr<CSnmp>& response,
                        unsigned timeoutMs) {
    if (m_message == nullptr) {
        return kSnmpFailed;
    }
    if (m_message->m_pduType != kPduGetNext) {
        dropRows();
        rememberColumns();
        return m_message->send(address, response, timeoutMs);
    }
    if (m_walkGeneration != m_message->m_generation || m_columns.empty()) {
        rememberColumns();
    }
    if (m_aheadNext < m_aheadRows) {
        if (m_message->cancelled()) {
            dropRows();
            return kSnmpCancelled;
        }
        if (rowsAheadFit(address)) {
            return serveRow(response);
        }
        dropRows();
    }
    if (!SnmpBulkWalks() || m_bulkRefused) {
        return plainStep(address, response, timeoutMs);
    }
    return bulkStep(address, response, timeoutMs);
}

// One get-next for the step.
int CSnmpTable::plainStep(const std::string& address, std::unique_ptr<CSnmp>& response,
                          unsigned timeoutMs) {
    snmpnet::Answer answer;
    const std::vector<SnmpVarBind>& leading = leadingToSend();
    int status = m_message->exchange(address, timeoutMs, answer, 0, leading);
    if (status != kSnmpOk) {
        return status;
    }
    if (answer.errorStatus == 0 && !takeLeading(answer, leading)) {
        return kSnmpFailed;
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

// One GETBULK from where the bindings stand, then the step is served from its rows.
int CSnmpTable::bulkStep(const std::string& address, std::unique_ptr<CSnmp>& response,
                         unsigned timeoutMs) {
    const snmpnet::Deadline deadline(timeoutMs != 0 ? timeoutMs : SnmpDefaultTimeout());
    int repetitions = repetitionsWanted(address);
    bool afterTimeout = false;
    for (int attempt = 0;;) {
        const unsigned left = deadline.RemainingMs();
        if (left == 0) {
            return kSnmpTimeout;
        }
        snmpnet::Answer answer;
        const std::vector<SnmpVarBind>& leading = leadingToSend();
        const int status =
            m_message->exchange(address, std::max(1u, left / 2), answer, repetitions, leading);
        if (status == kSnmpCancelled) {
            return status;
        }
        if (status == kSnmpTimeout) {
            if (++attempt >= kBulkAttemptsBeforeGetNext) {
                // An agent that has answered GETBULK before was silent (a restart), it does
                // not refuse it now.
                return fallBack(address, response, deadline, !m_bulkAnswered);
            }
            repetitions = std::max(1, repetitions / 2);
            afterTimeout = true;
            continue;
        }
        if (status != kSnmpOk) {
            return fallBack(address, response, deadline, true);
        }
        // tooBig, or any error from an agent that has answered GETBULK before (some give
        // genErr for an answer that would not fit): ask for half the rows.
        if (answer.errorStatus != 0 && repetitions > 1 &&
            (answer.errorStatus == kSnmpTooBig || m_bulkAnswered)) {
            repetitions /= 2;
            learnByteLimit(static_cast<unsigned>(repetitions) * rowBytes());
            continue;
        }
        if (answer.errorStatus != 0) {
            return fallBack(address, response, deadline, answer.errorStatus != kSnmpTooBig);
        }
        if (!takeLeading(answer, leading) || !keepRows(answer, repetitions)) {
            return fallBack(address, response, deadline, true);
        }
        if (afterTimeout) {
            learnByteLimit(static_cast<unsigned>(repetitions) *
                           rowBytes()); // a larger one was lost
        }
        ++m_bulkRequests;
        m_bulkAnswered = true;
        if (address != m_deliveredAddress) {
            m_deliveredAddress = address;
            m_deliveredBytes = 0;
        }
        m_deliveredBytes =
            std::max(m_deliveredBytes, static_cast<unsigned>(m_aheadRows) * m_rowBytes);
        m_aheadAddress = address;
        m_aheadPort = m_message->port();
        return serveRow(response);
    }
}

// The step as a get-next with the time left. When GETBULK failed but the get-next is
// answered, the agent is walked with get-next from now on.
int CSnmpTable::fallBack(const std::string& address, std::unique_ptr<CSnmp>& response,
                         const snmpnet::Deadline& deadline, bool bulkFailed) {
    const unsigned left = deadline.RemainingMs();
    if (left == 0) {
        return kSnmpTimeout;
    }
    const int status = plainStep(address, response, left);
    if (bulkFailed && (status == kSnmpOk || status == kSnmpEndOfTable)) {
        m_bulkRefused = true;
    }
    return status;
}

// Keeps the whole rows of a GETBULK answer, up to the first binding that does not follow the
// one before it in its column. False when not even one row is usable.
bool CSnmpTable::keepRows(snmpnet::Answer& answer, int repetitions) {
    const size_t columns = m_columns.size();
    if (columns == 0 || m_message->m_bindings.size() != columns) {
        return false;
    }
    const size_t rows = answer.bindings.size() / columns;
    size_t usable = 0;
    unsigned bytes = 0;
    for (size_t row = 0; row < rows && usable == row; ++row) {
        bool follows = true;
        unsigned rowBytes = 0;
        for (size_t i = 0; i < columns; ++i) {
            const SnmpVarBind& binding = answer.bindings[row * columns + i];
            const std::vector<uint32_t>& before =
                row == 0 ? m_message->m_bindings[i].oid
                         : answer.bindings[(row - 1) * columns + i].oid;
            follows = follows && (binding.type == kSnmpEndOfMibView || before < binding.oid);
            rowBytes += EncodedBytes(binding);
        }
        if (follows) {
            ++usable;
            bytes += rowBytes;
        }
    }
    if (usable == 0) {
        return false;
    }
    // An answer cut short before the end of the MIB view shows how many rows the agent gives.
    if (rows < static_cast<size_t>(repetitions) && usable == rows) {
        bool ended = false;
        for (size_t i = (rows - 1) * columns; i < rows * columns; ++i) {
            ended = ended || answer.bindings[i].type == kSnmpEndOfMibView;
        }
        if (!ended) {
            // It gives whole rows: its limit lies below one more of them. Asking for more
            // than it gives costs nothing, it only cuts the answer short again.
            m_bindingLimit = static_cast<unsigned>((rows + 1) * columns - 1);
        }
    }
    m_rowBytes = std::max(1u, bytes / static_cast<unsigned>(usable));
    if (m_byteLimit != 0 && bytes > m_byteLimit) {
        m_byteLimit = bytes; // as much got through
    }
    answer.bindings.resize(usable * columns);
    m_ahead = std::move(answer.bindings);
    m_aheadRows = usable;
    m_aheadNext = 0;
    return true;
}

// Hands out the next row fetched ahead, as the get-next of this step would have answered.
int CSnmpTable::serveRow(std::unique_ptr<CSnmp>& response) {
    const size_t columns = m_columns.size();
    const auto first = m_ahead.begin() + static_cast<long>(m_aheadNext * columns);
    for (size_t i = 0; i < columns; ++i) {
        const SnmpVarBind& binding = first[static_cast<long>(i)];
        if (binding.type == kSnmpEndOfMibView || !IsUnder(binding.oid, m_columns[i])) {
            dropRows();
            return kSnmpEndOfTable;
        }
    }
    snmpnet::Answer answer;
    answer.bindings.assign(first, first + static_cast<long>(columns));
    m_cursor.clear();
    for (size_t i = 0; i < columns; ++i) {
        m_message->m_bindings[i].oid = answer.bindings[i].oid;
        m_cursor.push_back(answer.bindings[i].oid);
    }
    ++m_aheadNext;
    response = m_message->takeAnswer(answer);
    return kSnmpOk;
}

// The rows fetched ahead still continue the walk the message is on.
bool CSnmpTable::rowsAheadFit(const std::string& address) const {
    if (address != m_aheadAddress || m_message->port() != m_aheadPort ||
        m_message->m_bindings.size() != m_cursor.size()) {
        return false;
    }
    for (size_t i = 0; i < m_cursor.size(); ++i) {
        if (m_message->m_bindings[i].oid != m_cursor[i]) {
            return false;
        }
    }
    return true;
}

// Rows to ask for: what fits the message, by the row size seen so far (or guessed from the
// columns: a short index and a small value each), within what the agent has shown it gives.
// An answer about this large did not come through. SNMPv3's message size is known already:
// there the failure only says the rows were larger than they looked.
void CSnmpTable::learnByteLimit(unsigned bytes) {
    if (!m_message->messageSizeFixed() && (m_byteLimit == 0 || bytes < m_byteLimit)) {
        m_byteLimit = std::max(1u, bytes);
    }
}

unsigned CSnmpTable::rowBytes() const {
    unsigned bytes = m_rowBytes;
    if (bytes == 0) {
        for (const std::vector<uint32_t>& column : m_columns) {
            bytes += TlvBytes(TlvBytes(OidContentBytes(column) + 4) + TlvBytes(5));
        }
    }
    return std::max(1u, bytes);
}

int CSnmpTable::repetitionsWanted(const std::string& address) const {
    const unsigned bytes = rowBytes();
    const bool fixed = m_message->messageSizeFixed();
    // An answer larger than one datagram already came through from this agent.
    const bool pathCarriesLargeAnswers =
        !fixed && address == m_deliveredAddress && m_deliveredBytes > m_message->bindingBudget();
    const unsigned growth = fixed ? 1u
                            : pathCarriesLargeAnswers
                                ? kLaterBulkGrowth
                                : std::min(1u << std::min(m_bulkRequests, 4), kLaterBulkGrowth);
    unsigned repetitions = m_message->bindingBudget() * growth / bytes;
    if (m_byteLimit > 0) {
        repetitions = std::min(repetitions, m_byteLimit / bytes);
    }
    if (m_bindingLimit > 0) {
        repetitions =
            std::min(repetitions, m_bindingLimit / static_cast<unsigned>(m_columns.size()));
    }
    return static_cast<int>(std::clamp(repetitions, 1u, kMostRepetitions));
}

void CSnmpTable::dropRows() {
    m_ahead.clear();
    m_aheadNext = 0;
    m_aheadRows = 0;
    m_cursor.clear();
}

void CSnmpTable::setLeadingScalars(const std::vector<std::vector<uint32_t>>& objects) {
    m_leadingAsked.clear();
    for (const std::vector<uint32_t>& object : objects) {
        SnmpVarBind parent;
        parent.oid.assign(object.begin(), object.end() - (object.empty() ? 0 : 1));
        parent.type = kSnmpNull;
        m_leadingAsked.push_back(parent);
    }
    m_leadingPending = false;
    m_leadingAnswer.clear();
}

std::vector<SnmpVarBind> CSnmpTable::takeLeadingAnswer() {
    return std::exchange(m_leadingAnswer, {});
}

const std::vector<SnmpVarBind>& CSnmpTable::leadingToSend() const {
    static const std::vector<SnmpVarBind> kNone;
    return m_leadingPending ? m_leadingAsked : kNone;
}

// Moves the answers to the leading scalars out of `answer`. What comes back for a scalar the
// agent lacks is the next object after it, kept as noSuchObject.
bool CSnmpTable::takeLeading(snmpnet::Answer& answer, const std::vector<SnmpVarBind>& sent) {
    if (sent.empty()) {
        return true;
    }
    if (answer.bindings.size() < sent.size()) {
        return false;
    }
    m_leadingAnswer.assign(answer.bindings.begin(),
                           answer.bindings.begin() + static_cast<long>(sent.size()));
    for (size_t i = 0; i < sent.size(); ++i) {
        SnmpVarBind& binding = m_leadingAnswer[i];
        std::vector<uint32_t> object = sent[i].oid;
        object.push_back(0);
        if (binding.oid != object || binding.type >= kSnmpNoSuchObject) {
            binding = SnmpVarBind{object, kSnmpNoSuchObject, {}};
        }
    }
    answer.bindings.erase(answer.bindings.begin(),
                          answer.bindings.begin() + static_cast<long>(sent.size()));
    m_leadingPending = false;
    return true;
}

void CSnmpTable::rememberColumns() {
    m_leadingPending = !m_leadingAsked.empty();
    m_leadingAnswer.clear();
    dropRows();
    m_columns.clear();
    for (const SnmpVarBind& binding : m_message->m_bindings) {
        m_columns.push_back(binding.oid);
    }
    m_walkGeneration = m_message->m_generation;
    m_bulkRequests = 0;
    m_rowBytes = 0;
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
