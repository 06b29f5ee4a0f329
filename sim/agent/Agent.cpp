// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// The SNMP side of the simulator: Net-SNMP's master agent with one handler per top-level
// subtree that answers from the model's ordered store.
#include "sim/agent/AgentState.h"
#include "sim/agent/Misbehave.h"
#include "sim/model/Snmprec.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/net-snmp-includes.h>

#include <net-snmp/agent/net-snmp-agent-includes.h>

#include <algorithm>
#include <arpa/inet.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <netinet/in.h>
#include <set>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

extern "C" {
// Exported by the agent library but not declared in its headers.
extern netsnmp_session* main_session;
void init_vacm_conf(void);
}

namespace ksxsim {

AgentState& State() {
    static AgentState state;
    return state;
}

uint32_t UptimeTicks() {
    auto now = std::chrono::steady_clock::now();
    if (now < State().boot) {
        return 0;
    }
    auto elapsed = now - State().boot;
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 10);
}

bool IsSilent() {
    return std::chrono::steady_clock::now() < State().silentUntil;
}

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnStopSignal(int) {
    g_stop = 1;
}

// ---- values between the model and Net-SNMP's variable bindings ----

struct DecodedBinding {
    Oid oid;
    Value value;
    int asnType = 0;
};

Oid ToOid(const oid* arcs, size_t length) {
    Oid result(length);
    for (size_t i = 0; i < length; ++i) {
        result[i] = static_cast<uint32_t>(arcs[i]);
    }
    return result;
}

std::vector<oid> ToNetSnmp(const Oid& arcs) {
    return std::vector<oid>(arcs.begin(), arcs.end());
}

DecodedBinding Decode(const netsnmp_variable_list* vb) {
    DecodedBinding d;
    d.oid = ToOid(vb->name, vb->name_length);
    d.asnType = vb->type;
    Value& v = d.value;
    switch (vb->type) {
    case ASN_INTEGER:
        v = Value::Int(*vb->val.integer);
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
        v.tag = static_cast<Tag>(vb->type);
        v.number = static_cast<uint32_t>(*vb->val.integer);
        break;
    case ASN_COUNTER64:
        v.tag = Tag::Counter64;
        v.number = static_cast<int64_t>((static_cast<uint64_t>(vb->val.counter64->high) << 32) |
                                        vb->val.counter64->low);
        break;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
    case ASN_OPAQUE:
        v.tag = static_cast<Tag>(vb->type);
        v.bytes.assign(reinterpret_cast<const char*>(vb->val.string), vb->val_len);
        break;
    case ASN_OBJECT_ID:
        v = Value::ObjectId(ToOid(vb->val.objid, vb->val_len / sizeof(oid)));
        break;
    default:
        v.tag = Tag::Null;
        break;
    }
    return d;
}

void Encode(netsnmp_variable_list* vb, const Value& v) {
    switch (v.tag) {
    case Tag::Integer: {
        long n = static_cast<long>(v.number);
        snmp_set_var_typed_value(vb, ASN_INTEGER, &n, sizeof n);
        break;
    }
    case Tag::Counter32:
    case Tag::Gauge32:
    case Tag::TimeTicks: {
        u_long n = static_cast<uint32_t>(v.number);
        snmp_set_var_typed_value(vb, static_cast<u_char>(v.tag), &n, sizeof n);
        break;
    }
    case Tag::Counter64: {
        counter64 c{};
        c.high = static_cast<uint64_t>(v.number) >> 32;
        c.low = static_cast<uint64_t>(v.number) & 0xffffffffu;
        snmp_set_var_typed_value(vb, ASN_COUNTER64, &c, sizeof c);
        break;
    }
    case Tag::OctetString:
    case Tag::IpAddress:
    case Tag::Opaque:
        snmp_set_var_typed_value(vb, static_cast<u_char>(v.tag), v.bytes.data(), v.bytes.size());
        break;
    case Tag::ObjectId: {
        auto arcs = ToNetSnmp(v.oid);
        snmp_set_var_typed_value(vb, ASN_OBJECT_ID, arcs.data(), arcs.size() * sizeof(oid));
        break;
    }
    case Tag::Null:
        snmp_set_var_typed_value(vb, ASN_NULL, nullptr, 0);
        break;
    }
}

