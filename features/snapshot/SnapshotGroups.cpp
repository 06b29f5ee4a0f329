// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snapshot/SnapshotGroups.h"

#include "features/snapshot/GroupParts.h"

#include "features/l2/BandwidthMib.h"
#include "features/l2/JumboFrameMib.h"
#include "features/l2/MirrorMib.h"
#include "features/l2/SegmentationMib.h"
#include "features/l2/StormControlMib.h"
#include "features/maintenance/SyslogMib.h"
#include "features/maintenance/SystemInfoMib.h"
#include "features/port_vlan/ManagementVlanMib.h"
#include "features/port_vlan/PortConfigMib.h"
#include "features/port_vlan/TrunkMib.h"
#include "features/security/Dot1xMib.h"
#include "features/snmp_agent/SnmpAgentMib.h"
#include "snmp/PortEncoding.h"
#include "snmp/SessionParameters.h"
#include "snmp/TextConversion.h"

#include "features/common/SnmpRequests.h"

#include <QObject>

namespace snapshot {

void CGroup::WhenWalkEnds(CTableWalk& walk, std::function<void()> addRows,
                          std::function<void(bool)> done) {
    walk.OnFinished(&m_receiver,
                    [addRows = std::move(addRows), end = EndOfTable(std::move(done))](int status) {
                        addRows();
                        end(status);
                    });
}

std::function<void(int)> EndOfTable(std::function<void(bool)> done) {
    return [done = std::move(done)](int status) { done(status == kSnmpEndOfTable); };
}

void CGroup::Add(const std::string& name, const std::string& value,
                 const std::optional<std::string>& row) {
    Setting setting{m_menuPath, name, value};
    if (row) {
        setting.path.push_back(*row);
    }
    m_settings.push_back(std::move(setting));
}

std::string EnumText(const CEnumTable& table, const std::optional<long>& value) {
    if (!value) {
        return "(unreadable)";
    }
    for (const EnumEntry& entry : table.Entries()) {
        if (entry.value == *value) {
            return std::string(!entry.combo.empty() ? entry.combo : entry.cell);
        }
    }
    return std::to_string(*value);
}

std::string StateText(const std::optional<long>& state) {
    static const CEnumTable kStates{{1, "Enabled", ""}, {2, "Disabled", ""}};
    return EnumText(kStates, state);
}

std::string NumberText(const std::optional<long>& value) {
    return value ? std::to_string(*value) : "(unreadable)";
}

std::string PortRow(long port) {
    return "Port " + std::to_string(port);
}

std::string LabelText(const std::string& label) {
    std::string text;
    for (char c : label) {
        if (c != '&') {
            text += c;
        }
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == ':')) {
        text.pop_back();
    }
    return text;
}

std::string SwitchText(const std::string& bytes) {
    return Utf8ToText(bytes).toStdString();
}

std::string PortsText(const std::string& octets) {
    return PortBitsToRanges(octets, 1, DeviceValues().DevicePortCount).text;
}

bool IsPoeSwitch() {
    return snmpagent::IsPoeModel(DeviceValues().ModelName);
}

