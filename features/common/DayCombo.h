// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <optional>

class QComboBox;

// The days of `month` in `year` (1 to 28..31, each with its number as item data), the first
// one current; no days when the month or year is unknown.
void FillDayCombo(QComboBox& day, std::optional<long> year, std::optional<long> month);
