// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// UDP Service: the switch's UDP listeners (udpTable).
#pragma once

#include "features/maintenance/PublicMibTableDialog.h"

class CUdpServiceMib : public CPublicMibTable {
public:
    static inline const std::string kUdpLocalAddress = "1.3.6.1.2.1.7.5.1.1";
    static inline const std::string kUdpLocalPort = "1.3.6.1.2.1.7.5.1.2";

    CUdpServiceMib() : CPublicMibTable({kUdpLocalPort, kUdpLocalAddress}, &RowOf) {}
    static std::optional<MibRow> RowOf(const SnmpRow& row);
};

class CUdpServiceDlg : public CPublicMibTableDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "UDP Service";
    explicit CUdpServiceDlg(QWidget* parent = nullptr);

protected:
    CTypedWalk<MibRow>& Walk() override { return m_cMib.Walk(); }

private:
    CUdpServiceMib& m_cMib = AddData<CUdpServiceMib>();
};
