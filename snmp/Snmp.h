// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The SNMP message layer the session object stands on: a message (`CSnmpV1` for community
// based SNMP, `CSnmpV3` for the user-based security model) that is built, sent and read
// back, and a table walker (`CSnmpTable`) that moves a message's bindings along a table.
// Implemented on Net-SNMP's single-session API; Net-SNMP headers never leak out of here.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Value-type codes of AddValue/addValue and of values read back.
enum SnmpValueType : int {
    kSnmpInteger = 1,     // INTEGER, as decimal text
    kSnmpOctetString = 2, // OCTET STRING, bytes with a length
    kSnmpNull = 4,        // placeholder of every get and get-next binding
    kSnmpIpAddress = 8,   // IpAddress, dotted text
    kSnmpUnsigned = 10,   // Unsigned32 / Gauge32, as decimal text
    // Types that only come back in responses.
    kSnmpObjectId = 6,
    kSnmpCounter32 = 65,
    kSnmpTimeTicks = 67,
    kSnmpOpaque = 68,
    kSnmpCounter64 = 70,
    kSnmpNoSuchObject = 128,
    kSnmpNoSuchInstance = 129,
    kSnmpEndOfMibView = 130,
};

// PDU types of setType.
enum SnmpPduType : int { kPduGet = 0, kPduGetNext = 1, kPduSet = 3 };

// Results of send/getNext besides 0 (success) and the agent's error-status values.
enum SnmpStatus : int {
    kSnmpOk = 0,
    kSnmpTimeout = -1,    // no response within the timeout
    kSnmpEndOfTable = -2, // a get-next left the requested columns
    kSnmpFailed = -3,     // the request could not be sent (bad address, bad OID, no session)
    kSnmpCancelled = -4,  // cut short by cancel()
    kSnmpNoSuchName = 2,  // SNMPv1 noSuchName; also a v2c noSuchObject/noSuchInstance binding
};

namespace snmpnet {
struct Answer;
struct Request;
struct SessionSettings;
class Deadline;
class Transport;
} // namespace snmpnet

struct SnmpVarBind {
    std::vector<uint32_t> oid;
    int type = kSnmpNull;
    std::string value; // raw bytes for octet strings, text for every other type
};

// Library initialisation: call once on the main thread before any session exists.
void SnmpInit();
// Default request timeout (ms) of messages whose send() is given a timeout of 0.
void SetSnmpTimeout(unsigned timeoutMs);
unsigned SnmpDefaultTimeout();

// Parses dotted-decimal OID text ("1.3.6.1" or ".1.3.6.1"). Empty on bad text.
std::vector<uint32_t> ParseOid(const std::string& text);
std::string OidToText(const std::vector<uint32_t>& oid);

class CSnmp {
public:
    virtual ~CSnmp();
    CSnmp(const CSnmp&) = delete;
    CSnmp& operator=(const CSnmp&) = delete;

    virtual int getVersion() const = 0;
    void setType(int pduType);
    int getType() const { return m_pduType; }

    // Error status and index of a response (0, 0 on a request being built).
    void getErrorInfo(long& status, unsigned long& index) const;
    int getValuesCount() const;

    // Octet strings (any type, in fact): raw bytes and their length. 0 on success.
    int getValue(int index, int& type, std::string& bytes, unsigned& length) const;
    // Any value as text: INTEGER and unsigned types in decimal, IpAddress dotted, OID dotted,
    // octet string as its bytes. 0 on success, -1 for an index out of range.
    int getValue(int index, int& type, std::string& text) const;
    // The returned OID of binding `index`, dotted text; empty when out of range.
    std::string getOid(int index) const;

    int addValue(const std::string& oid, int type, const char* value, unsigned length);
    int addValue(const std::string& oid, int type, const std::string& value);
    void clearVarBindList();

    // Sends the request (get, get-next or set as setType chose) and waits for the answer.
    // 0 with a new response owned by the caller, otherwise a status (SnmpStatus or the
    // agent's error-status). timeoutMs 0 = the library default.
    int send(const std::string& address, std::unique_ptr<CSnmp>& response, unsigned timeoutMs);

    // UDP port of the agent (161 unless set).
    void setPort(uint16_t port) { m_port = port; }
    uint16_t port() const { return m_port; }

    // Cuts short a send() in progress (from any thread) and every later one until
    // resetCancel(). The cut-short send returns kSnmpCancelled.
    void cancel();
    void resetCancel();

