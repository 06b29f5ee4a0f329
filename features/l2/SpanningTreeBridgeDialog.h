// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Bridge Config: RSTP on or off, its version, the bridge timers and priority, and what the
// bridge reports; "Port Setting" opens the spanning tree port table.
#pragma once

#include "features/common/FeatureDialog.h"

class CNumberEdit;
class CSpanningTreeMib;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CSpanningTreeBridgeDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Bridge Config";
    explicit CSpanningTreeBridgeDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

protected:
    void EnableControls() override;

private:
    // The bridge settings as read; a failed read leaves the fields as they were.
    void ShowBridge(bool read);
    void OpenPortTable();

    CSpanningTreeMib& m_cMib;
    QCheckBox* m_pEnable = nullptr;
    QComboBox* m_pVersion = nullptr;
    CNumberEdit* m_pAge = nullptr;
    CNumberEdit* m_pDelay = nullptr;
    CNumberEdit* m_pHello = nullptr;
    QComboBox* m_pPriority = nullptr;
    QLineEdit* m_pTopoChangeTime = nullptr;
    QLineEdit* m_pTopoChanged = nullptr;
    QLineEdit* m_pForwardDelay = nullptr;
    QLineEdit* m_pHelloTime = nullptr;
    QLineEdit* m_pHoldTime = nullptr;
    QLineEdit* m_pRootPort = nullptr;
    QLineEdit* m_pDesignatedRoot = nullptr;
    QPushButton* m_pPortSetting = nullptr;
};
