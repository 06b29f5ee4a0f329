// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Auto Surveillance VLAN Settings: the switch-wide surveillance VLAN and the user's own
// surveillance devices (by MAC address or OUI).
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/port_vlan/SurveillanceMib.h"

class CNumberEdit;
class CReportList;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CSurveillanceVlanDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Auto Surveillance VLAN Settings";
    explicit CSurveillanceVlanDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;
    void AddDevice();
    void DeleteDevice();

    CReportList* DeviceList() const { return m_pDeviceList; }
    CSurveillanceMib& Mib() { return m_cMib; }

protected:
    void EnableControls() override;

private:
    void BuildGlobalGroup(QWidget* group);
    void BuildDeviceGroup(QWidget* group);
    void ShowGlobal();
    void KindChanged();

    CSurveillanceMib& m_cMib = AddData<CSurveillanceMib>();
    int m_pickedDevice = -1;
    QCheckBox* m_pEnableCheck = nullptr;
    CNumberEdit* m_pVlanIdEdit = nullptr;
    QComboBox* m_pPriorityCombo = nullptr;
    QLineEdit* m_pPortsEdit = nullptr;
    QComboBox* m_pTypeCombo = nullptr;
    QLineEdit* m_pDescriptionEdit = nullptr;
    QComboBox* m_pKindCombo = nullptr;
    QLineEdit* m_pAddressEdit = nullptr;
    QPushButton* m_pAddButton = nullptr;
    QPushButton* m_pDeleteButton = nullptr;
    CReportList* m_pDeviceList = nullptr;
};
