// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The text files that go with the pictures: the panel description and the User.ini.
#pragma once

#include "Layout.h"

#include <QString>

namespace panelart {

QString PortBitmapName(const PortPlace& port, const char* state);
QString PanelDescription(const ModelLayout& layout);
QString UserIni(const ModelLayout& layout);
// Where a User.ini beside the executables finds the model's description.
QString DescriptionPath(const ModelLayout& layout);

} // namespace panelart
