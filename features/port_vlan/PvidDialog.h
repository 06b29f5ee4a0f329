// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// PVID Configuration: the PVID of every port in one edit each. Apply checks them against the
// trunks and the listed VLANs and writes all of them.
#pragma once

#include "features/common/ResizableDialog.h"

#include <QList>

class CTrunkInfo;
class CVlanMib;
class QLineEdit;

class CPvidDlg : public CResizableDialog {
    Q_OBJECT

public:
    CPvidDlg(CVlanMib& mib, CTrunkInfo& trunkInfo, QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

    QLineEdit* PvidEdit(int port) const;

private:
    CVlanMib& m_cMib;
    CTrunkInfo& m_cTrunkInfo;
    QList<QLineEdit*> m_pEdits;
};
