// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Trunk Configuration: the global link-aggregation state, every trunk group with its channel
// mode and members, the channel-mode setter and the member sub-dialog of the picked trunk.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/port_vlan/TrunkMib.h"
#include "snmp/SessionParameters.h"

#include <algorithm>
#include <optional>

class CReportList;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CTrunkDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Trunk Configuration";
    explicit CTrunkDlg(QWidget* parent = nullptr);
    ~CTrunkDlg() override;

    void Refresh() override;
    // The channel mode of the picked trunk.
    void Apply() override;
    // The global state.
    void ApplyState();
    // Opens the member sub-dialog of the picked trunk.
    void EditMembers();

    CReportList* TrunkList() const { return m_pTrunkList; }

protected:
    void EnableControls() override;

private:
    void BuildControls();
    void SelectRow(int row);
    std::optional<int> PickedTrunk() const;

    CTrunkMib& m_cMib = AddData<CTrunkMib>(std::max(0, DeviceValues().DevicePortCount));
    int m_nPortCount;
    bool m_bStateEnabled = false;
    std::optional<trunk::TrunkRow> m_picked;

    QCheckBox* m_pEnableCheck = nullptr;
    QPushButton* m_pStateApply = nullptr;
    CReportList* m_pTrunkList = nullptr;
    QLineEdit* m_pTrunkIdEdit = nullptr;
    QComboBox* m_pModeCombo = nullptr;
    QPushButton* m_pMemberButton = nullptr;
};
