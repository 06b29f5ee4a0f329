// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/TcpServiceDialog.h"

#include "features/maintenance/PublicMibText.h"

CTcpServiceDlg::CTcpServiceDlg(QWidget* parent)
    : CPublicMibTableDialog(QString::fromLatin1(kCaption),
                            {{QStringLiteral("Local Port ")},
                             {QStringLiteral(" Local IP        ")},
                             {QStringLiteral(" Remote IP       ")},
                             {QStringLiteral("Remote Port")},
                             {QStringLiteral(" Status ")}},
                            parent) {}

std::optional<MibRow> CTcpServiceMib::RowOf(const SnmpRow& row) {
    return MibRow{{QString::fromStdString(row.Value(0)), QString::fromStdString(row.Value(1)),
                   QString::fromStdString(row.Value(2)), QString::fromStdString(row.Value(3)),
                   TcpStateText(row.Value(4))}};
}
