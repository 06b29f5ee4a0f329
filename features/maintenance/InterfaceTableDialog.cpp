// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/InterfaceTableDialog.h"

#include "features/common/DialogKit.h"

#include "features/maintenance/PublicMibText.h"

#include <QLabel>

CInterfaceTableDlg::CInterfaceTableDlg(QWidget* parent)
    : CPublicMibTableDialog(QString::fromLatin1(kCaption),
                            {{QStringLiteral("  Index          ")},
                             {QStringLiteral("  Link Status             ")},
                             {QStringLiteral("  Speed(b/s)                      ")}},
                            parent) {
    m_rowCount = new QLineEdit(QStringLiteral("0"), this);
    m_rowCount->setObjectName(QStringLiteral("rowCountEdit"));
    kit::MakeReadOnly(*m_rowCount);
    m_rowCount->setMaximumWidth(80);
    auto* label = new QLabel(QStringLiteral("Count"), this);
    label->setBuddy(m_rowCount);
    Buttons()->insertWidget(0, label);
    Buttons()->insertWidget(1, m_rowCount);
}

void CInterfaceTableDlg::WalkStarting() {
    m_rowCount->setText(QStringLiteral("0"));
}

std::optional<MibRow> CInterfaceTableMib::RowOf(const SnmpRow& row) {
    return MibRow{{QString::fromStdString(row.Value(0)), InterfaceStatusText(row.Value(1)),
                   InterfaceSpeedText(row.Value(2))}};
}

void CInterfaceTableDlg::RowRead(int index) {
    m_rowCount->setText(QString::number(index + 1));
}
