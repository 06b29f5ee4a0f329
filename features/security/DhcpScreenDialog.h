// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// DHCP Server Screening Settings: the trusted ports and the trusted DHCP servers.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/DhcpScreenMib.h"

#include <vector>

class CIpAddressEdit;
class CReportList;
class QLineEdit;
class QPushButton;

class CDhcpScreenDlg : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "DHCP Server Screening Settings  ";
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
