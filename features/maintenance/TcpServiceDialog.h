// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// TCP Service: the switch's TCP connections and listeners (tcpConnTable).
#pragma once

#include "features/maintenance/PublicMibTableDialog.h"

class CTcpServiceMib : public CPublicMibTable {
public:
    static inline const std::string kTcpConnState = "1.3.6.1.2.1.6.13.1.1";
    static inline const std::string kTcpConnLocalAddress = "1.3.6.1.2.1.6.13.1.2";
    static inline const std::string kTcpConnLocalPort = "1.3.6.1.2.1.6.13.1.3";
    static inline const std::string kTcpConnRemAddress = "1.3.6.1.2.1.6.13.1.4";
    static inline const std::string kTcpConnRemPort = "1.3.6.1.2.1.6.13.1.5";

    CTcpServiceMib()
        : CPublicMibTable({kTcpConnLocalPort, kTcpConnLocalAddress, kTcpConnRemAddress,
                           kTcpConnRemPort, kTcpConnState},
                          &RowOf) {}
    static std::optional<MibRow> RowOf(const SnmpRow& row);
};

class CTcpServiceDlg : public CPublicMibTableDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "TCP Service";
    explicit CTcpServiceDlg(QWidget* parent = nullptr);

protected:
    CTypedWalk<MibRow>& Walk() override { return m_cMib.Walk(); }

private:
    CTcpServiceMib& m_cMib = AddData<CTcpServiceMib>();
};
