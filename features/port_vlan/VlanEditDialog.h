// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Add VLAN / Edit VLAN: the VID, the name and the membership of every port (Tagged,
// Untagged, Not Member). OK checks the input and writes the row step by step; a refused
// input keeps the dialog open and sends nothing.
#pragma once

#include "features/common/ResizableDialog.h"

class CPortGrid;
class CTrunkInfo;
class CVlanMib;
class QLineEdit;
class QPushButton;

class CVlanEditDlg : public CResizableDialog {
    Q_OBJECT

public:
    // The window's size for a port count (the same size as before for other counts).
    static QSize SizeFor(int portCount, QSize otherwise);

    // `vid` and `surveillanceVlan` only in edit mode.
    CVlanEditDlg(CVlanMib& mib, CTrunkInfo& trunkInfo, bool addMode, long vid = 0,
                 bool surveillanceVlan = false, QWidget* parent = nullptr);

    CPortGrid* Grid() const { return m_pGrid; }

private:
    void ShowVlan();
    void Ok();

    CVlanMib& m_cMib;
    CTrunkInfo& m_cTrunkInfo;
    bool m_bAddMode;
    long m_nVid;
    bool m_bSurveillanceVlan;
    std::string m_strOldName;
    QLineEdit* m_pVidEdit = nullptr;
    QLineEdit* m_pNameEdit = nullptr;
    CPortGrid* m_pGrid = nullptr;
};