namespace {

class CSyslogGroup : public CGroup {
public:
    CSyslogGroup() : CGroup({"Device Manager", "System", "Syslog Host Configuration"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        if (!m_cMib.Read()) {
            done(false);
            return;
        }
        const CSyslogMib::Model& model = m_cMib.Current();
        Add("SysLogEnable", StateText(model.state));
        Add("Host IP", model.address);
        Add("UDP Port(1-65535)", NumberText(model.port));
        Add("Facility", EnumText(CSyslogMib::Facilities(), model.facility));
        Add("Severity", EnumText(CSyslogMib::Severities(), model.severity));
        done(true);
    }

private:
    CSyslogMib m_cMib;
};

class CPortConfigGroup : public CGroup {
public:
    CPortConfigGroup() : CGroup({"Device Manager", "System", "Port Configuration"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        WhenWalkEnds(
            m_cMib.PortWalk(), [this] { AddRows(); }, std::move(done));
        m_cMib.StartRead([](const portconfig::PortRow&) {});
    }

private:
    void AddRows() {
        for (const portconfig::PortRow& row : m_cMib.Table().rows) {
            Add("PortControlSpeed", EnumText(portconfig::Speeds(), row.speed), PortRow(row.port));
            Add("FlowControlMode", EnumText(portconfig::FlowControls(), row.flowControl),
                PortRow(row.port));
        }
    }

    CPortConfigMib m_cMib;
};

class CJumboFrameGroup : public CGroup {
public:
    CJumboFrameGroup() : CGroup({"Device Manager", "L2 Function", "Jumbo Frame Configuration"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        if (!m_cMib.Read().Ok()) {
            done(false);
            return;
        }
        Add("Enable Jumbo Frame", StateText(m_cMib.State()));
        done(true);
    }

private:
    CJumboFrameMib m_cMib;
};

class CMirrorGroup : public CGroup {
public:
    CMirrorGroup() : CGroup({"Device Manager", "L2 Function", "Port Mirroring Settings"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        const int ports = DeviceValues().DevicePortCount;
        if (!m_cMib.Read(ports).Ok()) {
            done(false);
            return;
        }
        static const CEnumTable kModes{{CMirrorMib::kTx, "TX", ""},
                                       {CMirrorMib::kRx, "RX", ""},
                                       {CMirrorMib::kBoth, "Both", ""},
                                       {CMirrorMib::kNone, "None", ""}};
        const CMirrorMib::Model& model = m_cMib.Current();
        Add("Port Mirroring", StateText(model.state));
        Add("TargetPort", NumberText(model.target));
        for (size_t i = 0; i < model.modes.size(); ++i) {
            Add("Source", EnumText(kModes, model.modes[i]), PortRow(static_cast<long>(i) + 1));
        }
        done(true);
    }

private:
    CMirrorMib m_cMib;
};

class CTrunkGroup : public CGroup {
public:
    CTrunkGroup()
        : CGroup({"Device Manager", "L2 Function", "Trunk Configuration"}),
          m_cMib(DeviceValues().DevicePortCount) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        const std::optional<long> state = m_cMib.ReadState();
        if (!state) {
            done(false);
            return;
        }
        Add("Enable Trunk", StateText(state));
        ReadWalk(
            m_cMib.TrunkWalk().Walk(), [this] { AddRows(); }, std::move(done));
    }

private:
    void AddRows() {
        for (const trunk::TrunkRow& row : m_cMib.TrunkWalk().Rows()) {
            const std::string trunk = "Trunk " + std::to_string(row.id);
            Add("PortChannelMode", EnumText(trunk::Modes(), row.mode), trunk);
            Add("PortMember", row.memberList, trunk);
        }
    }

    CTrunkMib m_cMib;
};

class CBandwidthGroup : public CGroup {
public:
    CBandwidthGroup() : CGroup({"Device Manager", "Qos", "Bandwidth Control"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        ReadWalk(
            m_cMib.Walk().Walk(), [this] { AddRows(); }, std::move(done));
    }

private:
    void AddRows() {
        for (const CBandwidthMib::Row& row : m_cMib.Walk().Rows()) {
            if (!row.port) {
                continue; // a row without a port number is no setting of a port
            }
            const std::string port = PortRow(*row.port);
            Add("Tx Rate (Kbits/sec)", CBandwidthMib::RateCell(row.txRate), port);
            Add("Rx Rate (Kbits/sec)", CBandwidthMib::RateCell(row.rxRate), port);
        }
    }

    CBandwidthMib m_cMib;
};

class CSegmentationGroup : public CGroup {
public:
    CSegmentationGroup()
        : CGroup({"Device Manager", "Security", "Traffic Segmentation Settings"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        if (!m_cMib.ReadState().Ok()) {
            done(false);
            return;
        }
        Add("Enable Forwarding Port Settings", StateText(m_cMib.State()));
        ReadWalk(
            m_cMib.Walk().Walk(), [this] { AddRows(); }, std::move(done));
    }

private:
    void AddRows() {
        const int ports = DeviceValues().DevicePortCount;
        for (const CSegmentationMib::Row& row : m_cMib.Walk().Rows()) {
            if (row.port) {
                Add("Forwarding Port", PortBitsToRanges(row.forwarding, 1, ports).text,
                    PortRow(*row.port));
            }
        }
    }

    CSegmentationMib m_cMib;
};

class CStormControlGroup : public CGroup {
public:
    CStormControlGroup() : CGroup({"Device Manager", "Security", "Storm Control Settings"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        if (!m_cMib.Read().Ok()) {
            done(false);
            return;
        }
        const CStormControlMib::Model& model = m_cMib.Current();
        Add("Enable Storm Control", StateText(model.state));
        Add("Storm Control Type", EnumText(CStormControlMib::Types(), model.type));
        Add("Threshold(64Kbps * N)", CStormControlMib::NText(model.threshold));
        done(true);
    }

private:
    CStormControlMib m_cMib;
};

class CManagementVlanGroup : public CGroup {
public:
    CManagementVlanGroup() : CGroup({"Device Manager", "VLAN", "802.1Q Management VLAN"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        if (!m_cMib.ReadState()) {
            done(false);
            return;
        }
        static const CEnumTable kStates{{1, "Enable", ""}, {2, "Disable", ""}};
        const CManagementVlanMib::Model& model = m_cMib.Current();
        Add("Management VLAN", EnumText(kStates, IntegerOf(model.stateText)));
        Add("VLAN  ID", model.vlanIdText);
        done(true);
    }

private:
    CManagementVlanMib m_cMib;
};

// The RADIUS key is read with the rest (one request) and never kept; then the ports' access
// control.
class CDot1xGroup : public CGroup {
public:
    CDot1xGroup() : CGroup({"Device Manager", "AAA", "802.1X  Settings"}) {
        m_cMib.ReadWalk().OnFinished(Receiver(), [this](int) {
            if (!m_read) {
                Finish(false);
                return;
            }
            m_cPortMib.StartWalk(
                Receiver(),
                [this](const CDot1xPortMib::PortRow& row) {
                    Add("AuthControlledPortControl", EnumText(dot1x::PortControls(), row.control),
                        PortRow(row.port));
                },
                EndOfTable([this](bool answered) { Finish(answered); }));
        });
    }