Value ReadCell(const Oid& instance, const Cell& cell) {
    return CurrentValue(instance, cell, UptimeTicks());
}

// ---- gets ----

void AnswerGet(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* r) {
    const SwitchModel& model = *State().model;
    Oid name = ToOid(r->requestvb->name, r->requestvb->name_length);
    auto it = model.Data().find(name);
    if (it != model.Data().end()) {
        Encode(r->requestvb, ReadCell(name, it->second));
        return;
    }
    bool known = model.Definitions().Find(name) != nullptr;
    netsnmp_set_request_error(reqinfo, r, known ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT);
}

void AnswerGetNext(netsnmp_handler_registration* reg, netsnmp_request_info* r) {
    const Store& store = State().model->Data();
    Oid name = ToOid(r->requestvb->name, r->requestvb->name_length);
    Oid root = ToOid(reg->rootoid, reg->rootoid_len);
    auto it = r->inclusive ? store.lower_bound(name) : store.upper_bound(name);
    if (it == store.end() || !StartsWith(it->first, root)) {
        return; // nothing more here: the agent goes on with the next subtree
    }
    auto arcs = ToNetSnmp(it->first);
    snmp_set_var_objid(r->requestvb, arcs.data(), arcs.size());
    Encode(r->requestvb, ReadCell(it->first, it->second));
}

// ---- sets: one Transaction per request, shared by every registration it touches ----

struct PendingSet {
    std::unique_ptr<Transaction> tx;
    std::optional<SetFailure> failure;
    bool prepared = false;
    bool applied = false;
    bool committed = false;
};

std::map<netsnmp_agent_request_info*, PendingSet> g_pendingSets;

struct SetOutcome {
    bool seen = false;
    bool success = false;
    std::optional<SetFailure> failure;
    bool logged = false;
};
SetOutcome g_lastSet;

void LogSet(const netsnmp_pdu* pdu, const SetOutcome& outcome);

// Logs the set in its last phase, before the agent sends the answer, so that whoever got
// the answer finds the set in the log.
void FinishSet(netsnmp_agent_request_info* reqinfo) {
    g_pendingSets.erase(reqinfo);
    if (!g_lastSet.logged) {
        LogSet(reqinfo->asp->pdu, g_lastSet);
        g_lastSet.logged = true;
    }
}

std::vector<Binding> RequestBindings(netsnmp_agent_request_info* reqinfo) {
    std::vector<Binding> bindings;
    for (auto* vb = reqinfo->asp->pdu->variables; vb != nullptr; vb = vb->next_variable) {
        DecodedBinding d = Decode(vb);
        bindings.push_back({std::move(d.oid), std::move(d.value)});
    }
    return bindings;
}

// --refuse-set: the first binding under a refused prefix, as the switch refuses a value.
std::optional<SetFailure> RefusedByOption(const std::vector<Binding>& bindings) {
    for (const std::string& text : State().options.refuseSetPrefixes) {
        const auto prefix = ParseOid(text);
        for (size_t i = 0; prefix && i < bindings.size(); ++i) {
            if (StartsWith(bindings[i].oid, *prefix)) {
                return SetFailure{ErrorStatus::InconsistentValue, i};
            }
        }
    }
    return std::nullopt;
}

void ReportFailure(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests,
                   const SetFailure& failure) {
    for (auto* r = requests; r != nullptr; r = r->next) {
        if (static_cast<size_t>(r->index - 1) == failure.index) {
            netsnmp_set_request_error(reqinfo, r, static_cast<int>(failure.status));
        }
    }
}

