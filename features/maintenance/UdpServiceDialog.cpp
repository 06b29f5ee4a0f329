// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/UdpServiceDialog.h"

CUdpServiceDlg::CUdpServiceDlg(QWidget* parent)
    : CPublicMibTableDialog(
          QString::fromLatin1(kCaption),
          {{QStringLiteral("  Local Port ")}, {QStringLiteral("  Local IP      ")}}, parent) {}

std::optional<MibRow> CUdpServiceMib::RowOf(const SnmpRow& row) {
    return MibRow{{QString::fromStdString(row.Value(0)), QString::fromStdString(row.Value(1))}};
}
