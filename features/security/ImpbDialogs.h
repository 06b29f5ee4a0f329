// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The four IP-MAC-port binding dialogs: Smart Binding Settings (the binding state of each
// port), Smart Binding (the bindings the switch found, manual binding and the scan), White
// List and Black List. Each owns its CImpbMib.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/ImpbMib.h"

#include <vector>

class CFromToPorts;
class CIpAddressEdit;
class CNumberEdit;
class CReportList;
class QComboBox;
class QLineEdit;
class QPushButton;

class CImpbSettingsDlg : public CFeatureDialog {
public:
    explicit CImpbSettingsDlg(QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;
    CReportList* List() const { return m_pList; }

private:
    void ShowRow(int row);

    CImpbMib& m_cMib = AddData<CImpbMib>();
    CFromToPorts* m_pPorts = nullptr;
    QComboBox* m_pAdmin = nullptr;
    QComboBox* m_pMode = nullptr;
    QComboBox* m_pSnooping = nullptr;
    CReportList* m_pList = nullptr;
};

class CIMPBSmartBinding : public CFeatureDialog {
public:
    explicit CIMPBSmartBinding(QWidget* parent = nullptr);
    void Refresh() override;
    CReportList* List() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    void AddBinding();
    void StartScan();
    void BindSelected();

    CImpbMib& m_cMib = AddData<CImpbMib>();
    std::vector<impb::HostRow> m_rows;
    CIpAddressEdit* m_pIp = nullptr;
    QLineEdit* m_pMac = nullptr;
    CNumberEdit* m_pPort = nullptr;
    CIpAddressEdit* m_pScanFrom = nullptr;
    CIpAddressEdit* m_pScanTo = nullptr;
    CReportList* m_pList = nullptr;
    QPushButton* m_pBinding = nullptr;
};

class CIMPBWhiteList : public CFeatureDialog {
public:
    explicit CIMPBWhiteList(QWidget* parent = nullptr);
    void Refresh() override;
    CReportList* List() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    void DeleteSelected();

    CImpbMib& m_cMib = AddData<CImpbMib>();
    std::vector<impb::HostRow> m_rows;
    QLineEdit* m_pTotal = nullptr;
    CReportList* m_pList = nullptr;
    QPushButton* m_pDelete = nullptr;
};

class CIMPBBlackList : public CFeatureDialog {
public:
    explicit CIMPBBlackList(QWidget* parent = nullptr);
    void Refresh() override;
    CReportList* List() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    void ShowMarked();
    void Find();
    void DeleteSelected();

    CImpbMib& m_cMib = AddData<CImpbMib>();
    // Every entry read, and the store index of each row shown.
    std::vector<impb::BlackListEntry> m_store;
    std::vector<std::size_t> m_shown;
    QLineEdit* m_pVid = nullptr;
    QLineEdit* m_pIp = nullptr;
    QLineEdit* m_pMac = nullptr;
    QLineEdit* m_pPortSearch = nullptr;
    QLineEdit* m_pTotal = nullptr;
    CReportList* m_pList = nullptr;
    QPushButton* m_pFind = nullptr;
    QPushButton* m_pDelete = nullptr;
};
