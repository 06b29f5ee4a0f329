// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port Configuration: every port with its configured speed, operating mode, flow control and
// default priority; sets the speed and flow control of the port picked in the list.
//
// A read walks the trunk table first (a trunk member keeps the speed of its trunk), then the
// port table; Apply and Refresh wait for both. The dialog always opens with no port picked.
#pragma once

#include "features/common/FeatureDialog.h"
#include "snmp/PortEncoding.h"

#include <QString>

class CReportList;
class QComboBox;
class QLineEdit;

class CPortConfigDlg : public CFeatureDialog {
    Q_OBJECT

public:
    explicit CPortConfigDlg(QWidget* parent = nullptr);
    ~CPortConfigDlg() override;

    void Refresh() override;
    void Apply() override;

    CReportList* PortList() const { return m_pPortList; }

private:
    void BuildControls();
    void AddTrunkRow(const SnmpRow& row);
    void StartPortWalk();
    QStringList PortRowCells(const SnmpRow& row, int rowNumber);
    void SelectRow(int row);

    // Checks of Apply, in their order.
    bool TrunkMembersShow(int column, const QString& text) const;
    bool DisablesEveryPort(int speedIndex) const;
    int MediaTypeOf(int port) const;
    int TrunkGroupOf(int port) const;

    // The set session, the port table walk and the trunk table walk.
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CCommonSNMP m_cCommonSNMPTrunk;
    CTableWalk m_cPortWalk;
    CTableWalk m_cTrunkWalk;

    // The row picked last: port number, speed and flow-control cell texts.
    QString m_strPortId;
    QString m_strSpeed;
    QString m_strFlowControl;

    PortFlags m_TrunkPorts;
    PortFlags m_MediaTypes;
    int m_nDisableCount = 0;
    int m_nPortCount = 0;

    CReportList* m_pPortList = nullptr;
    QLineEdit* m_pPortIdEdit = nullptr;
    QComboBox* m_pSpeedCombo = nullptr;
    QComboBox* m_pFlowControlCombo = nullptr;
};
