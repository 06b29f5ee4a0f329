// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/IpTableDialog.h"

#include "snmp/SessionParameters.h"

CIpTableDlg::CIpTableDlg(QWidget* parent)
    : CPublicMibTableDialog(
          QString::fromLatin1(kCaption) + QStringLiteral(" : ") +
              QString::fromStdString(SessionParameters().DeviceAddress),
          {{QStringLiteral(" IP                ")}, {QStringLiteral(" Netmask               ")}},
          parent) {}

std::optional<MibRow> CIpTableMib::RowOf(const SnmpRow& row) {
    return MibRow{{QString::fromStdString(row.Value(0)), QString::fromStdString(row.Value(1))}};
}
