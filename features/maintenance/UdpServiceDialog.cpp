// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/UdpServiceDialog.h"

CUdpServiceDlg::CUdpServiceDlg(QWidget* parent)
    : CPublicMibTableDialog(
          QString::fromLatin1(kCaption),
          {{QStringLiteral("  Local Port ")}, {QStringLiteral("  Local IP      ")}}, parent) {}

QStringList CUdpServiceDlg::Cells(const SnmpRow& row, int /*rowNumber*/) {
    return {QString::fromStdString(row.Value(0)), QString::fromStdString(row.Value(1))};
}
