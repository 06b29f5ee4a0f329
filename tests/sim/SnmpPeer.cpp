// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/sim/SnmpPeer.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/net-snmp-includes.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace simtest {

using ksxsim::Oid;
using ksxsim::Tag;

namespace {

// Net-SNMP initialised once for tests: no MIBs, no configuration files, nothing persisted.
void InitClientLibrary() {
    static const bool done = [] {
        static const std::string dir =
            (std::filesystem::temp_directory_path() / "ksx-sim-test-client").string();
        std::filesystem::create_directories(dir);
        setenv("MIBS", "", 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, dir.c_str());
        init_snmp("ksx-sim-test");
        return true;
    }();
    (void)done;
}

void SetUpV3(netsnmp_session& s, const Credentials& c) {
    s.version = SNMP_VERSION_3;
    s.securityName = strdup(c.user.c_str());
    s.securityNameLen = c.user.size();
    s.securityLevel = c.auth.empty()
                          ? SNMP_SEC_LEVEL_NOAUTH
                          : (c.priv.empty() ? SNMP_SEC_LEVEL_AUTHNOPRIV : SNMP_SEC_LEVEL_AUTHPRIV);
    if (!c.auth.empty()) {
        s.securityAuthProto =
            snmp_duplicate_objid(c.auth == "MD5" ? usmHMACMD5AuthProtocol : usmHMACSHA1AuthProtocol,
                                 USM_AUTH_PROTO_SHA_LEN);
        s.securityAuthProtoLen = USM_AUTH_PROTO_SHA_LEN;
        s.securityAuthKeyLen = USM_AUTH_KU_LEN;
        generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                    reinterpret_cast<const u_char*>(c.authPassword.data()), c.authPassword.size(),
                    s.securityAuthKey, &s.securityAuthKeyLen);
    }
    if (!c.priv.empty()) {
        const oid* proto = c.priv == "AES" ? usmAESPrivProtocol : usmDESPrivProtocol;
        s.securityPrivProto = snmp_duplicate_objid(proto, USM_PRIV_PROTO_DES_LEN);
        s.securityPrivProtoLen = USM_PRIV_PROTO_DES_LEN;
        s.securityPrivKeyLen = USM_PRIV_KU_LEN;
        generate_Ku(s.securityAuthProto, s.securityAuthProtoLen,
                    reinterpret_cast<const u_char*>(c.privPassword.data()), c.privPassword.size(),
                    s.securityPrivKey, &s.securityPrivKeyLen);
    }
}

std::vector<oid> ToArcs(const std::string& text) {
    auto parsed = ksxsim::ParseOid(text);
    return parsed ? std::vector<oid>(parsed->begin(), parsed->end()) : std::vector<oid>{};
}

void AddValue(netsnmp_pdu* pdu, const std::vector<oid>& name, const ksxsim::Value& v) {
    switch (v.tag) {
    case Tag::Integer:
    case Tag::Counter32:
    case Tag::Gauge32:
    case Tag::TimeTicks: {
        long n = static_cast<long>(v.number); // the library reads a long for all four
        snmp_pdu_add_variable(pdu, name.data(), name.size(), static_cast<u_char>(v.tag), &n,
                              sizeof n);
        break;
    }
    case Tag::ObjectId: {
        std::vector<oid> arcs(v.oid.begin(), v.oid.end());
        snmp_pdu_add_variable(pdu, name.data(), name.size(), ASN_OBJECT_ID, arcs.data(),
                              arcs.size() * sizeof(oid));
        break;
    }
    case Tag::Null:
        snmp_add_null_var(pdu, name.data(), name.size());
        break;
    default:
        snmp_pdu_add_variable(pdu, name.data(), name.size(), static_cast<u_char>(v.tag),
                              v.bytes.data(), v.bytes.size());
        break;
    }
}

std::vector<std::pair<std::string, ksxsim::Value>>
NullBindings(const std::vector<std::string>& oids) {
    std::vector<std::pair<std::string, ksxsim::Value>> bindings;
    for (const auto& o : oids) {
        bindings.emplace_back(o, ksxsim::Value{});
    }
    return bindings;
}

