// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/port_vlan/SurveillanceMib.h"

#include "features/common/FixedPortList.h"
#include "features/common/SnmpRequests.h"
#include "snmp/AddressEncoding.h"
#include "snmp/InputChecks.h"
#include "snmp/TextConversion.h"
#include "snmp/TextParsing.h"

#include <algorithm>

namespace {

std::string Surveillance(std::string_view tail) {
    return PrivateOid("26." + std::string(tail));
}

const std::string kState = ScalarOid(Surveillance("1.1"));
const std::string kVlanId = ScalarOid(Surveillance("1.2"));
const std::string kPriority = ScalarOid(Surveillance("1.3"));
const std::string kPorts = ScalarOid(Surveillance("1.4"));
const std::string kDeviceMac = Surveillance("2.1.1.1");
const std::string kDeviceDescription = Surveillance("2.1.1.2");
const std::string kDeviceMask = Surveillance("2.1.1.3");
const std::string kDeviceType = Surveillance("2.1.1.4");
const std::string kDeviceRowStatus = Surveillance("2.1.1.5");
constexpr long kCreateAndGo = 4;
constexpr long kDestroy = 6;

constexpr int kDescriptionCharacters = 20;
const std::string kOuiMask("\xff\xff\xff\x00\x00\x00", 6);
const std::string kMacMask(6, '\xff');

// Values of a device walk row, in column order.
enum DeviceValue : std::size_t { kValueType, kValueDescription, kValueMac, kValueRowStatus };

std::string ExistsQuestion(long long vid) {
    const std::string id = std::to_string(vid);
    return "The VLAN ID " + id +
           " already exists, still apply? \nIf yes, the original setting of VLAN " + id +
           " members will be removed.";
}

// The first three octets of a MAC text that passed the format check.
std::string OuiOf(std::string_view mac) {
    return ParseMacHex(std::string(mac.substr(0, 2)) + std::string(mac.substr(3, 2)) +
                       std::string(mac.substr(6, 2)))
        .substr(0, 3);
}

bool IsPoeModel() {
    const std::string& model = DeviceValues().ModelName;
    return model.find_first_of("pP") != std::string::npos;
}

} // namespace

const CEnumTable& CSurveillanceMib::Priorities() {
    static const CEnumTable table{{{0, "Highest", "Highest"},
                                   {1, "High", "High"},
                                   {2, "Medium", "Medium"},
                                   {3, "Low", "Low"}}};
    return table;
}

const CEnumTable& CSurveillanceMib::ComponentTypes() {
    static const CEnumTable table{
        {{0, "Video Management Server", "Video Management Server"},
         {1, "VMS client/Remote viewer", "VMS client/Remote viewer"},
         {2, "Video Encoder", "Video Encoder"},
         {3, "Network Storage", "Network Storage"},
         {4, "Other IP Surveillance Devices", "Other IP Surveillance Devices"},
         {5, "Korvane Surveillance Device", ""}}};
    return table;
}

const CEnumTable& CSurveillanceMib::MatchKinds() {
    static const CEnumTable table{{{kKindMac, "MAC", "MAC"}, {kKindOui, "OUI", "OUI"}}};
    return table;
}

CSurveillanceMib::CSurveillanceMib()
    : m_cDeviceWalk(m_cCommonSNMPTable,
                    {kDeviceType, kDeviceDescription, kDeviceMac, kDeviceRowStatus}, &DeviceOf),
      m_cVoiceOuiWalk(m_cCommonSNMPTableOui, {PrivateOid("21.2.1.1.1"), PrivateOid("21.2.1.1.4")}) {
    m_cVoiceOuiWalk.OnRow(this, [this](const SnmpRow& row) {
        const std::string& oui = row.Value(0);
        if (oui.size() >= 3) {
            m_voiceOuis.push_back(oui.substr(0, 3));
        }
    });
}

void CSurveillanceMib::StartVoiceOuiRead() {
    m_voiceOuis.clear();
    m_cVoiceOuiWalk.Start();
}

bool CSurveillanceMib::ReadContext() {
    const auto values =
        ReadValues(m_cCommonSNMP, {ScalarOid(PrivateOid("7.5")), ScalarOid(PrivateOid("21.1.2")),
                                   ScalarOid(PrivateOid("21.1.3"))});
    m_bContextRead = values && values->size() == 3;
    if (!m_bContextRead) {
        return false;
    }
    m_context = {IntegerOf((*values)[0]), IntegerOf((*values)[1]), IntegerOf((*values)[2])};
    return true;
}

bool CSurveillanceMib::ReadGlobal() {
    const auto values = ReadValues(m_cCommonSNMP, {kState, kVlanId, kPriority, kPorts});
    if (!values || values->size() != 4) {
        return false;
    }
    m_global = {IntegerOf((*values)[0]), IntegerOf((*values)[1]), IntegerOf((*values)[2]),
                (*values)[3]};
    return true;
}

