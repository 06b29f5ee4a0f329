// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port mirroring: on or off, the target port, and the sniffer mode of every source port
// (one row of buttons per mode).
#pragma once

#include "features/common/ResizableDialog.h"

class CMirrorMib;
class CPortGrid;
class QComboBox;
class QPushButton;
class QRadioButton;

class CMirrorDlg : public CResizableDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "PortMirroringConfiguration";
    explicit CMirrorDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

    CPortGrid* Ports() const { return m_pGrid; }

protected:
    void EnableControls() override;

private:
    int Target() const;
    void TargetChosen();
    void SetModeOfAll(int mode);

    CMirrorMib& m_cMib;
    QRadioButton* m_pEnabled = nullptr;
    QRadioButton* m_pDisabled = nullptr;
    QComboBox* m_pTarget = nullptr;
    CPortGrid* m_pGrid = nullptr;
    QList<QPushButton*> m_allButtons;
    QWidget* m_pRangeEntries = nullptr;
};
