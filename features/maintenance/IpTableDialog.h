// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// IP Table: the switch's own addresses and their masks (ipAddrTable).
#pragma once

#include "features/maintenance/PublicMibTableDialog.h"

class CIpTableMib : public CPublicMibTable {
public:
    static inline const std::string kIpAdEntAddr = "1.3.6.1.2.1.4.20.1.1";
    static inline const std::string kIpAdEntNetMask = "1.3.6.1.2.1.4.20.1.3";

    CIpTableMib() : CPublicMibTable({kIpAdEntAddr, kIpAdEntNetMask}, &RowOf, true) {}
    static std::optional<MibRow> RowOf(const SnmpRow& row);
};

class CIpTableDlg : public CPublicMibTableDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "IP Table";
    explicit CIpTableDlg(QWidget* parent = nullptr);

protected:
    CTypedWalk<MibRow>& Walk() override { return m_cMib.Walk(); }

private:
    CIpTableMib& m_cMib = AddData<CIpTableMib>();
};