Bound Read(const netsnmp_variable_list* vb) {
    Bound b;
    b.oid = ksxsim::FormatOid(Oid(vb->name, vb->name + vb->name_length));
    b.type = vb->type;
    switch (vb->type) {
    case ASN_INTEGER:
        b.value = ksxsim::Value::Int(*vb->val.integer);
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
        b.value.tag = static_cast<Tag>(vb->type);
        b.value.number = static_cast<uint32_t>(*vb->val.integer);
        break;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
    case ASN_OPAQUE:
        b.value.tag = static_cast<Tag>(vb->type);
        b.value.bytes.assign(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        break;
    case ASN_OBJECT_ID:
        b.value =
            ksxsim::Value::ObjectId(Oid(vb->val.objid, vb->val.objid + vb->val_len / sizeof(oid)));
        break;
    default:
        break;
    }
    return b;
}

} // namespace

SnmpPeer::SnmpPeer(const std::string& address, Credentials credentials, int timeoutMs,
                   int retries) {
    InitClientLibrary();
    netsnmp_session s;
    snmp_sess_init(&s);
    std::string peer = address;
    s.peername = peer.data();
    s.timeout = timeoutMs * 1000L;
    s.retries = retries;
    if (credentials.user.empty()) {
        s.version = SNMP_VERSION_2c;
        s.community = reinterpret_cast<u_char*>(credentials.community.data());
        s.community_len = credentials.community.size();
        m_session = snmp_sess_open(&s);
    } else {
        SetUpV3(s, credentials);
        m_session = snmp_sess_open(&s);
        free(s.securityName);
        free(s.securityAuthProto);
        free(s.securityPrivProto);
    }
}

SnmpPeer::~SnmpPeer() {
    if (m_session != nullptr) {
        snmp_sess_close(m_session);
    }
}

Reply SnmpPeer::Request(int command,
                        const std::vector<std::pair<std::string, ksxsim::Value>>& bindings) {
    Reply reply;
    if (m_session == nullptr) {
        reply.error = "no session";
        return reply;
    }
    netsnmp_pdu* pdu = snmp_pdu_create(command);
    for (const auto& [name, value] : bindings) {
        AddValue(pdu, ToArcs(name), value);
    }
    netsnmp_pdu* response = nullptr;
    int status = snmp_sess_synch_response(m_session, pdu, &response);
    if (status == STAT_SUCCESS && response != nullptr) {
        reply.answered = true;
        reply.errorStatus = response->errstat;
        reply.errorIndex = response->errindex;
        for (auto* vb = response->variables; vb != nullptr; vb = vb->next_variable) {
            reply.bindings.push_back(Read(vb));
        }
    } else {
        int libraryError = 0, systemError = 0;
        char* text = nullptr;
        snmp_sess_error(m_session, &libraryError, &systemError, &text);
        reply.error = text != nullptr ? text : "error";
        free(text);
    }
    if (response != nullptr) {
        snmp_free_pdu(response);
    }
    return reply;
}

Reply SnmpPeer::Get(const std::vector<std::string>& oids) {
    return Request(SNMP_MSG_GET, NullBindings(oids));
}

Reply SnmpPeer::GetNext(const std::vector<std::string>& oids) {
    return Request(SNMP_MSG_GETNEXT, NullBindings(oids));
}

Reply SnmpPeer::Set(const std::vector<std::pair<std::string, ksxsim::Value>>& bindings) {
    return Request(SNMP_MSG_SET, bindings);
}

std::vector<Bound> SnmpPeer::Walk(const std::string& root) {
    std::vector<Bound> rows;
    Oid prefix = *ksxsim::ParseOid(root);
    std::string next = root;
    while (true) {
        Reply reply = GetNext({next});
        if (!reply.answered || reply.errorStatus != 0 || reply.bindings.empty() ||
            reply.bindings[0].type == SNMP_ENDOFMIBVIEW) {
            return rows;
        }
        auto name = ksxsim::ParseOid(reply.bindings[0].oid);
        if (!name || !ksxsim::StartsWith(*name, prefix)) {
            return rows;
        }
        next = reply.bindings[0].oid;
        rows.push_back(reply.bindings[0]);
    }
}

std::optional<ksxsim::Value> SnmpPeer::Value(const std::string& oid) {
    Reply reply = Get({oid});
    if (!reply.answered || reply.errorStatus != 0 || reply.bindings.size() != 1 ||
        reply.bindings[0].type >= 0x80) {
        return std::nullopt;
    }
    return reply.bindings[0].value;
}

long SnmpPeer::Number(const std::string& oid, long fallback) {
    auto v = Value(oid);
    return v ? static_cast<long>(v->number) : fallback;
}

} // namespace simtest
