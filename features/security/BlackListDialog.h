// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Black List: the blocked hosts of the IP-MAC-port binding, searched by VLAN, IP, MAC or port.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/ImpbMib.h"

#include <cstddef>
#include <vector>

class CReportList;
class QLineEdit;
class QPushButton;

class CIMPBBlackList : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Black List";
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
