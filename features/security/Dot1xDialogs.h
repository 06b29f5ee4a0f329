// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The 802.1X settings (RADIUS server, key, timers, on or off) and the port access control of
// a range of ports, opened from the settings by PortSet.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/Dot1xMib.h"

#include <QStringList>

#include <functional>
#include <vector>

class CFromToPorts;
class CIpAddressEdit;
class CNumberEdit;
class CReportList;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CDot1xDlg : public CFeatureDialog {
public:
    explicit CDot1xDlg(QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;
    // Runs the port dialog modally; a test replaces it to drive the port dialog itself.
    std::function<void(QDialog&)> runPortDialog;

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

class CDot1xPortDlg : public CFeatureDialog {
public:
    // `timers`: QuietPeriod, TxPeriod, SuppTimeout, ServerTimeout, MaxReq, ReAuthPeriod and
    // ReAuthEnabled as the settings dialog shows them.
    explicit CDot1xPortDlg(QStringList timers, QWidget* parent = nullptr);
    void Refresh() override;
    void Apply() override;
    CReportList* List() const { return m_pList; }

private:
    CDot1xPortMib& m_cMib = AddData<CDot1xPortMib>();
    QStringList m_timers;
    std::vector<long> m_controls; // as read, entry p-1 for port p
    CFromToPorts* m_pPorts = nullptr;
    QComboBox* m_pControl = nullptr;
    CReportList* m_pList = nullptr;
};
