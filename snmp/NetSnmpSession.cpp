// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/NetSnmpSession.h"

// Net-SNMP wants its configuration header first.
#include <net-snmp/net-snmp-config.h>

#include <net-snmp/net-snmp-includes.h>

#include <net-snmp/library/keytools.h>
#include <net-snmp/library/snmpusm.h>

#include <arpa/inet.h>
#include <sys/eventfd.h>
#include <sys/select.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace snmpnet {
namespace {

// Net-SNMP is not built reentrant: every call into it holds this mutex. Calls are short;
// the waits between them happen outside.
std::mutex& LibraryMutex() {
    static std::mutex mutex;
    return mutex;
}

// The credentials each (user, engine) entry of Net-SNMP's process-wide USM list was made with.
std::map<std::string, std::string>& UsmCredentials() {
    static std::map<std::string, std::string> credentials;
    return credentials;
}

int Callback(int operation, netsnmp_session* /*session*/, int requestId, netsnmp_pdu* pdu,
             void* magic) {
    static_cast<Transport*>(magic)->OnCallback(operation, requestId, pdu);
    return 1;
}

std::string DecimalText(unsigned long long value) {
    return std::to_string(value);
}

SnmpVarBind ToBinding(const netsnmp_variable_list* variable) {
    SnmpVarBind binding;
    binding.oid.assign(variable->name, variable->name + variable->name_length);
    switch (variable->type) {
    case ASN_INTEGER:
        binding.type = kSnmpInteger;
        binding.value = std::to_string(*variable->val.integer);
        break;
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
        binding.type = variable->type == ASN_OPAQUE ? kSnmpOpaque : kSnmpOctetString;
        binding.value.assign(reinterpret_cast<const char*>(variable->val.string),
                             variable->val_len);
        break;
    case ASN_IPADDRESS: {
        char text[INET_ADDRSTRLEN] = {};
        if (variable->val_len == 4) {
            inet_ntop(AF_INET, variable->val.string, text, sizeof text);
        }
        binding.type = kSnmpIpAddress;
        binding.value = text;
        break;
    }
    case ASN_GAUGE:
        binding.type = kSnmpUnsigned;
        binding.value = DecimalText(*variable->val.integer & 0xFFFFFFFFul);
        break;
    case ASN_COUNTER:
        binding.type = kSnmpCounter32;
        binding.value = DecimalText(*variable->val.integer & 0xFFFFFFFFul);
        break;
    case ASN_TIMETICKS:
        binding.type = kSnmpTimeTicks;
        binding.value = DecimalText(*variable->val.integer & 0xFFFFFFFFul);
        break;
    case ASN_COUNTER64: {
        const counter64* wide = variable->val.counter64;
        binding.type = kSnmpCounter64;
        binding.value = DecimalText((static_cast<unsigned long long>(wide->high) << 32) |
                                    (wide->low & 0xFFFFFFFFul));
        break;
    }
    case ASN_OBJECT_ID:
        binding.type = kSnmpObjectId;
        binding.value = OidToText(std::vector<uint32_t>(
            variable->val.objid, variable->val.objid + variable->val_len / sizeof(oid)));
        break;
    case SNMP_NOSUCHOBJECT:
        binding.type = kSnmpNoSuchObject;
        break;
    case SNMP_NOSUCHINSTANCE:
        binding.type = kSnmpNoSuchInstance;
        break;
    case SNMP_ENDOFMIBVIEW:
        binding.type = kSnmpEndOfMibView;
        break;
    default:
        binding.type = kSnmpNull;
        break;
    }
    return binding;
}

bool AddBinding(netsnmp_pdu* pdu, const SnmpVarBind& binding) {
    std::vector<oid> name(binding.oid.begin(), binding.oid.end());
    long integer = 0;
    u_long unsignedValue = 0;
    in_addr address{};
    const u_char* value = nullptr;
    size_t length = 0;
    u_char type = ASN_NULL;
    switch (binding.type) {
    case kSnmpInteger:
        integer = std::strtol(binding.value.c_str(), nullptr, 10);
        type = ASN_INTEGER;
        value = reinterpret_cast<const u_char*>(&integer);
        length = sizeof integer;
        break;
    case kSnmpOctetString:
        type = ASN_OCTET_STR;
        value = reinterpret_cast<const u_char*>(binding.value.data());
        length = binding.value.size();
        break;
    case kSnmpIpAddress:
        if (inet_pton(AF_INET, binding.value.c_str(), &address) != 1) {
            return false;
        }
        type = ASN_IPADDRESS;
        value = reinterpret_cast<const u_char*>(&address);
        length = 4;
        break;
    case kSnmpUnsigned:
        unsignedValue = std::strtoul(binding.value.c_str(), nullptr, 10);
        type = ASN_GAUGE;
        value = reinterpret_cast<const u_char*>(&unsignedValue);
        length = sizeof unsignedValue;
        break;
    case kSnmpNull:
        break;
    default:
        return false;
    }
    return snmp_pdu_add_variable(pdu, name.data(), name.size(), type, value, length) != nullptr;
}

int PduCommand(int pduType) {
    switch (pduType) {
    case kPduGet:
        return SNMP_MSG_GET;
    case kPduGetNext:
        return SNMP_MSG_GETNEXT;
    case kPduSet:
        return SNMP_MSG_SET;
    default:
        return 0;
    }
}

int SecurityLevelCode(SecurityLevel level) {
    switch (level) {
    case SecurityLevel::AuthNoPriv:
        return SNMP_SEC_LEVEL_AUTHNOPRIV;
    case SecurityLevel::AuthPriv:
        return SNMP_SEC_LEVEL_AUTHPRIV;
    case SecurityLevel::NoAuthNoPriv:
        break;
    }
    return SNMP_SEC_LEVEL_NOAUTH;
}

// Ku of a password, as Net-SNMP localises it later for the agent's engine.
bool MakeKu(const oid* hash, size_t hashLength, const std::string& password, u_char* key,
            size_t* keyLength) {
    if (password.size() < 8) {
        return false; // USM refuses passwords shorter than 8 characters
    }
    std::string copy = password;
    return generate_Ku(hash, static_cast<u_int>(hashLength), reinterpret_cast<u_char*>(copy.data()),
                       copy.size(), key, keyLength) == SNMPERR_SUCCESS;
}

bool FillUsmKeys(netsnmp_session& session, const SessionSettings& settings) {
    if (settings.level == SecurityLevel::NoAuthNoPriv) {
        return true;
    }
    session.securityAuthProto = settings.authSha ? usmHMACSHA1AuthProtocol : usmHMACMD5AuthProtocol;
    session.securityAuthProtoLen = USM_AUTH_PROTO_MD5_LEN;
    session.securityAuthKeyLen = USM_AUTH_KU_LEN;
    if (!MakeKu(session.securityAuthProto, session.securityAuthProtoLen, settings.authPassword,
                session.securityAuthKey, &session.securityAuthKeyLen)) {
        return false;
    }
    if (settings.level != SecurityLevel::AuthPriv) {
        return true;
    }
    session.securityPrivProto = usmDESPrivProtocol;
    session.securityPrivProtoLen = USM_PRIV_PROTO_DES_LEN;
    session.securityPrivKeyLen = USM_PRIV_KU_LEN;
    return MakeKu(session.securityAuthProto, session.securityAuthProtoLen, settings.privPassword,
                  session.securityPrivKey, &session.securityPrivKeyLen);
}

// A user's USM entry keeps the keys it was first made with: drop it when they change.
void ForgetStaleUsmUser(const SessionSettings& settings) {
    const std::string entry = settings.userName + '\0' + settings.engineId;
    const std::string credentials = std::to_string(static_cast<int>(settings.level)) +
                                    (settings.authSha ? "S" : "M") + '\0' + settings.authPassword +
                                    '\0' + settings.privPassword;
    auto known = UsmCredentials().find(entry);
    if (known != UsmCredentials().end() && known->second != credentials) {
        usmUser* user =
            usm_get_user(reinterpret_cast<u_char*>(const_cast<char*>(settings.engineId.data())),
                         settings.engineId.size(), const_cast<char*>(settings.userName.c_str()));
        if (user != nullptr) {
            usm_remove_user(user);
            usm_free_user(user);
        }
    }
    UsmCredentials()[entry] = credentials;
}

} // namespace

void InitLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        std::lock_guard lock(LibraryMutex());
        setenv("MIBS", "", 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
        static std::string persistent = [] {
            const char* base = std::getenv("TMPDIR");
            return std::string(base != nullptr ? base : "/tmp") + "/ksx-snmp-" +
                   std::to_string(getuid());
        }();
        netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR,
                              persistent.c_str());
        snmp_disable_log();
        init_snmp("ksx-module");
    });
}

std::string PeerName(const std::string& address, uint16_t port) {
    if (address.find(':') != std::string::npos) {
        return "udp6:[" + address + "]:" + std::to_string(port);
    }
    return "udp:" + address + ":" + std::to_string(port);
}

std::string SessionSettings::Key() const {
    if (version == Version::V2c) {
        return peer + "|v2c";
    }
    return peer + "|v3|" + userName + '\0' + engineId + '\0' + std::to_string(msgMaxSize) +
           std::to_string(static_cast<int>(level)) + (authSha ? "S" : "M") + '\0' + authPassword +
           '\0' + privPassword;
}

Transport::Transport() : m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

Transport::~Transport() {
    {
        std::lock_guard lock(LibraryMutex());
        CloseSession();
    }
    if (m_wakeFd >= 0) {
        close(m_wakeFd);
    }
}

void Transport::Cancel() {
    m_cancelled = true;
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(m_wakeFd, &one, sizeof one);
    }
}

