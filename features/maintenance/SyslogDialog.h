// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Syslog Host Configuration: where the switch sends its log, and whether it does.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/maintenance/SyslogMib.h"

class CIpAddressEdit;
class CNumberEdit;
class QCheckBox;
class QComboBox;

class CSyslogDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Syslog Host Configuration";
    explicit CSyslogDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

protected:
    void EnableControls() override;

private:
    CSyslogMib& m_cMib = AddData<CSyslogMib>();
    QCheckBox* m_pEnableCheck = nullptr;
    CIpAddressEdit* m_pAddressEdit = nullptr;
    CNumberEdit* m_pPortEdit = nullptr;
    QComboBox* m_pFacilityCombo = nullptr;
    QComboBox* m_pSeverityCombo = nullptr;
};
