// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// IGMP Snooping Configuration: the switch-wide snooping state and timers. Its "IGMP Vlan
// Info" button opens the per-VLAN settings on the same data object.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/l2/IgmpMib.h"

#include <array>

class CNumberEdit;
class QCheckBox;

class CIgmpSnoopingDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "IGMP Snooping Configuration";
    explicit CIgmpSnoopingDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

    CIgmpMib& Mib() { return m_cMib; }

protected:
    void EnableControls() override;

private:
    void OpenVlanSettings();

    CIgmpMib& m_cMib = AddData<CIgmpMib>();
    QCheckBox* m_pEnableCheck = nullptr;
    std::array<CNumberEdit*, igmp::kTimerCount> m_pTimerEdits{};
    QPushButton* m_pVlanInfoButton = nullptr;
};
