// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The members of one trunk: a check box per port. On opening it reads what every port is
// configured to do; OK writes the ticked ports and the channel mode in one request once they
// pass the count check and every admission rule.
#pragma once

#include "features/common/ResizableDialog.h"
#include "features/port_vlan/TrunkMib.h"

class CPortGrid;

class CTrunkMemberDlg : public CResizableDialog {
    Q_OBJECT

public:
    // `mode` is the channel mode written with the members (LACP or Static).
    CTrunkMemberDlg(int trunkId, long mode, const PortFlags& members, QWidget* parent = nullptr);
    ~CTrunkMemberDlg() override;

    // The window size for a port count.
    static QSize SizeFor(int portCount);

    // Reads the admission data in the background; OK waits for it.
    void Refresh() override;
    // Checks the ticked ports, writes them and closes with OK.
    void Apply() override;

    // The members written last (the ticked ports once OK succeeded).
    const PortFlags& Members() const { return m_members; }
    CPortGrid* Grid() const { return m_pGrid; }

protected:
    void EnableControls() override;

private:
    void BuildControls();
    void StartRead(bool announceFailure);

    CTrunkAdmission& m_cAdmission;
    int m_nTrunkId;
    long m_nMode;
    int m_nPortCount;
    PortFlags m_members;
    CPortGrid* m_pGrid = nullptr;
    QPushButton* m_pOkButton = nullptr;
};