    void Start(std::function<void(bool)> done) override {
        Clear();
        m_read = false;
        m_done = std::move(done);
        m_cMib.StartRead(Receiver(), [this](const dot1x::Settings& settings) {
            m_read = true;
            Add("Enable 802.1X", StateText(settings.state));
            Add("Radius Server IP", settings.server);
            for (const dot1x::TimerField& timer : dot1x::kTimerFields) {
                Add(timer.label, settings.timers[timer.value]);
            }
            Add("ReAuthEnabled", EnumText(dot1x::ReAuthStates(), settings.reAuthEnabled));
        });
    }

private:
    void Finish(bool answered) {
        if (m_done) {
            std::exchange(m_done, nullptr)(answered);
        }
    }

    CDot1xMib m_cMib;
    CDot1xPortMib m_cPortMib;
    std::function<void(bool)> m_done;
    bool m_read = false;
};

class CSystemInfoGroup : public CGroup {
public:
    CSystemInfoGroup() : CGroup({"Public MIB", "System Information"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        m_cMib.StartRead(Receiver(), [this, done = std::move(done)](const auto& values) {
            if (values) {
                Add("Name", values->name);
                Add("Location", values->location);
            }
            done(values.has_value());
        });
    }

private:
    CSystemInfoMib m_cMib;
};

} // namespace

std::vector<std::unique_ptr<CGroup>> AllGroups() {
    std::vector<std::unique_ptr<CGroup>> groups;
    groups.push_back(std::make_unique<CPortConfigGroup>());
    groups.push_back(std::make_unique<CSyslogGroup>());
    groups.push_back(MakeTimeProfileGroup());
    groups.push_back(MakePowerSavingGroup());
    groups.push_back(MakeVlanGroup());
    groups.push_back(std::make_unique<CManagementVlanGroup>());
    groups.push_back(MakeSurveillanceGroup());
    groups.push_back(std::make_unique<CJumboFrameGroup>());
    groups.push_back(std::make_unique<CMirrorGroup>());
    groups.push_back(MakeSpanningTreeGroup());
    groups.push_back(std::make_unique<CTrunkGroup>());
    groups.push_back(MakeMulticastFilterGroup());
    groups.push_back(MakeIgmpGroup());
    groups.push_back(std::make_unique<CBandwidthGroup>());
    groups.push_back(MakeArpSpoofGroup());
    groups.push_back(MakeDhcpScreenGroup());
    groups.push_back(std::make_unique<CSegmentationGroup>());
    groups.push_back(std::make_unique<CStormControlGroup>());
    groups.push_back(MakeImpbSettingsGroup());
    groups.push_back(MakeSmartBindingGroup());
    groups.push_back(MakeWhiteListGroup());
    groups.push_back(std::make_unique<CDot1xGroup>());
    for (auto make :
         {&MakeSnmpGlobalStateGroup, &MakeSnmpUserGroup, &MakeSnmpGroupGroup, &MakeSnmpViewGroup,
          &MakeSnmpHostGroup, &MakeSnmpEngineIdGroup, &MakeSnmpTrapGroup}) {
        groups.push_back(make());
    }
    if (IsPoeSwitch()) {
        groups.push_back(MakePoeGlobalGroup());
        groups.push_back(MakePoePortGroup());
        groups.push_back(MakePoeTimeRangeGroup());
    }
    groups.push_back(std::make_unique<CSystemInfoGroup>());
    return groups;
}

} // namespace snapshot