void HandleSet(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) {
    PendingSet& set = g_pendingSets[reqinfo];
    switch (reqinfo->mode) {
    case MODE_SET_RESERVE1:
        if (!set.tx) {
            const std::vector<Binding> bindings = RequestBindings(reqinfo);
            set.tx = std::make_unique<Transaction>(*State().model, bindings);
            set.failure = RefusedByOption(bindings);
            if (!set.failure) {
                set.failure = set.tx->CheckEach();
            }
            g_lastSet = SetOutcome{true, false, std::nullopt};
        }
        break;
    case MODE_SET_RESERVE2:
        if (set.tx && !set.failure && !set.prepared) {
            set.prepared = true;
            set.failure = set.tx->Prepare();
        }
        break;
    case MODE_SET_ACTION:
        if (set.tx && !set.applied && !set.failure) {
            set.tx->Apply();
            set.applied = true;
        }
        break;
    case MODE_SET_UNDO: // the last phase of a set that failed late
        if (set.tx && set.applied) {
            set.tx->Undo();
            set.applied = false;
        }
        g_lastSet.failure = SetFailure{ErrorStatus::CommitFailed, 0};
        FinishSet(reqinfo);
        return;
    case MODE_SET_COMMIT: // the last phase of a set that succeeded
        if (set.tx && set.applied && !set.committed) {
            set.committed = true;
            g_lastSet.success = true;
            HandleEvents(set.tx->Events());
        }
        FinishSet(reqinfo);
        return;
    case MODE_SET_FREE: // the last phase of a set refused while checking
        if (set.tx) {
            g_lastSet.failure = set.failure;
        }
        FinishSet(reqinfo);
        return;
    default:
        break;
    }
    if (set.failure && (reqinfo->mode == MODE_SET_RESERVE1 || reqinfo->mode == MODE_SET_RESERVE2)) {
        ReportFailure(reqinfo, requests, *set.failure);
    }
}

int HandleRequests(netsnmp_mib_handler*, netsnmp_handler_registration* reg,
                   netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests) {
    switch (reqinfo->mode) {
    case MODE_GET:
        for (auto* r = requests; r != nullptr; r = r->next) {
            if (!r->processed) {
                AnswerGet(reqinfo, r);
            }
        }
        break;
    case MODE_GETNEXT:
        for (auto* r = requests; r != nullptr; r = r->next) {
            if (!r->processed) {
                AnswerGetNext(reg, r);
            }
        }
        break;
    default:
        HandleSet(reqinfo, requests);
        break;
    }
    return SNMP_ERR_NOERROR;
}

// ---- the packets: logs, faults, silence ----

std::string VersionText(long version) {
    switch (version) {
    case SNMP_VERSION_1:
        return "1";
    case SNMP_VERSION_2c:
        return "2c";
    case SNMP_VERSION_3:
        return "3";
    default:
        return std::to_string(version);
    }
}

std::string CommandText(int command) {
    switch (command) {
    case SNMP_MSG_GET:
        return "get";
    case SNMP_MSG_GETNEXT:
        return "getnext";
    case SNMP_MSG_GETBULK:
        return "getbulk";
    case SNMP_MSG_SET:
        return "set";
    default:
        return "other";
    }
}

std::string SecurityName(const netsnmp_pdu* pdu) {
    if (pdu->version == SNMP_VERSION_3) {
        return pdu->securityName ? std::string(pdu->securityName, pdu->securityNameLen) : "";
    }
    return pdu->community
               ? std::string(reinterpret_cast<const char*>(pdu->community), pdu->community_len)
               : "";
}

std::string TypeName(int asnType) {
    auto tag = TagFromNumber(asnType);
    return tag ? std::string(TagName(*tag)) : "type " + std::to_string(asnType);
}

std::string Header(const netsnmp_pdu* pdu) {
    return "\"time\":" + JsonString(IsoTimeNow()) +
           ",\"version\":" + JsonString(VersionText(pdu->version)) +
           ",\"security\":" + JsonString(SecurityName(pdu));
}

void LogRequest(const netsnmp_pdu* pdu, bool answered, const char* reason) {
    JsonLog& log = State().requestLog;
    if (!log.IsOpen()) {
        return;
    }
    std::string oids;
    for (auto* vb = pdu->variables; vb != nullptr; vb = vb->next_variable) {
        oids += (oids.empty() ? "" : ",") + JsonString(FormatOid(ToOid(vb->name, vb->name_length)));
    }
    std::string line = "{" + Header(pdu) + ",\"pdu\":" + JsonString(CommandText(pdu->command)) +
                       ",\"oids\":[" + oids + "],\"answered\":" + (answered ? "true" : "false");
    if (pdu->command == SNMP_MSG_GETBULK) {
        line += ",\"repetitions\":" + std::to_string(pdu->max_repetitions);
    }
    if (reason != nullptr) {
        line += ",\"reason\":" + JsonString(reason);
    }
    log.Write(line + "}");
}

