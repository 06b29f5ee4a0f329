// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ARP Spoofing Prevention Setting with its entry dialog, and DHCP Server Screening Settings.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/common/ResizableDialog.h"
#include "features/security/ArpSpoofMib.h"
#include "features/security/DhcpScreenMib.h"

#include <functional>
#include <vector>

class CIpAddressEdit;
class CPortGrid;
class CReportList;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CArpSpoofingDlg : public CFeatureDialog {
public:
    explicit CArpSpoofingDlg(QWidget* parent = nullptr);
    void Refresh() override;
    CReportList* List() const { return m_pList; }
    // Runs the entry dialog modally; a test replaces it to drive the entry dialog itself.
    std::function<void(QDialog&)> runEntryDialog;

protected:
    void EnableControls() override;

private:
    void AddEntry();
    void DeleteSelected();

    CArpSpoofMib& m_cMib = AddData<CArpSpoofMib>();
    std::vector<arp::GatewayRow> m_rows; // the rows listed
    QLineEdit* m_pTotal = nullptr;
    CReportList* m_pList = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
};

class CArpEntryDlg : public CResizableDialog {
public:
    // `mib` and `listed` belong to the calling dialog and outlive this one.
    CArpEntryDlg(CArpSpoofMib& mib, std::vector<arp::GatewayRow> listed, QWidget* parent = nullptr);
    void Apply() override;

private:
    CArpSpoofMib& m_cMib;
    std::vector<arp::GatewayRow> m_listed;
    CIpAddressEdit* m_pIp = nullptr;
    QLineEdit* m_pMac = nullptr;
    QCheckBox* m_pAllPorts = nullptr;
    CPortGrid* m_pPorts = nullptr;
};

class CDhcpScreenDlg : public CFeatureDialog {
public:
    explicit CDhcpScreenDlg(QWidget* parent = nullptr);
    void Refresh() override;
    CReportList* List() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    void AddTrustedPorts();
    void AddServer();
    void DeleteSelected();

    CDhcpScreenMib& m_cMib = AddData<CDhcpScreenMib>();
    std::vector<dhcp::ServerRow> m_rows;   // every row of the switch
    std::vector<dhcp::ServerRow> m_listed; // the active ones, as listed
    QLineEdit* m_pTrustedPorts = nullptr;
    CIpAddressEdit* m_pServerIp = nullptr;
    CReportList* m_pList = nullptr;
    QPushButton* m_pTrustedAdd = nullptr;
    QPushButton* m_pServerAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
};
