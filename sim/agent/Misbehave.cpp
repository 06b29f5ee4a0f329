// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/agent/Misbehave.h"

#include "sim/agent/AgentState.h"

#include <array>

namespace ksxsim {

namespace {

enum class Fault {
    None,
    WrongType,
    EmptyString,
    LongString,
    BadNumber,
    ShortList,
    LongList,
    MissingArc,
    ExtraArc,
    HoleInRow,
    EndsEarly,
    SameOid,
    EarlierOid,
};

constexpr std::array kFaults = {
    Fault::WrongType, Fault::EmptyString, Fault::LongString, Fault::BadNumber,
    Fault::ShortList, Fault::LongList,    Fault::MissingArc, Fault::ExtraArc,
    Fault::HoleInRow, Fault::EndsEarly,   Fault::SameOid,    Fault::EarlierOid,
};

constexpr std::array<int64_t, 6> kBadNumbers = {-1, 0, 2147483647, -2147483647 - 1, 77, 4096};

uint64_t Mix(uint64_t hash, uint64_t value) {
    hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
    hash *= 0xff51afd7ed558ccdull;
    return hash ^ (hash >> 33);
}

uint64_t Hash(unsigned long seed, const Oid& oid) {
    uint64_t hash = Mix(0x5ca1ab1e, seed);
    for (uint32_t arc : oid) {
        hash = Mix(hash, arc);
    }
    return hash;
}

// About half of the objects answer correctly, so that walks get far enough to meet the rest.
Fault FaultOf(unsigned long seed, const ObjectDef* def) {
    if (def == nullptr) {
        return Fault::None;
    }
    const uint64_t pick = Hash(seed, def->oid) % (2 * kFaults.size());
    return pick < kFaults.size() ? kFaults[pick] : Fault::None;
}

bool IsNumber(Tag tag) {
    return tag == Tag::Integer || tag == Tag::Counter32 || tag == Tag::Gauge32 ||
           tag == Tag::TimeTicks || tag == Tag::Counter64;
}

bool IsByteString(Tag tag) {
    return tag == Tag::OctetString || tag == Tag::IpAddress || tag == Tag::Opaque;
}

std::string LongBytes() {
    std::string bytes(1000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 37 + 0xA5) & 0xFF);
    }
    return bytes;
}

Value BadNumber(Tag tag, uint64_t instanceHash) {
    Value value;
    value.tag = IsNumber(tag) ? tag : Tag::Integer;
    value.number = kBadNumbers[instanceHash % kBadNumbers.size()];
    if (value.tag != Tag::Integer && value.tag != Tag::Counter64) {
        value.number = static_cast<uint32_t>(value.number);
    }
    return value;
}

// The value a faulty object gives for one instance.
Value Spoil(Fault fault, const Value& value, uint64_t instanceHash) {
    switch (fault) {
    case Fault::WrongType:
        if (IsNumber(value.tag)) {
            return Value::Str(std::string("\xff\x00garbage", 9));
        }
        return instanceHash % 2 ? Value::Int(-5) : Value::ObjectId({1, 3, 6, 1, 4, 1, 99999});
    case Fault::EmptyString:
        return Value::Str("");
    case Fault::LongString:
        return Value::Str(LongBytes());
    case Fault::BadNumber:
        return BadNumber(value.tag, instanceHash);
    case Fault::ShortList:
        if (IsByteString(value.tag)) {
            Value shorter = value;
            shorter.bytes.resize(value.bytes.size() / 2);
            return shorter;
        }
        return BadNumber(value.tag, instanceHash);
    case Fault::LongList:
        if (IsByteString(value.tag)) {
            Value longer = value;
            longer.bytes.append(value.bytes.size() + 3, '\xff');
            return longer;
        }
        return BadNumber(value.tag, instanceHash);
    default:
        return value;
    }
}

Value ValueNow(const Oid& instance, const Cell& cell) {
    return CurrentValue(instance, cell, UptimeTicks());
}

struct Answer {
    Oid oid;
    Value value;
    int exception = 0; // SNMP_NOSUCHOBJECT, SNMP_NOSUCHINSTANCE or SNMP_ENDOFMIBVIEW
};

Answer Get(const Oid& name, unsigned long seed) {
    const SwitchModel& model = *State().model;
    auto it = model.Data().find(name);
    if (it == model.Data().end()) {
        const bool known = model.Definitions().Find(name) != nullptr;
        return {name, {}, known ? int{SNMP_NOSUCHINSTANCE} : int{SNMP_NOSUCHOBJECT}};
    }
    const Fault fault = FaultOf(seed, it->second.def);
    const uint64_t instanceHash = Hash(seed, name);
    if (fault == Fault::HoleInRow && instanceHash % 2 == 0) {
        return {name, {}, SNMP_NOSUCHINSTANCE};
    }
    return {name, Spoil(fault, ValueNow(name, it->second), instanceHash)};
}

Answer GetNext(const Oid& name, unsigned long seed) {
    const Store& store = State().model->Data();
    auto it = store.upper_bound(name);
    if (it == store.end()) {
        return {name, {}, SNMP_ENDOFMIBVIEW};
    }
    const Oid& found = it->first;
    const ObjectDef* def = it->second.def;
    const Fault fault = FaultOf(seed, def);
    const uint64_t instanceHash = Hash(seed, found);
    Answer answer{found, Spoil(fault, ValueNow(found, it->second), instanceHash)};
    switch (fault) {
    case Fault::MissingArc:
        if (found.size() > def->oid.size() + 1) {
            answer.oid.pop_back();
        }
        break;
    case Fault::ExtraArc:
        answer.oid.push_back(static_cast<uint32_t>(instanceHash % 5));
        break;
    case Fault::HoleInRow:
        if (instanceHash % 2 == 0) {
            answer.exception = SNMP_NOSUCHINSTANCE;
        }
        break;
    case Fault::EndsEarly:
        if (instanceHash % 3 == 0) {
            return {name, {}, SNMP_ENDOFMIBVIEW};
        }
        break;
    case Fault::SameOid:
        answer.oid = name;
        break;
    case Fault::EarlierOid:
        answer.oid = def->oid;
        break;
    default:
        break;
    }
    return answer;
}

