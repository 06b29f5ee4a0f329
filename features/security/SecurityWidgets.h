// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Small construction helpers shared by the security dialogs.
#pragma once

#include "features/common/ReportList.h"

#include <QPushButton>
#include <QString>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

namespace security_ui {

// A report list with centred columns of fixed widths, grid lines drawn.
inline CReportList* CentredList(QWidget* parent, const char* objectName,
                                const std::vector<std::pair<QString, int>>& columns) {
    auto* list = new CReportList(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    QList<ReportColumn> reportColumns;
    for (const auto& [header, width] : columns) {
        reportColumns.push_back({header, width, Qt::AlignCenter});
    }
    list->SetColumns(reportColumns);
    list->ShowGridLines();
    return list;
}

inline QPushButton* Button(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

inline QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace security_ui
