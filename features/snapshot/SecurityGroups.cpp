// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The groups of the security dialogs that hold tables: ARP spoofing prevention, DHCP server
// screening and smart binding. Entries are keyed by their addresses, as the switch keys them.
#include "features/security/ArpSpoofMib.h"
#include "features/security/DhcpScreenMib.h"
#include "features/security/ImpbMib.h"
#include "features/snapshot/GroupParts.h"

namespace snapshot {
namespace {

class CArpSpoofGroup : public CGroup {
public:
    CArpSpoofGroup() : CGroup({"Device Manager", "Security", "ARP Spoofing Prevention Setting"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        ReadWalk(
            m_cMib.Walk().Walk(), [this] { AddRows(); }, std::move(done));
    }

private:
    void AddRows() {
        for (const arp::GatewayRow& row : m_cMib.Entries()) {
            Add("Router/Gateway MAC Address", row.mac, "Gateway " + row.ip);
            Add("Ports", row.ports, "Gateway " + row.ip);
        }
    }

    CArpSpoofMib m_cMib;
};

class CDhcpScreenGroup : public CGroup {
public:
    CDhcpScreenGroup()
        : CGroup({"Device Manager", "Security", "DHCP Server Screening Port Configuration"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        const std::optional<std::string> trusted = m_cMib.ReadTrustedPorts();
        if (!trusted) {
            done(false);
            return;
        }
        Add("DHCP Server Trusted Port", *trusted);
        m_cMib.StartWalk(
            Receiver(),
            [this](const dhcp::ServerRow& row) { Add("IP Address", row.ip, "Server " + row.ip); },
            EndOfTable(std::move(done)));
    }

private:
    CDhcpScreenMib m_cMib;
};

class CImpbSettingsGroup : public CGroup {
public:
    CImpbSettingsGroup()
        : CGroup({"Device Manager", "Security", "Smart Binding", "Smart Binding Settings"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        m_cMib.StartPortWalk(
            Receiver(),
            [this](const impb::PortSettingsRow& row) {
                const std::string port = PortRow(row.port);
                Add("Admin State", EnumText(impb::EnabledStates(), row.admin), port);
                Add("Also inspect IP packets", EnumText(impb::InspectionModes(), row.mode), port);
                Add("DHCP Snooping", EnumText(impb::EnabledStates(), row.snooping), port);
            },
            EndOfTable(std::move(done)));
    }

private:
    CImpbMib m_cMib;
};

std::string HostKey(const impb::HostRow& row) {
    return "IP " + row.ip + " MAC " + row.mac;
}

class CSmartBindingGroup : public CGroup {
public:
    CSmartBindingGroup()
        : CGroup({"Device Manager", "Security", "Smart Binding", "Smart Binding"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        ReadWalk(
            m_cMib.BindingWalk().Walk(), [this] { AddRows(); }, std::move(done));
    }

private:
    void AddRows() {
        for (const impb::HostRow& row : m_cMib.BindingWalk().Rows()) {
            Add("VID", NumberText(row.vid), HostKey(row));
            Add("Port", NumberText(row.port), HostKey(row));
            Add("Binding", EnumText(impb::BindingStates(), row.state), HostKey(row));
        }
    }

    CImpbMib m_cMib;
};

class CWhiteListGroup : public CGroup {
public:
    CWhiteListGroup() : CGroup({"Device Manager", "Security", "Smart Binding", "White List"}) {}

    void Start(std::function<void(bool)> done) override {
        Clear();
        m_cMib.StartWhiteListWalk(
            Receiver(),
            [this](const impb::HostRow& row) { Add("Port", NumberText(row.port), HostKey(row)); },
            EndOfTable(std::move(done)));
    }

private:
    CImpbMib m_cMib;
};

} // namespace

std::unique_ptr<CGroup> MakeArpSpoofGroup() {
    return std::make_unique<CArpSpoofGroup>();
}

std::unique_ptr<CGroup> MakeDhcpScreenGroup() {
    return std::make_unique<CDhcpScreenGroup>();
}

std::unique_ptr<CGroup> MakeImpbSettingsGroup() {
    return std::make_unique<CImpbSettingsGroup>();
}

std::unique_ptr<CGroup> MakeSmartBindingGroup() {
    return std::make_unique<CSmartBindingGroup>();
}

std::unique_ptr<CGroup> MakeWhiteListGroup() {
    return std::make_unique<CWhiteListGroup>();
}

} // namespace snapshot
