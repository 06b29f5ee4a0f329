// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "Layout.h"

namespace panelart {
namespace {

constexpr int kTopRow = 22;
constexpr int kBottomRow = 53;
constexpr int kCopperPitch = 31;
constexpr int kGroupGap = 10;
constexpr int kSfpPitch = 40;
constexpr int kSectionGap = 18;

struct ModelFacts {
    const char* name;
    int copperPorts; // ports 1..copperPorts are copper, the rest SFP
    int sfpPorts;
    bool allGiga;
    bool hasFan;
    int poePorts;
    QStringList subtitle;
};

// Two rows, odd ports on top; a small gap after every twelve ports.
int PlaceCopper(ModelLayout& layout, int firstNumber, int count, int x) {
    for (int i = 0; i < count; ++i) {
        const int column = i / 2;
        const bool top = i % 2 == 0;
        const int left = x + column * kCopperPitch + (column / 6) * kGroupGap;
        const int y = top ? kTopRow : kBottomRow;
        PortPlace port;
        port.number = firstNumber + i;
        port.kind = PortKind::Copper;
        port.topRow = top;
        port.rect = QRect(QPoint(left, y), kCopperSize);
        port.lamp = top ? QPoint(left + 3, y + 3)
                        : QPoint(left + 3, y + kCopperSize.height() - 3 - kLampSize.height());
        layout.ports.push_back(port);
    }
    const int columns = (count + 1) / 2;
    return x + columns * kCopperPitch + ((columns - 1) / 6) * kGroupGap - 3;
}

int PlaceSfp(ModelLayout& layout, int firstNumber, int count, int x) {
    for (int i = 0; i < count; ++i) {
        const int left = x + (i / 2) * kSfpPitch;
        const bool top = i % 2 == 0;
        PortPlace port;
        port.number = firstNumber + i;
        port.kind = PortKind::Sfp;
        port.topRow = top;
        // The cages line up with the copper rows' outer edges; the lamp sits outside.
        const int y = top ? kTopRow + kCopperSize.height() - kSfpSize.height() : kBottomRow;
        port.rect = QRect(QPoint(left, y), kSfpSize);
        port.lamp = top ? QPoint(left + 3, y - 7) : QPoint(left + 3, y + kSfpSize.height() + 2);
        layout.ports.push_back(port);
    }
    return x + ((count + 1) / 2) * kSfpPitch - (kSfpPitch - kSfpSize.width());
}

void AddModelLeds(ModelLayout& layout) {
    const auto socket = [&](QRect lamp, const char* legend, QPoint at, bool lit = false) {
        layout.leds.push_back({lamp, QString::fromLatin1(legend), at, lit});
    };
    if (layout.name == "KSX-7700-20" || layout.name == "KSX-7700-28") {
        socket({13, 30, 8, 8}, "PWR", {9, 49});
    } else if (layout.name == "KSX-7700-52") {
        socket({13, 31, 8, 8}, "PWR", {9, 50});
        socket({38, 33, 4, 5}, "FAN", {32, 50});
    } else if (layout.name == "KSX-7700-48") {
        socket({13, 31, 8, 8}, "PWR", {9, 50}, true);
    } else if (layout.name == "KSX-7700-28P") {
        socket({11, 28, 8, 8}, "PWR", {22, 35});
        socket({12, 42, 4, 5}, "MAX", {19, 47});
        socket({13, 62, 4, 5}, "FAN", {7, 77});
        socket({30, 52, 6, 5}, "LINK", {39, 57});
        socket({30, 62, 6, 5}, "PoE", {39, 67});
    }
}

ModelLayout Build(const ModelFacts& facts) {
    ModelLayout layout;
    layout.name = QString::fromLatin1(facts.name);
    layout.portCount = facts.copperPorts + facts.sfpPorts;
    layout.allGiga = facts.allGiga;
    layout.hasFan = facts.hasFan;
    layout.subtitle = facts.subtitle;
    AddModelLeds(layout);
    const bool poe = facts.poePorts > 0;
    layout.labelAt = QPoint(poe ? 66 : 54, 34);
    const int portsLeft = poe ? 178 : 166;

    // Fast Ethernet models end in two gigabit copper ports and two SFP slots.
    const int uplinkCopper = facts.allGiga ? 0 : 2;
    const int accessPorts = facts.copperPorts - uplinkCopper;
    int right = PlaceCopper(layout, 1, accessPorts, portsLeft);
    if (poe) {
        const int poeRight = layout.ports[static_cast<size_t>(facts.poePorts - 1)].rect.right();
        layout.marks.push_back({portsLeft, poeRight, QStringLiteral("PoE"), true});
    }
    if (uplinkCopper > 0) {
        const int left = right + kSectionGap;
        right = PlaceCopper(layout, accessPorts + 1, uplinkCopper, left);
        layout.marks.push_back({left, right, QStringLiteral("1000M"), false});
    }
    const int sfpLeft = right + kSectionGap;
    right = PlaceSfp(layout, facts.copperPorts + 1, facts.sfpPorts, sfpLeft);
    layout.marks.push_back({sfpLeft, right, QStringLiteral("SFP"), false});

    layout.console = QRect(QPoint(right + 24, kTopRow), kCopperSize);
    layout.size = QSize(layout.console.right() + 1 + 22, kPanelHeight);
    return layout;
}

} // namespace

std::vector<ModelLayout> AllModels() {
    const std::vector<ModelFacts> modelFacts = {
        {"KSX-7700-20", 18, 2, false, false, 0, {"16-Port 10/100", "Managed Switch"}},
        {"KSX-7700-28", 26, 2, false, false, 0, {"24-Port 10/100", "Managed Switch"}},
        {"KSX-7700-28P", 26, 2, false, true, 8, {"24-Port 10/100", "PoE Managed Switch"}},
        {"KSX-7700-48", 44, 4, true, true, 0, {"44-Port Gigabit", "Managed Switch"}},
        {"KSX-7700-52", 48, 4, true, true, 0, {"48-Port Gigabit", "Managed Switch"}},
    };
    std::vector<ModelLayout> models;
    for (const ModelFacts& facts : modelFacts) {
        models.push_back(Build(facts));
    }
    return models;
}

} // namespace panelart
