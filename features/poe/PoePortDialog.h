// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "PoE Configuration": one row per PoE port with its settings and live readings; Apply
// writes state, time range, priority and power limit to a range of ports, one request per
// port with a pause between them. The window keeps repainting meanwhile (wait cursor, no
// input taken), so a long Apply never looks hung.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/poe/PoeMib.h"

#include <vector>

class CFromToPorts;
class CReportList;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CPoePortDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "PoE Configuration";
    explicit CPoePortDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

    CReportList* PortList() const { return m_pList; }

private:
    void RangesRead();
    QStringList PortCells(const poe::PortRow& port, int index) const;
    void SelectRow(int row);
    void UserDefineToggled(bool on);

    CPoePortMib& m_cMib = AddData<CPoePortMib>();

    CReportList* m_pList = nullptr;
    CFromToPorts* m_pPorts = nullptr;
    QComboBox* m_pState = nullptr;
    QComboBox* m_pTimeRange = nullptr;
    QComboBox* m_pPriority = nullptr;
    QComboBox* m_pPowerLimit = nullptr;
    QCheckBox* m_pUserDefine = nullptr;
    QLineEdit* m_pWatts = nullptr;
};