// What one binding takes in the encoded answer, roughly.
size_t EncodedSize(const Answer& answer) {
    return 8 + answer.oid.size() * 2 + answer.value.bytes.size() + answer.value.oid.size() * 2;
}

void AddBinding(netsnmp_pdu* reply, const Answer& answer) {
    const std::vector<oid> name(answer.oid.begin(), answer.oid.end());
    if (answer.exception != 0) {
        snmp_pdu_add_variable(reply, name.data(), name.size(),
                              static_cast<u_char>(answer.exception), nullptr, 0);
        return;
    }
    const Value& v = answer.value;
    switch (v.tag) {
    case Tag::Integer: {
        long n = static_cast<long>(v.number);
        snmp_pdu_add_variable(reply, name.data(), name.size(), ASN_INTEGER, &n, sizeof n);
        break;
    }
    case Tag::Counter32:
    case Tag::Gauge32:
    case Tag::TimeTicks: {
        u_long n = static_cast<uint32_t>(v.number);
        snmp_pdu_add_variable(reply, name.data(), name.size(), static_cast<u_char>(v.tag), &n,
                              sizeof n);
        break;
    }
    case Tag::Counter64: {
        counter64 c{};
        c.high = static_cast<uint64_t>(v.number) >> 32;
        c.low = static_cast<uint64_t>(v.number) & 0xffffffffu;
        snmp_pdu_add_variable(reply, name.data(), name.size(), ASN_COUNTER64, &c, sizeof c);
        break;
    }
    case Tag::OctetString:
    case Tag::IpAddress:
    case Tag::Opaque:
        snmp_pdu_add_variable(reply, name.data(), name.size(), static_cast<u_char>(v.tag),
                              v.bytes.data(), v.bytes.size());
        break;
    case Tag::ObjectId: {
        const std::vector<oid> arcs(v.oid.begin(), v.oid.end());
        snmp_pdu_add_variable(reply, name.data(), name.size(), ASN_OBJECT_ID, arcs.data(),
                              arcs.size() * sizeof(oid));
        break;
    }
    case Tag::Null:
        snmp_pdu_add_variable(reply, name.data(), name.size(), ASN_NULL, nullptr, 0);
        break;
    }
}

bool KnownCaller(const netsnmp_pdu* pdu) {
    const SimOptions& options = State().options;
    if (pdu->version == SNMP_VERSION_3) {
        return true; // the user's keys were checked when the message was read
    }
    if (pdu->version != SNMP_VERSION_2c || pdu->community == nullptr) {
        return false;
    }
    const std::string community(reinterpret_cast<const char*>(pdu->community), pdu->community_len);
    return community == options.roCommunity || community == options.rwCommunity;
}

// GETBULK: the non-repeaters once, then rows until the repetitions or about one Ethernet
// datagram are used up (at least one row).
std::vector<Answer> Bulk(const std::vector<Oid>& names, long nonRepeaters, long repetitions,
                         unsigned long seed) {
    std::vector<Answer> answers;
    const size_t fixed = static_cast<size_t>(std::clamp<long>(nonRepeaters, 0, names.size()));
    for (size_t i = 0; i < fixed; ++i) {
        answers.push_back(GetNext(names[i], seed));
    }
    std::vector<Oid> cursor(names.begin() + static_cast<long>(fixed), names.end());
    size_t bytes = 0;
    for (long row = 0; row < repetitions && !cursor.empty(); ++row) {
        if (row > 0 && bytes > 1200) {
            break;
        }
        for (Oid& from : cursor) {
            Answer answer = GetNext(from, seed);
            bytes += EncodedSize(answer);
            from = answer.oid;
            answers.push_back(std::move(answer));
        }
    }
    return answers;
}

} // namespace

bool AnswerMisbehaving(netsnmp_session* session, netsnmp_pdu* pdu, unsigned long seed) {
    const int command = pdu->command;
    if ((command != SNMP_MSG_GET && command != SNMP_MSG_GETNEXT && command != SNMP_MSG_GETBULK) ||
        !KnownCaller(pdu)) {
        return false;
    }
    std::vector<Oid> names;
    for (auto* vb = pdu->variables; vb != nullptr; vb = vb->next_variable) {
        names.emplace_back(vb->name, vb->name + vb->name_length);
    }
    std::vector<Answer> answers;
    if (command == SNMP_MSG_GETBULK) {
        answers = Bulk(names, pdu->non_repeaters, pdu->max_repetitions, seed);
    } else {
        for (const Oid& name : names) {
            answers.push_back(command == SNMP_MSG_GET ? Get(name, seed) : GetNext(name, seed));
        }
    }
    netsnmp_pdu* reply = snmp_clone_pdu(pdu);
    if (reply == nullptr) {
        return true;
    }
    snmp_free_varbind(reply->variables);
    reply->variables = nullptr;
    reply->command = SNMP_MSG_RESPONSE;
    reply->errstat = 0;
    reply->errindex = 0;
    for (const Answer& answer : answers) {
        AddBinding(reply, answer);
    }
    if (snmp_send(session, reply) == 0) {
        snmp_free_pdu(reply);
    }
    return true;
}

} // namespace ksxsim
