// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ARP Spoofing Prevention Setting and its entry dialog.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/common/ResizableDialog.h"
#include "features/security/ArpSpoofMib.h"

#include <vector>

class CIpAddressEdit;
class CPortGrid;
class CReportList;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CArpSpoofingDlg : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "ARP Spoofing Prevention Setting";
    explicit CArpSpoofingDlg(QWidget* parent = nullptr);
    void Refresh() override;
    CReportList* List() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    void AddEntry();
    void DeleteSelected();

    CArpSpoofMib& m_cMib = AddData<CArpSpoofMib>();
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
