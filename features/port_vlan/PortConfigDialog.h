// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port Configuration: every port with its configured speed, operating mode, flow control and
// default priority; sets the speed and flow control of the port picked in the list. The
// dialog always opens with no port picked.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/port_vlan/PortConfigMib.h"

class CReportList;
class QComboBox;
class QLineEdit;

class CPortConfigDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Port Configuration";
    explicit CPortConfigDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

    CReportList* PortList() const { return m_pPortList; }

private:
    void BuildControls();
    void ShowRow(const portconfig::PortRow& row);
    void PickRow(int row);

    CPortConfigMib& m_cMib = AddData<CPortConfigMib>();
    int m_nPickedPort = 0;

    CReportList* m_pPortList = nullptr;
    QLineEdit* m_pPortIdEdit = nullptr;
    QComboBox* m_pSpeedCombo = nullptr;
    QComboBox* m_pFlowControlCombo = nullptr;
};
