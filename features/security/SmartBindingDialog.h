// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Smart Binding: the bindings the switch found, manual binding and the scan.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/ImpbMib.h"

#include <vector>

class CIpAddressEdit;
class CNumberEdit;
class CReportList;
class QLineEdit;
class QPushButton;

class CIMPBSmartBinding : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Smart Binding";
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
    CIpAddressEdit* m_pIp = nullptr;
    QLineEdit* m_pMac = nullptr;
    CNumberEdit* m_pPort = nullptr;
    CIpAddressEdit* m_pScanFrom = nullptr;
    CIpAddressEdit* m_pScanTo = nullptr;
    CReportList* m_pList = nullptr;
    QPushButton* m_pBinding = nullptr;
};
