// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Where everything lies on the front panel of each model, in panel pixels.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

namespace panelart {

enum class PortKind { Copper, Sfp };

struct PortPlace {
    int number = 0;
    PortKind kind = PortKind::Copper;
    bool topRow = true;
    QRect rect;
    QPoint lamp; // top left corner of the 5 x 5 link lamp
};

// A lamp socket of the model-lamp column with its legend.
struct LedSocket {
    QRect lamp; // the lamp bitmap's rectangle
    QString legend;
    QPoint legendAt;        // left end of the legend's baseline
    bool alwaysLit = false; // drawn lit into the picture (a model without a drawn power lamp)
};

// A caption over a group of ports (for example "PoE" over the powered ports).
struct GroupMark {
    int left = 0;
    int right = 0;
    QString text;
    bool accent = false;
};

struct ModelLayout {
    QString name;
    int portCount = 0;
    bool allGiga = false;
    bool hasFan = false;
    QSize size;
    std::vector<PortPlace> ports;
    std::vector<LedSocket> leds;
    std::vector<GroupMark> marks;
    QRect console;
    QPoint labelAt;       // left end of the model name's baseline
    QStringList subtitle; // lines under the model name
};

constexpr int kPanelHeight = 96;
constexpr QSize kCopperSize(28, 21);
constexpr QSize kSfpSize(28, 16);
constexpr QSize kLampSize(5, 5);

std::vector<ModelLayout> AllModels();

} // namespace panelart
