// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The pictures: the panel face of a model, the port cages in their five states, the
// console socket and the small indicator bitmaps.
#pragma once

#include "Layout.h"

#include <QImage>
#include <QString>

#include <vector>

namespace panelart {

// The pictures a port shows for a status: link (both link states), disabled, enabled, empty.
enum class PortLook { Link, Disabled, Enabled, Empty };

QImage DrawCopperPort(PortLook look, bool topRow);
QImage DrawSfpPort(PortLook look, bool topRow);
QImage DrawConsole();
QImage DrawBackground(const ModelLayout& layout);

struct IndicatorBitmap {
    int number;
    QImage image;
};
std::vector<IndicatorBitmap> DrawIndicatorBitmaps();

} // namespace panelart