void LogSet(const netsnmp_pdu* pdu, const SetOutcome& outcome) {
    JsonLog& log = State().setLog;
    if (!log.IsOpen()) {
        return;
    }
    std::string bindings;
    for (auto* vb = pdu->variables; vb != nullptr; vb = vb->next_variable) {
        DecodedBinding d = Decode(vb);
        bindings += std::string(bindings.empty() ? "" : ",") +
                    "{\"oid\":" + JsonString(FormatOid(d.oid)) +
                    ",\"type\":" + JsonString(TypeName(d.asnType)) +
                    ",\"value\":" + JsonString(ValueText(d.value)) + "}";
    }
    std::string result = "noError";
    size_t errorIndex = 0;
    if (!outcome.seen) {
        result = "noAccess"; // refused by access control before reaching the model
    } else if (outcome.failure) {
        result = std::string(ErrorName(outcome.failure->status));
        errorIndex = outcome.failure->index + 1;
    } else if (!outcome.success) {
        result = "commitFailed";
    }
    log.Write("{" + Header(pdu) + ",\"bindings\":[" + bindings + "],\"result\":" +
              JsonString(result) + ",\"errorIndex\":" + std::to_string(errorIndex) + "}");
}

bool TouchesDroppedPrefix(const netsnmp_pdu* pdu) {
    const auto& prefixes = State().options.dropPrefixes;
    if (prefixes.empty()) {
        return false;
    }
    const Store& store = State().model->Data();
    // The objects the answer would carry: a get-next's successor, a GETBULK's repetitions.
    long steps = 0;
    if (pdu->command == SNMP_MSG_GETNEXT) {
        steps = 1;
    } else if (pdu->command == SNMP_MSG_GETBULK) {
        steps = std::clamp<long>(pdu->max_repetitions, 1, 1000);
    }
    for (auto* vb = pdu->variables; vb != nullptr; vb = vb->next_variable) {
        std::vector<Oid> touched{ToOid(vb->name, vb->name_length)};
        for (auto it = store.upper_bound(touched.front());
             it != store.end() && static_cast<long>(touched.size()) <= steps; ++it) {
            touched.push_back(it->first);
        }
        for (const auto& text : prefixes) {
            auto prefix = ParseOid(text);
            for (const Oid& name : touched) {
                if (prefix && StartsWith(name, *prefix)) {
                    return true;
                }
            }
        }
    }
    return false;
}

// Answers a request with an error and its own bindings (a copy of the request, which
// this takes over).
void SendError(netsnmp_session* session, netsnmp_pdu* reply, long status, long index) {
    if (reply == nullptr) {
        return;
    }
    reply->command = SNMP_MSG_RESPONSE;
    reply->errstat = status;
    reply->errindex = index;
    if (snmp_send(session, reply) == 0) {
        snmp_free_pdu(reply);
    }
}

// While a GETBULK that must not be cut short is answered, an answer longer than the limit
// is held back here; the request is then refused with tooBig.
int (*g_originalSend)(netsnmp_transport*, const void*, int, void**, int*) = nullptr;
bool g_holdOversize = false;
bool g_heldOversize = false;
// The set being answered: a set refused before it reached the model (no write access) is
// logged before its answer leaves, as every other set is, so that whoever got the answer
// finds it in the log.
const netsnmp_pdu* g_setBeingAnswered = nullptr;

int SendUnlessHeld(netsnmp_transport* t, const void* buffer, int size, void** opaque,
                   int* olength) {
    if (g_setBeingAnswered != nullptr && !g_lastSet.logged) {
        LogSet(g_setBeingAnswered, g_lastSet);
        g_lastSet.logged = true;
    }
    if (g_holdOversize && size > State().options.maxMessage) {
        g_heldOversize = true;
        return size;
    }
    return g_originalSend(t, buffer, size, opaque, olength);
}