void Transport::ResetCancel() {
    m_cancelled = false;
    if (m_wakeFd >= 0) {
        uint64_t count = 0;
        [[maybe_unused]] ssize_t got = read(m_wakeFd, &count, sizeof count);
    }
}

void Transport::CloseSession() {
    if (m_session != nullptr) {
        m_expectedRequestId = 0; // callbacks of the close find nothing to answer
        snmp_sess_close(m_session);
        m_session = nullptr;
        m_sessionKey.clear();
    }
}

int Transport::OpenSession(const SessionSettings& settings) {
    const std::string key = settings.Key();
    if (m_session != nullptr && key == m_sessionKey) {
        return kSnmpOk;
    }
    CloseSession();
    netsnmp_session session;
    snmp_sess_init(&session);
    std::string peer = settings.peer;
    session.peername = peer.data();
    session.retries = 0;
    session.callback = Callback;
    session.callback_magic = this;
    std::string userName = settings.userName;
    std::string engineId = settings.engineId;
    if (settings.version == Version::V2c) {
        session.version = SNMP_VERSION_2c;
    } else {
        session.version = SNMP_VERSION_3;
        session.flags |= SNMP_FLAGS_DONT_PROBE;
        session.securityModel = settings.securityModel;
        session.securityName = userName.data();
        session.securityNameLen = userName.size();
        session.securityLevel = SecurityLevelCode(settings.level);
        session.rcvMsgMaxSize = static_cast<size_t>(settings.msgMaxSize);
        if (!engineId.empty()) {
            session.securityEngineID = reinterpret_cast<u_char*>(engineId.data());
            session.securityEngineIDLen = engineId.size();
            session.contextEngineID = session.securityEngineID;
            session.contextEngineIDLen = session.securityEngineIDLen;
        }
        if (!FillUsmKeys(session, settings)) {
            return kSnmpFailed;
        }
        if (!engineId.empty()) {
            ForgetStaleUsmUser(settings);
        }
    }
    m_session = snmp_sess_open(&session);
    if (m_session == nullptr) {
        return kSnmpFailed;
    }
    m_sessionKey = key;
    return kSnmpOk;
}

int Transport::SendPdu(void* pduPointer) {
    auto* pdu = static_cast<netsnmp_pdu*>(pduPointer);
    m_done = false;
    m_status = kSnmpTimeout;
    int requestId = snmp_sess_async_send(m_session, pdu, Callback, this);
    if (requestId == 0) {
        snmp_free_pdu(pdu);
        m_expectedRequestId = 0;
        return kSnmpFailed;
    }
    m_expectedRequestId = requestId;
    return kSnmpOk;
}

void Transport::OnCallback(int operation, int requestId, void* pduPointer) {
    if (requestId != m_expectedRequestId || m_done) {
        return; // an answer to a request given up before
    }
    auto* pdu = static_cast<netsnmp_pdu*>(pduPointer);
    switch (operation) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
        if (m_discoveredEngineId != nullptr) {
            if (pdu->securityEngineIDLen > 0) {
                m_discoveredEngineId->assign(reinterpret_cast<char*>(pdu->securityEngineID),
                                             pdu->securityEngineIDLen);
            }
            m_status = m_discoveredEngineId->empty() ? kSnmpFailed : kSnmpOk;
        } else if (pdu->command == SNMP_MSG_REPORT) {
            m_status = kSnmpFailed; // USM refused the request (unknown user, wrong digest...)
        } else if (m_answer != nullptr) {
            m_answer->errorStatus = pdu->errstat;
            m_answer->errorIndex = static_cast<unsigned long>(pdu->errindex);
            for (const netsnmp_variable_list* v = pdu->variables; v != nullptr;
                 v = v->next_variable) {
                m_answer->bindings.push_back(ToBinding(v));
            }
            m_status = kSnmpOk;
        }
        m_done = true;
        break;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
        m_status = kSnmpTimeout;
        m_done = true;
        break;
    case NETSNMP_CALLBACK_OP_SEND_FAILED:
    case NETSNMP_CALLBACK_OP_DISCONNECT:
        m_status = kSnmpFailed;
        m_done = true;
        break;
    default: // a retransmission, a connection: keep waiting
        break;
    }
}

