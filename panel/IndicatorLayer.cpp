// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "panel/IndicatorLayer.h"

#include "panel/MyBitmapApp.h"
#include "panel/PanelElements.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kPowerLed = 158;
constexpr int kRedLamp = 190;
constexpr int kModeLit = 191;
constexpr int kModeUnlit = 192;

// The port lamps come in odd and even variants (port numbers from 1).
struct PortLampBitmaps {
    int off;
    int green;
    int orange;
};

PortLampBitmaps LampBitmapsForPort(int portNumber) {
    if (portNumber % 2 == 1) {
        return {160, 162, 164};
    }
    return {159, 161, 163};
}

// The lamp drawn over the off lamp in the current phase, or 0 for none.
int IndicatorOverlay(int indicatorState, int blinkPhase, const PortLampBitmaps& bitmaps) {
    switch (indicatorState) {
    case 1:
        return blinkPhase == 0 ? bitmaps.green : 0;
    case 0:
        return blinkPhase == 1 ? bitmaps.orange : 0;
    case 2:
        return bitmaps.off;
    default:
        return 0;
    }
}

void DrawLamp(QPainter& painter, int bitmap, const QPoint& at) {
    CMyBitmapApp::Instance().Draw(painter, bitmap, at.x(), at.y());
}

} // namespace

std::vector<ModelLamp> ModelLamps(const std::string& modelName, const PanelIndicators& state) {
    const bool fanFailed = state.FanStatus == "2";
    std::vector<ModelLamp> lamps;
    if (modelName == "KSX-7700-20" || modelName == "KSX-7700-28") {
        lamps.push_back({kPowerLed, {13, 30}});
    } else if (modelName == "KSX-7700-52") {
        lamps.push_back({kPowerLed, {13, 31}});
        if (fanFailed) {
            lamps.push_back({kRedLamp, {38, 33}});
        }
    } else if (modelName == "KSX-7700-28P") {
        lamps.push_back({kPowerLed, {11, 28}});
        if (state.BIsPowMax) {
            lamps.push_back({kRedLamp, {12, 42}});
        }
        if (fanFailed) {
            lamps.push_back({kRedLamp, {13, 62}});
        }
        const bool linkMode = state.LedMode == 1;
        lamps.push_back({linkMode ? kModeLit : kModeUnlit, {30, 52}});
        lamps.push_back({linkMode ? kModeUnlit : kModeLit, {30, 62}});
    }
    return lamps;
}

std::optional<QPoint> PortLampPosition(const CPanelItem& root, int index) {
    const CPort* port = NumberedPort(root, index + 1);
    const CPanelItem* lamp = port ? port->GetChild(0) : nullptr;
    if (!lamp || lamp->GetRect().left() == 0) {
        return std::nullopt;
    }
    return lamp->GetRect().topLeft();
}

int DrawnPortCount(int portCount) {
    return std::clamp(portCount, 0, PanelIndicators::kPorts);
}

void DrawIndicatorLayer(QPainter& painter, const CPanelItem& root, const std::string& modelName,
                        int portCount, const PanelIndicators& state) {
    for (const ModelLamp& lamp : ModelLamps(modelName, state)) {
        DrawLamp(painter, lamp.bitmap, lamp.position);
    }
    for (int i = 0; i < DrawnPortCount(portCount); ++i) {
        const std::optional<QPoint> at = PortLampPosition(root, i);
        if (!at) {
            continue;
        }
        const PortLampBitmaps bitmaps = LampBitmapsForPort(i + 1);
        DrawLamp(painter, bitmaps.off, *at);
        if (const int overlay = IndicatorOverlay(state.IndicatorState[static_cast<size_t>(i)],
                                                 state.BlinkPhase, bitmaps)) {
            DrawLamp(painter, overlay, *at);
        }
    }
}

QRegion BlinkingLampRegion(const CPanelItem& root, int portCount, const PanelIndicators& state) {
    QRegion region;
    for (int i = 0; i < DrawnPortCount(portCount); ++i) {
        const int indicator = state.IndicatorState[static_cast<size_t>(i)];
        if (indicator != 0 && indicator != 1) {
            continue;
        }
        if (const std::optional<QPoint> at = PortLampPosition(root, i)) {
            const int bitmap = LampBitmapsForPort(i + 1).off;
            region += QRect(*at, CMyBitmapApp::Instance().Size(bitmap));
        }
    }
    return region;
}