int AnswerBulkOrTooBig(int op, netsnmp_session* session, int reqid, netsnmp_pdu* pdu, void* magic) {
    netsnmp_pdu* copy = snmp_clone_pdu(pdu);
    g_holdOversize = true;
    g_heldOversize = false;
    int rc = handle_snmp_packet(op, session, reqid, pdu, magic);
    g_holdOversize = false;
    if (g_heldOversize) {
        SendError(session, copy, SNMP_ERR_TOOBIG, 0);
    } else if (copy != nullptr) {
        snmp_free_pdu(copy);
    }
    return rc;
}

int OnPacket(int op, netsnmp_session* session, int reqid, netsnmp_pdu* pdu, void* magic) {
    if (op != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || magic != nullptr) {
        return handle_snmp_packet(op, session, reqid, pdu, magic);
    }
    AgentState& state = State();
    const char* reason = nullptr;
    if (TouchesDroppedPrefix(pdu)) {
        reason = "drop";
    } else if (state.options.dropAfter >= 0 && state.answered >= state.options.dropAfter) {
        reason = "drop-after";
    } else if (pdu->command == SNMP_MSG_GETBULK && state.options.getBulk == "drop") {
        reason = "getbulk";
    }
    LogRequest(pdu, reason == nullptr, reason);
    if (reason != nullptr) {
        return 1; // handled: no answer
    }
    // A GETBULK counts as one request per repetition: the switch falls silent at the same
    // row of a walk however the rows are asked for.
    long units = 1;
    if (pdu->command == SNMP_MSG_GETBULK) {
        units = std::max(1L, pdu->max_repetitions);
        if (state.options.dropAfter >= 0 && units > state.options.dropAfter - state.answered) {
            units = state.options.dropAfter - state.answered;
            pdu->max_repetitions = units;
        }
    }
    state.answered += units;
    if (state.options.delayMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(state.options.delayMs));
    }
    if (pdu->command == SNMP_MSG_GETBULK && state.options.getBulk == "error") {
        SendError(session, snmp_clone_pdu(pdu), SNMP_ERR_GENERR, 1);
        return 1;
    }
    if (pdu->command == SNMP_MSG_GETBULK && state.options.bulkTooBig &&
        state.options.maxMessage > 0) {
        return AnswerBulkOrTooBig(op, session, reqid, pdu, magic);
    }
    if (state.options.maxMessage > 0 &&
        (pdu->msgMaxSize <= 0 || pdu->msgMaxSize > state.options.maxMessage)) {
        pdu->msgMaxSize = state.options.maxMessage;
    }
    if (state.options.misbehaveSeed >= 0 &&
        AnswerMisbehaving(session, pdu, static_cast<unsigned long>(state.options.misbehaveSeed))) {
        return 1;
    }
    bool isSet = pdu->command == SNMP_MSG_SET;
    if (isSet) {
        g_lastSet = SetOutcome{};
        g_pendingSets.clear();
    }
    g_setBeingAnswered = isSet ? pdu : nullptr;
    int rc = handle_snmp_packet(op, session, reqid, pdu, magic);
    g_setBeingAnswered = nullptr;
    if (isSet && !g_lastSet.logged) {
        LogSet(pdu, g_lastSet);
    }
    return rc;
}

// While the switch restarts every datagram is read and thrown away, before Net-SNMP can
// answer it (not even engine discovery gets a report).
int (*g_originalRecv)(netsnmp_transport*, void*, int, void**, int*) = nullptr;

int RecvUnlessSilent(netsnmp_transport* t, void* buffer, int size, void** opaque, int* olength) {
    int length = g_originalRecv(t, buffer, size, opaque, olength);
    if (length > 0 && IsSilent()) {
        if (State().requestLog.IsOpen()) {
            State().requestLog.Write("{\"time\":" + JsonString(IsoTimeNow()) +
                                     ",\"pdu\":\"unknown\",\"answered\":false,"
                                     "\"reason\":\"restarting\"}");
        }
        if (opaque != nullptr && *opaque != nullptr) {
            free(*opaque);
            *opaque = nullptr;
        }
        errno = EAGAIN;
        return -1;
    }
    return length;
}

