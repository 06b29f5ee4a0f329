// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The indicator layer drawn over the panel at every paint: the model's power, fan and
// LED-mode lamps and one link (or PoE) lamp per port, which blinks.
#pragma once

#include <QPoint>
#include <QRegion>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CPanelItem;
class QPainter;

// The indicator values of the module window, written when poll results are applied.
struct PanelIndicators {
    static constexpr int kPorts = 100;
    // Per port: 0 orange blinking, 1 green blinking, 2 dark, 3 nothing drawn.
    std::array<std::uint8_t, kPorts> IndicatorState;
    // Per port, the private link column value of the last walk.
    std::vector<int> PortState;
    int LedMode = 1; // 1 link mode, 0 PoE mode
    bool BIsPowMax = false;
    std::string FanStatus = "1";
    int BlinkPhase = 0;

    PanelIndicators() { IndicatorState.fill(3); }
};

struct ModelLamp {
    int bitmap;
    QPoint position;
};

// The lamps of step "model lamps", chosen by the model name; none for an unknown model.
std::vector<ModelLamp> ModelLamps(const std::string& modelName, const PanelIndicators& state);

// Where port `index` (from 0) shows its lamp: the top left corner of the first child of the
// index-th numbered port. None when that port, its first child or a left edge other than 0
// is missing.
std::optional<QPoint> PortLampPosition(const CPanelItem& root, int index);

// Ports drawn: the User.ini port count, at most the size of the indicator table.
int DrawnPortCount(int portCount);

void DrawIndicatorLayer(QPainter& painter, const CPanelItem& root, const std::string& modelName,
                        int portCount, const PanelIndicators& state);

// The lamps that change between the two blink phases.
QRegion BlinkingLampRegion(const CPanelItem& root, int portCount, const PanelIndicators& state);
