// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/DayCombo.h"

#include "features/common/DialogKit.h"
#include "snmp/DateHelpers.h"

#include <QComboBox>

#include <string>

void FillDayCombo(QComboBox& day, std::optional<long> year, std::optional<long> month) {
    const std::string days =
        year && month ? DaysInMonth(std::to_string(*month), std::to_string(*year)) : "0";
    day.clear();
    kit::AddNumbers(day, 1, QString::fromStdString(days).toInt());
    day.setCurrentIndex(day.count() > 0 ? 0 : -1);
}