// ---- start-up ----

std::string DefaultEngineId() {
    // enterprise 99999 with the high bit set, format 4 (text), then the text
    return std::string("\x80\x01\x86\x9f\x04", 5) + "ksx-sim";
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

void Remember(const std::string& line) {
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    netsnmp_config_remember(buffer.data());
}

void ConfigureAccess(const SimOptions& options) {
    Remember("rocommunity " + options.roCommunity + " default");
    Remember("rwcommunity " + options.rwCommunity + " default");
    for (const V3User& user : options.v3Users) {
        std::string line = "createUser " + user.name;
        std::string level = "noauth";
        if (user.auth != "none") {
            line += " " + user.auth + " " + Quoted(user.authPass);
            level = "auth";
            if (user.priv != "none") {
                line += " " + user.priv + " " + Quoted(user.privPass);
                level = "priv";
            }
        }
        Remember(line);
        Remember("rwuser " + user.name + " " + level);
    }
}

std::set<Oid> RegistrationRoots(const Store& store) {
    std::set<Oid> roots;
    for (const auto& entry : store) {
        if (entry.first.size() >= 3) {
            roots.insert(Oid(entry.first.begin(), entry.first.begin() + 2));
        }
    }
    return roots;
}

bool RegisterSubtrees() {
    for (const Oid& root : RegistrationRoots(State().model->Data())) {
        auto arcs = ToNetSnmp(root);
        netsnmp_handler_registration* reg = netsnmp_create_handler_registration(
            "ksx-sim", HandleRequests, arcs.data(), arcs.size(), HANDLER_CAN_RWRITE);
        if (reg == nullptr || netsnmp_register_handler(reg) != MIB_REGISTERED_OK) {
            return false;
        }
    }
    return true;
}

int BoundPort(netsnmp_transport* transport) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (getsockname(transport->sock, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return -1;
    }
    return ntohs(address.sin_port);
}

std::string ListenHost(const std::string& listen) {
    std::string rest = listen.substr(4); // after "udp:"
    auto colon = rest.rfind(':');
    return colon == std::string::npos ? rest : rest.substr(0, colon);
}

bool WriteReadyFile(const std::string& path, const std::string& address) {
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary);
        out << address << "\n" << getpid() << "\n";
        if (!out) {
            return false;
        }
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

bool PrepareStateDir(SimOptions& options, bool& temporary) {
    temporary = options.stateDir.empty();
    if (temporary) {
        std::string pattern = (std::filesystem::temp_directory_path() / "ksx-sim-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) == nullptr) {
            return false;
        }
        options.stateDir = buffer.data();
        return true;
    }
    std::error_code error;
    std::filesystem::create_directories(options.stateDir, error);
    return std::filesystem::is_directory(options.stateDir);
}

void InitNetSnmp(const SimOptions& options, const std::string& engineId) {
    setenv("MIBS", "", 1);
    setenv("MIBDIRS", options.stateDir.c_str(), 1);
    setenv("SNMPCONFPATH", options.stateDir.c_str(), 1);
    setenv("SNMP_PERSISTENT_DIR", options.stateDir.c_str(), 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR,
                          options.stateDir.c_str());
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR,
                          options.stateDir.c_str());
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);
    netsnmp_ds_set_string(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_PORTS,
                          options.listen.c_str());
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID,
                           NETSNMP_DS_AGENT_DONT_LOG_TCPWRAPPERS_CONNECTS, 1);
    netsnmp_ds_set_int(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_MAX_GETBULKRESPONSES,
                       options.bulkBindings > 0 ? static_cast<int>(options.bulkBindings) : -1);
    snmp_enable_stderrlog();
    add_to_init_list(const_cast<char*>("-smux")); // no SMUX listener on TCP 199
    init_agent("ksx-sim");
    init_vacm_conf();
    init_usm_conf("ksx-sim");
    set_exact_engineID(reinterpret_cast<const u_char*>(engineId.data()), engineId.size());
    ConfigureAccess(options);
    init_snmp("ksx-sim");
}

