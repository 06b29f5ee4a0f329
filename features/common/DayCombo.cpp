// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/DayCombo.h"

#include "snmp/DateHelpers.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

QString ShownText(const QWidget* widget) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->currentText();
    }
    return {};
}

} // namespace

void FillDayCombo(const QWidget* year, const QWidget* month, QComboBox* day) {
    if (day == nullptr) {
        return;
    }
    const std::string days =
        DaysInMonth(ShownText(month).toStdString(), ShownText(year).toStdString());
    const int dayCount = QString::fromStdString(days).toInt();
    day->clear();
    for (int number = 1; number <= dayCount; ++number) {
        day->addItem(QString::number(number));
    }
    day->setCurrentIndex(dayCount > 0 ? 0 : -1);
}