int Transport::WaitForAnswer(const Deadline& deadline) {
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        int fdCount = 0;
        int block = 1;
        timeval wait{};
        {
            std::lock_guard lock(LibraryMutex());
            if (m_done) {
                m_expectedRequestId = 0;
                return m_status;
            }
            snmp_sess_select_info(m_session, &fdCount, &readable, &wait, &block);
        }
        const long remaining = deadline.RemainingUs();
        if (remaining == 0) {
            std::lock_guard lock(LibraryMutex());
            m_expectedRequestId = 0;
            return kSnmpTimeout;
        }
        if (block != 0 || wait.tv_sec * 1000000L + wait.tv_usec > remaining) {
            wait.tv_sec = remaining / 1000000L;
            wait.tv_usec = remaining % 1000000L;
        }
        if (m_wakeFd < 0 || m_wakeFd >= FD_SETSIZE || fdCount > FD_SETSIZE) {
            return kSnmpFailed;
        }
        FD_SET(m_wakeFd, &readable);
        fdCount = std::max(fdCount, m_wakeFd + 1);
        const int ready = select(fdCount, &readable, nullptr, nullptr, &wait);
        if (ready < 0 && errno != EINTR) {
            return kSnmpFailed;
        }
        if (m_cancelled) {
            std::lock_guard lock(LibraryMutex());
            m_expectedRequestId = 0;
            return kSnmpCancelled;
        }
        std::lock_guard lock(LibraryMutex());
        if (ready > 0) {
            FD_CLR(m_wakeFd, &readable);
            snmp_sess_read(m_session, &readable);
        } else if (ready == 0) {
            snmp_sess_timeout(m_session);
        }
    }
}

int Transport::Exchange(const SessionSettings& settings, const Request& request,
                        const Deadline& deadline, Answer& answer) {
    if (m_cancelled) {
        return kSnmpCancelled;
    }
    const int command = request.maxRepetitions > 0 ? SNMP_MSG_GETBULK : PduCommand(request.command);
    if (command == 0 || request.bindings == nullptr || request.bindings->empty()) {
        return kSnmpFailed;
    }
    {
        std::lock_guard lock(LibraryMutex());
        int status = OpenSession(settings);
        if (status != kSnmpOk) {
            return status;
        }
        snmp_sess_session(m_session)->timeout = std::max(deadline.RemainingUs(), 1L);
        netsnmp_pdu* pdu = snmp_pdu_create(command);
        if (command == SNMP_MSG_GETBULK) {
            pdu->non_repeaters = request.nonRepeaters;
            pdu->max_repetitions = request.maxRepetitions;
        }
        if (settings.version == Version::V2c) {
            pdu->community = static_cast<u_char*>(malloc(request.community.size() + 1));
            std::memcpy(pdu->community, request.community.c_str(), request.community.size() + 1);
            pdu->community_len = request.community.size();
        }
        for (const SnmpVarBind& binding : *request.bindings) {
            if (!AddBinding(pdu, binding)) {
                snmp_free_pdu(pdu);
                return kSnmpFailed;
            }
        }
        answer = Answer();
        m_answer = &answer;
        m_discoveredEngineId = nullptr;
        status = SendPdu(pdu);
        if (status != kSnmpOk) {
            m_answer = nullptr;
            return status;
        }
    }
    const int status = WaitForAnswer(deadline);
    std::lock_guard lock(LibraryMutex());
    m_answer = nullptr;
    return status;
}

int Transport::DiscoverEngineId(const std::string& peer, const Deadline& deadline,
                                std::string& engineId) {
    if (m_cancelled) {
        return kSnmpCancelled;
    }
    // An engine ID the agent does not have: it answers with a report that carries its own.
    // (With no engine ID at all, Net-SNMP would probe by itself, blocking and uncancellable.)
    SessionSettings probe;
    probe.version = Version::V3;
    probe.peer = peer;
    probe.engineId = std::string("\x80\x00\x00\x00\x04ksx-probe", 14);

    {
        std::lock_guard lock(LibraryMutex());
        int status = OpenSession(probe);
        if (status != kSnmpOk) {
            return status;
        }
        snmp_sess_session(m_session)->timeout = std::max(deadline.RemainingUs(), 1L);
        netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
        pdu->version = SNMP_VERSION_3;
        pdu->securityModel = SNMP_SEC_MODEL_USM;
        pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
        pdu->securityName = strdup(""); // the empty user, as discovery asks
        pdu->securityNameLen = 0;
        engineId.clear();
        m_answer = nullptr;
        m_discoveredEngineId = &engineId;
        status = SendPdu(pdu);
        if (status != kSnmpOk) {
            m_discoveredEngineId = nullptr;
            return status;
        }
    }
    const int status = WaitForAnswer(deadline);
    std::lock_guard lock(LibraryMutex());
    m_discoveredEngineId = nullptr;
    CloseSession(); // the probe session is of no further use
    return status;
}

} // namespace snmpnet
