// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/SyslogMib.h"

#include "features/common/SnmpRequests.h"
#include "platform/Trace.h"
#include "snmp/InputChecks.h"

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

ApplyPlan CSyslogMib::PlanApply(const Input& input) {
    ApplyPlan plan;
    if (input.state != kEnabled) {
        plan.Step(CSetRequest().Integer(kState, input.state));
        return plan;
    }
    CheckChain checks;
    checks.Require(input.filledFields == 4, "Invalid IP address.")
        .About(kAddressField)
        .Require([&] { return CheckHostIp(input.address); }, "Invalid Syslog Sever IP address.")
        .About(kAddressField)
        .Require(input.port && *input.port >= 1 && *input.port <= 65535,
                 "Invalid UDP port range (1-65535)")
        .About(kPortField);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    plan.Step(CSetRequest()
                  .IpAddress(kAddress, input.address)
                  .Integer(kPort, static_cast<long>(*input.port))
                  .Integer(kSeverity, input.severity)
                  .Integer(kFacility, input.facility),
              0, kStatePauseMs);
    plan.Step(CSetRequest().Integer(kState, kEnabled));
    return plan;
}
