// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// IEEE 802.1Q Management VLAN Configuration: the management VLAN on or off, the VLAN that
// carries it, and that VLAN's name. Apply stays in the dialog and shows what the switch holds.
#pragma once

#include "features/common/FeatureDialog.h"

class CManagementVlanMib;
class QComboBox;
class QLineEdit;
class QRadioButton;

class CManagementVlanDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "IEEE 802.1Q Management VLAN Configuration";
    explicit CManagementVlanDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

protected:
    void EnableControls() override;

private:
    void ShowState();
    void ShowName();
    // The VLAN ID chosen, empty when none is.
    std::string ChosenVid() const;

    CManagementVlanMib& m_cMib;
    QRadioButton* m_pEnableRadio = nullptr;
    QRadioButton* m_pDisableRadio = nullptr;
    QComboBox* m_pVlanIdCombo = nullptr;
    QLineEdit* m_pNameEdit = nullptr;
};
