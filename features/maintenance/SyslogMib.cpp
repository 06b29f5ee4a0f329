// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/SyslogMib.h"

#include "features/common/SnmpRequests.h"
#include "platform/Trace.h"
#include "snmp/InputChecks.h"

#include <QThread>

namespace {

std::string Syslog(std::string_view column) {
    return ScalarOid(PrivateOid("16.1." + std::string(column)));
}

const std::string kAddress = Syslog("1");
const std::string kPort = Syslog("2");
const std::string kSeverity = Syslog("4");
const std::string kFacility = Syslog("5");
const std::string kState = Syslog("6");

} // namespace

const CEnumTable& CSyslogMib::Facilities() {
    static const CEnumTable table{{{128, "local0", "local0"},
                                   {136, "local1", "local1"},
                                   {144, "local2", "local2"},
                                   {152, "local3", "local3"},
                                   {160, "local4", "local4"},
                                   {168, "local5", "local5"},
                                   {176, "local6", "local6"},
                                   {184, "local7", "local7"}}};
    return table;
}

const CEnumTable& CSyslogMib::Severities() {
    static const CEnumTable table{
        {{4, "warning", "warning"}, {6, "info", "info"}, {7, "all", "all"}}};
    return table;
}

bool CSyslogMib::Read() {
    const auto values = ReadValues(m_cCommonSNMP, {kAddress, kPort, kFacility, kSeverity, kState});
    if (!values || values->size() != 5) {
        return false;
    }
    m_model = {(*values)[0], IntegerOf((*values)[1]), IntegerOf((*values)[2]),
               IntegerOf((*values)[3]), IntegerOf((*values)[4])};
    return true;
}

CSyslogMib::Plan CSyslogMib::PlanApply(const Input& input) {
    Plan plan;
    if (input.state != kEnabled) {
        plan.state.Integer(kState, input.state);
        return plan;
    }
    CheckChain checks;
    checks.Require(input.filledFields == 4, "Invalid IP address.");
    if (!checks.Passed()) {
        plan.refusal = checks.FirstRefusal();
        plan.focus = Focus::Address;
        return plan;
    }
    checks.Require(CheckHostIp(input.address), "Invalid Syslog Sever IP address.")
        .Require(input.port && *input.port >= 1 && *input.port <= 65535,
                 "Invalid UDP port range (1-65535)");
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    plan.server.IpAddress(kAddress, input.address)
        .Integer(kPort, static_cast<long>(*input.port))
        .Integer(kSeverity, input.severity)
        .Integer(kFacility, input.facility);
    plan.state.Integer(kState, kEnabled);
    return plan;
}

bool CSyslogMib::Write(const Plan& plan) {
    if (!plan.server.IsEmpty()) {
        const RequestStatus status = plan.server.Send(m_cCommonSNMPSet);
        platform::DebugTrace("set status = " + std::to_string(status.Code()));
        if (!status.Ok()) {
            return false;
        }
        QThread::msleep(kStatePauseMs);
    }
    const RequestStatus status = plan.state.Send(m_cCommonSNMPSet);
    platform::DebugTrace("set status = " + std::to_string(status.Code()));
    return status.Ok();
}
