// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/SystemInfoMib.h"

#include "snmp/InputChecks.h"
#include "snmp/TextConversion.h"

namespace {

constexpr std::size_t kValueCount = 6;

} // namespace

void CSystemInfoMib::StartRead(const QObject* receiver, ReadHandler handler) {
    m_cRead.OnDone(receiver,
                   [handler = std::move(handler)](const CBackgroundRequest::Answer& answer) {
                       std::optional<Values> values;
                       if (answer.status == 0 && answer.values.size() >= kValueCount) {
                           const auto& v = answer.values;
                           values = Values{v[0], v[1], v[2], v[3], v[4], v[5]};
                       }
                       if (handler) {
                           handler(values);
                       }
                   });
    std::vector<CBackgroundRequest::Binding> bindings;
    for (const std::string& oid :
         {kSysDescr, kSysObjectID, kSysUpTime, kSysContact, kSysName, kSysLocation}) {
        bindings.push_back({oid, kSnmpNull, ""});
    }
    m_cRead.Start(kPduGet, bindings, kReadTimeoutMs);
}

CSetRequest CSystemInfoMib::WriteRequest(const std::string& nameUtf8,
                                         const std::string& locationUtf8) {
    CSetRequest request;
    request.OctetString(kSysName, nameUtf8).OctetString(kSysLocation, locationUtf8);
    return request;
}

ApplyPlan CSystemInfoMib::PlanWrite(const QString& name, const QString& location) {
    ApplyPlan plan;
    CheckChain checks;
    checks.Require([&] { return CheckName(name.toStdString()); }, "Invalid System Name.")
        .About(kNameField)
        .Require([&] { return CheckName(location.toStdString()); }, "Invalid System Location.")
        .About(kLocationField);
    plan.refusal = checks.FirstRefusal();
    plan.Request() = WriteRequest(TextToUtf8(name), TextToUtf8(location));
    return plan;
}
