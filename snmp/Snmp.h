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
    kSnmpTooBig = 1,      // the answer would not fit in one message
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
// Whether table walks may fetch rows ahead with GETBULK (on unless KSX_GETBULK=0 was set
// when SnmpInit ran). Callers see the same rows either way.
void SetSnmpBulkWalks(bool enabled);
bool SnmpBulkWalks();

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
    // Bytes left for variable bindings in an answer that fits one unfragmented datagram
    // (and the largest message this side accepts).
    virtual unsigned bindingBudget() const = 0;
    // The agent can never send more than the budget (SNMPv3's msgMaxSize).
    virtual bool messageSizeFixed() const { return false; }
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
    // maxRepetitions above 0 sends the bindings as one GETBULK instead. `leading` bindings go
    // before the message's own (as the GETBULK's non-repeaters).
    int exchange(const std::string& address, unsigned timeoutMs, snmpnet::Answer& answer,
                 int maxRepetitions = 0, const std::vector<SnmpVarBind>& leading = {});
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
    unsigned bindingBudget() const override;

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
    unsigned bindingBudget() const override;
    bool messageSizeFixed() const override { return true; }
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
//
// A get-next walk is served from GETBULK answers when bulk walks are on: one GETBULK for all
// columns fetches several rows, and the following steps of the same walk are answered from
// them, one row per step, exactly as a get-next per step would have answered. The rows
// fetched ahead are dropped when the binding list changes (Open, AddValue), when the
// message is cancelled (Close), or when the bindings are moved by anyone else. The number
// of rows asked for adapts: the first GETBULK of a walk is sized to fit one datagram, later
// ones ask for up to four times that (from the first on once an answer larger than a datagram
// came through from that agent); tooBig, a time-out or an answer cut short by the agent lower
// it; an agent that answers GETBULK badly is walked with get-next.
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

    // For diagnostics and tests: the agent answered GETBULK badly and is walked with get-next.
    bool bulkRefused() const { return m_bulkRefused; }

    // Scalar objects (OIDs ending in .0) read with the first request of every walk, in the
    // same PDU as its first row: a get-next of each from its parent, as GETBULK's
    // non-repeaters. takeLeadingAnswer gives their bindings once they were answered, in the
    // order asked; an object the agent does not have comes back as noSuchObject.
    void setLeadingScalars(const std::vector<std::vector<uint32_t>>& objects);
    std::vector<SnmpVarBind> takeLeadingAnswer();

private:
    void rememberColumns();
    int plainStep(const std::string& address, std::unique_ptr<CSnmp>& response, unsigned timeoutMs);
    int bulkStep(const std::string& address, std::unique_ptr<CSnmp>& response, unsigned timeoutMs);
    int fallBack(const std::string& address, std::unique_ptr<CSnmp>& response,
                 const snmpnet::Deadline& deadline, bool bulkFailed);
    bool keepRows(snmpnet::Answer& answer, int repetitions);
    int serveRow(std::unique_ptr<CSnmp>& response);
    bool rowsAheadFit(const std::string& address) const;
    int repetitionsWanted(const std::string& address) const;
    unsigned rowBytes() const;
    void learnByteLimit(unsigned bytes);
    void dropRows();
    const std::vector<SnmpVarBind>& leadingToSend() const;
    bool takeLeading(snmpnet::Answer& answer, const std::vector<SnmpVarBind>& sent);

    CSnmp* m_message;
    std::vector<std::vector<uint32_t>> m_columns; // the columns the walk started from
    unsigned m_walkGeneration = ~0u;

    // Rows fetched ahead for the walk in hand: whole rows, row after row.
    std::vector<SnmpVarBind> m_ahead;
    size_t m_aheadNext = 0; // the next row to hand out
    size_t m_aheadRows = 0;
    std::string m_aheadAddress;
    uint16_t m_aheadPort = 0;
    std::vector<std::vector<uint32_t>> m_cursor; // where the last row left the bindings
    // What the walk in hand has learnt.
    int m_bulkRequests = 0;
    unsigned m_rowBytes = 0; // encoded size of a row, 0 until an answer came
    // What the agent has shown: how large an answer gets through and how many bindings it
    // gives (0: no limit seen), and whether it answers GETBULK at all.
    unsigned m_byteLimit = 0;
    unsigned m_bindingLimit = 0;
    // The largest answer that came through from that address.
    unsigned m_deliveredBytes = 0;
    std::string m_deliveredAddress;
    bool m_bulkAnswered = false;
    bool m_bulkRefused = false;

    std::vector<SnmpVarBind> m_leadingAsked; // the scalars' parents, get-next'd
    bool m_leadingPending = false;           // not yet answered in the walk in hand
    std::vector<SnmpVarBind> m_leadingAnswer;
};
