// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Reads a panel description file (XML) into the panel tree: DEVICEPANEL elements configure
// the root and give it its elements, MODULE elements inside DEVICEMODULE go to the module list.
#pragma once

#include "panel/PanelElements.h"

#include <QString>

#include <string_view>

// Loads `fileName` (taken as given; a relative name is relative to the current directory).
// Relative bitmap names in the file are taken from the file's folder. True when everything
// was read; otherwise one message box names the file and the first faulty element, and the
// tree keeps what was built.
bool LoadPanelDescription(const QString& fileName, CDevModule& root, CModuleList& modules);
// The same over the file's content already read; `fileName` names it in the message and
// gives the bitmap folder.
bool LoadPanelDescriptionText(const QByteArray& content, const QString& fileName, CDevModule& root,
                              CModuleList& modules);

// A number of the description file: the decimal value of the text's leading digits, 0 when
// it starts with anything else. Values beyond the int range are clamped.
int LeadingNumber(std::string_view text);
