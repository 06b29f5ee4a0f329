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

// `scale` image pixels to a panel pixel: 1 for the plain pictures, 2 for the @2x ones (drawn
// at that size, with the device pixel ratio set).
QImage DrawCopperPort(PortLook look, bool topRow, int scale);
QImage DrawSfpPort(PortLook look, bool topRow, int scale);
QImage DrawConsole(int scale);
QImage DrawBackground(const ModelLayout& layout, int scale);

struct IndicatorBitmap {
    int number;
    QImage image;
};
std::vector<IndicatorBitmap> DrawIndicatorBitmaps(int scale);

} // namespace panelart
