// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

class QComboBox;
class QWidget;

// Refills `day` with "1" up to the number of days of the month shown in `month` (an edit or a
// combo) in the year shown in `year`, and selects "1". A month that is not 1..12 leaves the
// day combo empty.
void FillDayCombo(const QWidget* year, const QWidget* month, QComboBox* day);