bool LoadModel(AgentState& state, std::string& error) {
    auto profile = ProfileFor(state.options.model);
    if (!profile) {
        error = "unknown model " + state.options.model;
        return false;
    }
    profile->allGiga = state.options.allGiga;
    profile->strictDestroy = state.options.strictDestroy;
    profile->traffic = state.options.traffic;
    profile->fdbEntries = state.options.fdbEntries;
    profile->fdbIds = state.options.fdbIds;
    profile->roCommunity = state.options.roCommunity;
    profile->rwCommunity = state.options.rwCommunity;
    for (const V3User& user : state.options.v3Users) {
        DeviceProfile::AgentUser shown{user.name, 1, 1};
        shown.auth = user.auth == "MD5" ? 2 : (user.auth == "SHA" ? 3 : 1);
        shown.priv = user.priv == "none" ? 1 : 2;
        profile->v3Users.push_back(shown);
    }
    if (state.options.engineIdHex.empty()) {
        profile->engineId = DefaultEngineId();
    } else {
        auto bytes = HexToBytes(state.options.engineIdHex.rfind("0x", 0) == 0
                                    ? state.options.engineIdHex.substr(2)
                                    : state.options.engineIdHex);
        if (!bytes || bytes->size() < 5 || bytes->size() > 32) {
            error = "--engine-id wants 5 to 32 octets in hexadecimal";
            return false;
        }
        profile->engineId = *bytes;
    }
    state.model = std::make_unique<SwitchModel>(*profile);
    for (const auto& path : state.options.dataFiles) {
        if (!LoadSnmprecFile(*state.model, path, error)) {
            return false;
        }
    }
    return true;
}

bool OpenLogs(AgentState& state, std::string& error) {
    if (!state.options.setLog.empty() && !state.setLog.Open(state.options.setLog)) {
        error = "cannot write " + state.options.setLog;
        return false;
    }
    if (!state.options.requestLog.empty() && !state.requestLog.Open(state.options.requestLog)) {
        error = "cannot write " + state.options.requestLog;
        return false;
    }
    return true;
}

void InstallSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: the agent's select returns at once
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

} // namespace

int RunAgent(SimOptions options) {
    AgentState& state = State();
    bool temporaryDir = false;
    if (!PrepareStateDir(options, temporaryDir)) {
        std::cerr << "ksx-sim: cannot create the state folder\n";
        return 1;
    }
    state.options = options;
    std::string error;
    if (!LoadModel(state, error) || !OpenLogs(state, error)) {
        std::cerr << "ksx-sim: " << error << "\n";
        return 1;
    }
    InstallSignals();
    InitNetSnmp(state.options, state.model->Profile().engineId);
    if (!RegisterSubtrees()) {
        std::cerr << "ksx-sim: cannot register the MIB\n";
        return 1;
    }
    if (init_master_agent() != 0 || main_session == nullptr) {
        std::cerr << "ksx-sim: cannot listen on " << state.options.listen << "\n";
        return 1;
    }
    netsnmp_transport* transport = snmp_sess_transport(snmp_sess_pointer(main_session));
    g_originalRecv = transport->f_recv;
    transport->f_recv = RecvUnlessSilent;
    g_originalSend = transport->f_send;
    transport->f_send = SendUnlessHeld;
    main_session->callback = OnPacket;
    state.boot = std::chrono::steady_clock::now();
    if (state.options.animate) {
        StartAnimation();
    }
    std::string address =
        "udp:" + ListenHost(state.options.listen) + ":" + std::to_string(BoundPort(transport));
    if (!state.options.readyFile.empty() && !WriteReadyFile(state.options.readyFile, address)) {
        std::cerr << "ksx-sim: cannot write " << state.options.readyFile << "\n";
        return 1;
    }
    while (g_stop == 0) {
        agent_check_and_process(1);
    }
    snmp_shutdown("ksx-sim");
    if (temporaryDir) {
        std::error_code ignored;
        std::filesystem::remove_all(state.options.stateDir, ignored);
    }
    return 0;
}

} // namespace ksxsim
