// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Traffic Segmentation Settings: whether segmentation is on, and for the chosen port the
// ports it may forward to, with the table of every port's forwarding ports.
#pragma once

#include "features/common/ResizableDialog.h"

class CPortGrid;
class CReportList;
class CSegmentationMib;
class QCheckBox;
class QComboBox;
class QPushButton;

class CSegmentationDlg : public CResizableDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Traffic Segmentation Settings";
    explicit CSegmentationDlg(QWidget* parent = nullptr);

    void Refresh() override;
    // The global Apply: the state.
    void Apply() override;
    // The port Apply: the forwarding ports of the From Port.
    void ApplyPorts();

    CReportList* ForwardingList() const { return m_pList; }
    CPortGrid* Ports() const { return m_pGrid; }

protected:
    void EnableControls() override;

private:
    int ChosenPort() const;
    void ShowChosenPort();

    CSegmentationMib& m_cMib;
    QCheckBox* m_pEnable = nullptr;
    QComboBox* m_pFromPort = nullptr;
    CPortGrid* m_pGrid = nullptr;
    QPushButton* m_pAll = nullptr;
    QWidget* m_pRangeEntry = nullptr;
    QPushButton* m_pClear = nullptr;
    QPushButton* m_pPortApply = nullptr;
    CReportList* m_pList = nullptr;
};