    const std::vector<SnmpVarBind>& bindings() const { return m_bindings; }
    std::vector<SnmpVarBind>& bindings() { return m_bindings; }

protected:
    CSnmp();
    virtual std::unique_ptr<CSnmp> makeResponse() const = 0;
    // Version-specific session settings (community or USM user).
    virtual bool fillSettings(snmpnet::SessionSettings& settings) const = 0;
    virtual void fillRequest(snmpnet::Request& request) const = 0;
    // Runs before the request goes out; SNMPv3 discovers the agent's engine ID here.
    virtual int prepareSession(const std::string& address, const snmpnet::Deadline& deadline) {
        (void)address;
        (void)deadline;
        return kSnmpOk;
    }
    bool cancelled() const;

    std::unique_ptr<snmpnet::Transport> m_transport;
    std::vector<SnmpVarBind> m_bindings;
    unsigned m_generation = 0; // changes whenever the request's bindings are rebuilt
    int m_pduType = kPduGet;
    long m_errorStatus = 0;
    unsigned long m_errorIndex = 0;
    uint16_t m_port = 161;

private:
    // One request and its answer, without the SNMPv1 view of exceptions.
    int exchange(const std::string& address, unsigned timeoutMs, snmpnet::Answer& answer);
    std::unique_ptr<CSnmp> takeAnswer(snmpnet::Answer& answer) const;

    friend class CSnmpTable;
};

// Community-based SNMP. "Version 1" of the module speaks SNMPv2c on the wire; a binding
// that comes back noSuchObject or noSuchInstance makes the request fail with noSuchName (2),
// as SNMPv1 would, and endOfMibView after a get-next ends the table.
class CSnmpV1 : public CSnmp {
public:
    explicit CSnmpV1(int unused = 0);
    ~CSnmpV1() override;
    int getVersion() const override { return 1; }
    void setCommunity(const std::string& community) { m_community = community; }
    const std::string& community() const { return m_community; }

protected:
    std::unique_ptr<CSnmp> makeResponse() const override;
    bool fillSettings(snmpnet::SessionSettings& settings) const override;
    void fillRequest(snmpnet::Request& request) const override;

private:
    std::string m_community;
};

// SNMPv3 with USM: MD5 or SHA authentication, DES privacy.
class CSnmpV3 : public CSnmp {
public:
    explicit CSnmpV3(int unused = 0);
    ~CSnmpV3() override;
    int getVersion() const override { return 3; }

    void setMsgMaxSize(int size) { m_msgMaxSize = size; }
    void setMsgSecurityModel(int model) { m_securityModel = model; }
    void setUserName(const std::string& name) { m_userName = name; }
    // 0 noAuthNoPriv, 1 authentication, 3 authentication and privacy.
    void setMsgFlags(int flags) { m_msgFlags = flags; }
    int msgFlags() const { return m_msgFlags; }
    void setAuthArith(int algorithm) { m_authAlgorithm = algorithm; } // 0 MD5, 1 SHA
    int authArith() const { return m_authAlgorithm; }
    void setPriArith(int algorithm) { m_privAlgorithm = algorithm; } // 0 DES
    int priArith() const { return m_privAlgorithm; }
    void setAuthPwd(const char* password, unsigned length);
    void setPriPwd(const char* password, unsigned length);

protected:
    std::unique_ptr<CSnmp> makeResponse() const override;
    bool fillSettings(snmpnet::SessionSettings& settings) const override;
    void fillRequest(snmpnet::Request& request) const override;
    int prepareSession(const std::string& address, const snmpnet::Deadline& deadline) override;

private:
    int m_msgMaxSize = 1024;
    int m_securityModel = 3;
    std::string m_userName;
    int m_msgFlags = 0;
    int m_authAlgorithm = 0;
    int m_privAlgorithm = 0;
    std::string m_authPassword;
    std::string m_privPassword;
    std::string m_engineId; // discovered once per address
    std::string m_engineAddress;
};

// Walks tables with a message: getNext sends the message with its PDU type; after a
// get-next the message's bindings move on to the returned OIDs.
class CSnmpTable {
public:
    explicit CSnmpTable(CSnmp* message);
    virtual ~CSnmpTable();

    // 0 with a new response, -1 no response within the timeout, -2 the answer lies beyond
    // the requested columns (end of table), otherwise the library's status.
    int getNext(const std::string& address, std::unique_ptr<CSnmp>& response, unsigned timeoutMs);
    // The index after the requested column's OID for binding `index` of `response`
    // (".1" style text without the leading dot: "1" or "10.0.0.5"). 0 on success.
    int getSuffix(int index, const CSnmp& response, std::string& suffix) const;

private:
    void rememberColumns();

    CSnmp* m_message;
    std::vector<std::vector<uint32_t>> m_columns; // the columns the walk started from
    unsigned m_walkGeneration = ~0u;
};