std::optional<CSurveillanceMib::Device> CSurveillanceMib::DeviceOf(const SnmpRow& row) {
    Device device;
    device.index = row.suffix.empty() ? std::string() : "." + row.suffix;
    device.type = IntegerOf(row.Value(kValueType));
    device.description = row.Value(kValueDescription);
    device.address = FormatMacDash(row.Value(kValueMac));
    return device;
}

ApplyPlan CSurveillanceMib::PlanGlobal(const GlobalInput& input,
                                       const std::vector<std::string>& vlanIds) const {
    ApplyPlan plan;
    const long long vid = input.vlanId.value_or(0);
    const bool blankPorts = text_parsing::TrimBlanks(input.ports).empty();
    const std::optional<PortFlags> ports =
        blankPorts ? PortFlags(static_cast<std::size_t>(DeviceValues().DevicePortCount), 0)
                   : PortRangesToFlags(input.ports);
    CheckChain checks;
    checks
        .Require(m_context.asymmetricVlan != 1,
                 "Auto Surveillance Vlan can not support in Asymmetric VLAN mode.")
        .Require(vid != 1, "Default VLAN cannot be set as Auto Surveillance VLAN.")
        .About(kVlanIdField)
        .Require(vid >= 2 && vid <= 4094, "The VLAN ID value range is 2 - 4094")
        .About(kVlanIdField)
        .Require(!(m_context.voiceState == 1 && m_context.voiceVlan == vid),
                 "The VLAN ID already is voice VLAN ID.")
        .About(kVlanIdField)
        .Require(ports.has_value(), "Invalid Portlist")
        .About(kPortsField)
        .RequireAlike(
            [&] { return m_cTrunkInfo.Alike(*ports); },
            "If Link Aggregation member port is selected, it must have the same port list "
            "as Auto Surveillance VLAN Tagged Uplink/Downlink Port.")
        .About(kPortsField);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    // The VLAN that already is the running surveillance VLAN is no one else's to lose.
    const bool alreadyOurs = m_global.state == kEnabled && m_global.vlanId == vid;
    const bool exists =
        std::find(vlanIds.begin(), vlanIds.end(), std::to_string(vid)) != vlanIds.end();
    if (input.state == kEnabled && exists && !alreadyOurs) {
        plan.questions.push_back(ExistsQuestion(vid));
    }
    plan.Request()
        .Integer(kVlanId, static_cast<long>(vid))
        .Integer(kPriority, input.priority)
        .OctetString(kPorts, FixedLengthPortList(*ports))
        .Integer(kState, input.state);
    plan.steps.front().pauseMs = kPauseMs;
    return plan;
}

bool CSurveillanceMib::ShowsPoeNotice(const GlobalInput& input) const {
    return input.state == kEnabled && m_global.state != kEnabled && IsPoeModel();
}

ApplyPlan CSurveillanceMib::PlanAdd(const DeviceInput& input) const {
    ApplyPlan plan;
    const std::string description = TextToUtf8(input.description, kDescriptionCharacters);
    const std::string address =
        input.kind == kKindOui ? input.address + "-00-00-00" : input.address;
    const std::optional<std::string> macRefusal = MacRefusal(address, /*allowMulticast=*/false);
    CheckChain checks;
    checks.Require(CheckName(description), "Invalid Description.")
        .About(kDescriptionField)
        .Require(!macRefusal, macRefusal.value_or(""))
        .About(kAddressField)
        .Require(
            [&] {
                return std::find(m_voiceOuis.begin(), m_voiceOuis.end(), OuiOf(address)) ==
                       m_voiceOuis.end();
            },
            "The OUI is already exist at Voice Vlan OUI Table!")
        .About(kAddressField)
        .Require([&] { return OuiOf(address) != OuiOf(kBuiltInAddress); },
                 "This OUI is default, please select the default mode!")
        .About(kAddressField);
    plan.refusal = checks.FirstRefusal();
    if (plan.refusal) {
        return plan;
    }
    const std::string index = MacToOidIndex(address);
    plan.Step(CSetRequest().Integer(kDeviceRowStatus + index, kCreateAndGo), 0, kPauseMs);
    plan.Step(CSetRequest()
                  .OctetString(kDeviceDescription + index, description)
                  .Integer(kDeviceType + index, input.type)
                  .OctetString(kDeviceMask + index, input.kind == kKindOui ? kOuiMask : kMacMask),
              0, kPauseMs);
    return plan;
}

std::optional<Refusal> CSurveillanceMib::DeleteRefusal(const Device* picked) const {
    CheckChain checks;
    checks.Require(picked != nullptr, "Please Selecte the OUI Entry you would to delete")
        .Require([&] { return picked->address != kBuiltInAddress; },
                 "The default Surveillance OUI can not be deleted.");
    return checks.FirstRefusal();
}

ApplyPlan CSurveillanceMib::PlanDelete(const Device& device) const {
    ApplyPlan plan;
    plan.Step(CSetRequest().Integer(kDeviceRowStatus + device.index, kDestroy), 0, kPauseMs);
    return plan;
}
