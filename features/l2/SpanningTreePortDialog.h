// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port Config: the spanning tree settings and state of one port at a time, stepping through
// the ports. A member of an aggregated link keeps the settings of its link.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/l2/SpanningTreeMib.h"

class CNumberEdit;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CSpanningTreePortDlg : public CFeatureDialog {
    Q_OBJECT

public:
    CSpanningTreePortDlg(int port, QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

    int Port() const { return m_nPort; }

protected:
    void EnableControls() override;

private:
    // Applies; true when the input passed its checks.
    bool ApplyPort();
    void Step(int delta);

    CSpanningTreeMib& m_cMib;
    int m_nPort;
    int m_nPortCount;
    stp::PortValues m_lastRead;
    bool m_bPortRead = false;
    QLineEdit* m_pPortEdit = nullptr;
    QComboBox* m_pPriority = nullptr;
    CNumberEdit* m_pCost = nullptr;
    QCheckBox* m_pEnable = nullptr;
    QLineEdit* m_pStatus = nullptr;
    QLineEdit* m_pDesigRoot = nullptr;
    QLineEdit* m_pDesigCost = nullptr;
    QLineEdit* m_pDesigBridge = nullptr;
    QLineEdit* m_pDesigPort = nullptr;
    QLineEdit* m_pForward = nullptr;
    QPushButton* m_pPrev = nullptr;
    QPushButton* m_pNext = nullptr;
    QPushButton* m_pOk = nullptr;
};
