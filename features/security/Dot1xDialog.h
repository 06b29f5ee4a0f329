// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The 802.1X settings: RADIUS server, key, timers, on or off; PortSet opens the port dialog.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/Dot1xMib.h"

#include <QStringList>
#include <vector>

class CIpAddressEdit;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CDot1xDlg : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "802.1X Config Information";
    explicit CDot1xDlg(QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;

protected:
    void EnableControls() override;

private:
    void OpenPortDialog();
    QStringList TimerTexts() const;

    CDot1xMib& m_cMib = AddData<CDot1xMib>();
    CIpAddressEdit* m_pServer = nullptr;
    QLineEdit* m_pKey = nullptr;
    QLineEdit* m_pConfirm = nullptr;
    std::vector<QLineEdit*> m_timers; // TxPeriod, QuietPeriod, SuppTimeout, ServerTimeout,
                                      // MaxReq, ReAuthPeriod as laid out
    QComboBox* m_pReAuth = nullptr;
    QCheckBox* m_pEnable = nullptr;
    QPushButton* m_pPortSet = nullptr;
};
