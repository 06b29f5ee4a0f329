// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The spanning tree port table; "Port Config" opens the picked port (or the first one).
#pragma once

#include "features/common/FeatureDialog.h"

class CReportList;
class CSpanningTreeMib;
class QLineEdit;
class QPushButton;

class CSpanningTreeTableDlg : public CFeatureDialog {
    Q_OBJECT

public:
    explicit CSpanningTreeTableDlg(QWidget* parent = nullptr);

    void Refresh() override;

    CReportList* PortList() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    void OpenPort();

    CSpanningTreeMib& m_cMib;
    CReportList* m_pList = nullptr;
    QLineEdit* m_pEntries = nullptr;
    QPushButton* m_pPortConfig = nullptr;
};
