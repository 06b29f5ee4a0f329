// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "Artwork.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace panelart {
namespace {

// The face: dark grey powder-coated steel.
const QColor kFaceTop(0x4b, 0x4f, 0x55);
const QColor kFaceBottom(0x30, 0x33, 0x37);
const QColor kFaceHighlight(0x72, 0x77, 0x7e);
const QColor kFaceShadow(0x17, 0x19, 0x1b);
const QColor kText(0xdc, 0xdf, 0xe3);
const QColor kDimText(0xa3, 0xa8, 0xae);
const QColor kAccent(0xf2, 0xa3, 0x2c);
// Port cages: bright nickel-plated steel.
const QColor kCageLight(0xee, 0xf0, 0xf2);
const QColor kCageDark(0x9c, 0xa2, 0xa9);
const QColor kCageEdge(0x55, 0x5a, 0x60);
const QColor kOpening(0x0c, 0x0d, 0x0f);
const QColor kContact(0xd4, 0xb0, 0x4a);
const QColor kSocket(0x1a, 0x1c, 0x1f);

QFont PanelFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// A picture of `size` panel pixels with `scale` image pixels to each; QPainter draws on it in
// panel pixels, so that the @2x pictures are drawn, not enlarged.
QImage Canvas(QSize size, QColor fill, int scale) {
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(fill);
    return image;
}

void FillMetal(QPainter& painter, const QRectF& rect, QColor light, QColor dark) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, light);
    gradient.setColorAt(0.55, light.darker(112));
    gradient.setColorAt(1.0, dark);
    painter.fillRect(rect, gradient);
}

// The cage: a metal box with a darker rim, a bright top edge and a shaded lower edge.
void DrawCage(QPainter& painter, QSize size) {
    const QRectF box(0, 0, size.width(), size.height());
    FillMetal(painter, box, kCageLight, kCageDark);
    painter.setPen(kCageEdge);
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    painter.setPen(QColor(255, 255, 255, 150));
    painter.drawLine(QPointF(1.5, 1.5), QPointF(size.width() - 1.5, 1.5));
}

// The outline of an RJ45 opening, latch channel towards the row's outer edge.
QPainterPath JackOpening(bool topRow) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(QRectF(3, 11, 22, 9));
    path.addRect(QRectF(11, 5, 6, 7));
    if (!topRow) {
        QTransform flip;
        flip.translate(0, kCopperSize.height());
        flip.scale(1, -1);
        path = flip.map(path);
    }
    return path.simplified();
}

QRectF JackBody(bool topRow) {
    return topRow ? QRectF(3, 11, 22, 9) : QRectF(3, 1, 22, 9);
}

// The recess a lamp shines through: a dark rim with a pale lower lip.
void DrawLampWindow(QPainter& painter, QPoint lamp, QSize lampSize) {
    const QRect window(lamp - QPoint(1, 1), lampSize + QSize(2, 2));
    painter.fillRect(window, kSocket);
    painter.setPen(QColor(255, 255, 255, 60));
    painter.drawLine(window.bottomLeft() + QPoint(0, 1), window.bottomRight() + QPoint(0, 1));
}

void DrawContacts(QPainter& painter, bool topRow) {
    const QRectF body = JackBody(topRow);
    const int y0 = static_cast<int>(topRow ? body.bottom() - 3 : body.top());
    for (int i = 0; i < 8; ++i) {
        painter.fillRect(QRect(static_cast<int>(body.left()) + 3 + i * 2, y0, 1, 3), kContact);
    }
}

// A patch cord seen from the front: the clear latch of the plug in the channel and the
// blue boot with the cable's round end filling the opening.
void DrawPlug(QPainter& painter, bool topRow) {
    const QPainterPath opening = JackOpening(topRow);
    const QRectF body = JackBody(topRow);
    QLinearGradient latch(0, 0, 0, kCopperSize.height());
    latch.setColorAt(0, QColor(0x4e, 0x5c, 0x68));
    latch.setColorAt(1, QColor(0x2c, 0x35, 0x3d));
    painter.fillPath(opening, latch);
    QLinearGradient boot(body.topLeft(), body.bottomLeft());
    boot.setColorAt(0, QColor(0x6f, 0xa4, 0xe0));
    boot.setColorAt(1, QColor(0x23, 0x55, 0x98));
    painter.setPen(QColor(0x10, 0x20, 0x38));
    painter.setBrush(boot);
    painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
    QRadialGradient cable(body.center(), 3.5);
    cable.setColorAt(0, QColor(0x3a, 0x6e, 0xb8));
    cable.setColorAt(0.8, QColor(0x1c, 0x3f, 0x72));
    cable.setColorAt(1, QColor(0x12, 0x2a, 0x4c));
    painter.setPen(Qt::NoPen);
    painter.setBrush(cable);
    painter.drawEllipse(body.center(), 3.5, 3.5);
}

// A rubber dust plug.
void DrawDustPlug(QPainter& painter, const QPainterPath& opening, const QRectF& grip) {
    QLinearGradient rubber(0, 0, 0, 21);
    rubber.setColorAt(0, QColor(0x3a, 0x3d, 0x41));
    rubber.setColorAt(1, QColor(0x22, 0x24, 0x27));
    painter.fillPath(opening, rubber);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x4c, 0x50, 0x55));
    painter.drawRoundedRect(grip, 1, 1);
}

// Administratively down: the opening glows faintly red behind a dark bar.
void DrawDisabledMark(QPainter& painter, const QPainterPath& opening, const QRectF& body) {
    painter.fillPath(opening, QColor(0x2a, 0x09, 0x09));
    painter.setPen(QPen(QColor(0xd8, 0x3a, 0x2e), 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = body.center();
    painter.drawLine(c + QPointF(-3, -3), c + QPointF(3, 3));
    painter.drawLine(c + QPointF(-3, 3), c + QPointF(3, -3));
}

void DrawNumber(QPainter& painter, const QRect& port, bool above, int number) {
    painter.setFont(PanelFont(8));
    painter.setPen(kText);
    const QRect box = above ? QRect(port.left() - 4, port.top() - 11, port.width() + 8, 10)
                            : QRect(port.left() - 4, port.bottom() + 2, port.width() + 8, 10);
    painter.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter, QString::number(number));
}

void DrawFace(QPainter& painter, QSize size) {
    QLinearGradient face(0, 0, 0, size.height());
    face.setColorAt(0.0, kFaceTop);
    face.setColorAt(1.0, kFaceBottom);
    painter.fillRect(QRect(QPoint(0, 0), size), face);
    // Fine brushed grain.
    for (int y = 3; y < size.height() - 3; y += 3) {
        painter.setPen(QColor(255, 255, 255, y % 2 ? 7 : 4));
        painter.drawLine(0, y, size.width(), y);
    }
    painter.setPen(kFaceHighlight);
    painter.drawLine(0, 0, size.width(), 0);
    painter.setPen(QColor(0x5c, 0x61, 0x67));
    painter.drawLine(0, 1, size.width(), 1);
    painter.setPen(kFaceShadow);
    painter.drawLine(0, size.height() - 1, size.width(), size.height() - 1);
    painter.setPen(QColor(0x22, 0x25, 0x28));
    painter.drawLine(0, size.height() - 2, size.width(), size.height() - 2);
}

// A shallow recessed band behind each row of ports.
void DrawPortWell(QPainter& painter, const QRect& area) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x21, 0x24));
    painter.drawRoundedRect(QRectF(area).adjusted(-0.5, -0.5, 0.5, 0.5), 2, 2);
    painter.setPen(QColor(255, 255, 255, 45));
    painter.drawLine(area.bottomLeft() + QPoint(2, 1), area.bottomRight() + QPoint(-2, 1));
}

void DrawMark(QPainter& painter, const GroupMark& mark) {
    const QColor colour = mark.accent ? kAccent : kDimText;
    painter.setFont(PanelFont(7, true));
    const QFontMetrics metrics(painter.font());
    const int textWidth = metrics.horizontalAdvance(mark.text);
    const int centre = (mark.left + mark.right) / 2;
    const int y = 6;
    painter.setPen(colour);
    painter.drawText(QPoint(centre - textWidth / 2, y + 3), mark.text);
    if (mark.right - mark.left < textWidth + 12) {
        return; // too narrow for a bracket: the caption alone
    }
    painter.drawLine(mark.left, y, centre - textWidth / 2 - 4, y);
    painter.drawLine(centre + textWidth / 2 + 4, y, mark.right, y);
    painter.drawLine(mark.left, y, mark.left, y + 3);
    painter.drawLine(mark.right, y, mark.right, y + 3);
}

void DrawLed(QPainter& painter, const LedSocket& led, int scale) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawLampWindow(painter, led.lamp.topLeft(), led.lamp.size());
    const bool large = led.lamp.width() >= 8;
    QImage lens = Canvas(led.lamp.size(), kSocket, scale);
    const QRectF lensRect(QPointF(0, 0), led.lamp.size());
    QPainter lensPainter(&lens);
    lensPainter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glass(lensRect.center(), large ? 4 : 3);
    const bool lit = led.alwaysLit;
    glass.setColorAt(0, lit ? QColor(0xb8, 0xff, 0x9c) : QColor(0x3b, 0x45, 0x3d));
    glass.setColorAt(1, lit ? QColor(0x1e, 0xa0, 0x2a) : QColor(0x1a, 0x1f, 0x1b));
    lensPainter.setPen(Qt::NoPen);
    lensPainter.setBrush(glass);
    lensPainter.drawEllipse(lensRect.adjusted(0.2, 0.2, -0.2, -0.2));
    lensPainter.end();
    painter.drawImage(led.lamp.topLeft(), lens);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(PanelFont(7, true));
    painter.setPen(kText);
    painter.drawText(led.legendAt, led.legend);
}

void DrawLabel(QPainter& painter, const ModelLayout& layout) {
    painter.setFont(PanelFont(12, true));
    painter.setPen(QColor(0xf4, 0xf6, 0xf8));
    painter.drawText(layout.labelAt, layout.name);
    painter.setFont(PanelFont(8));
    painter.setPen(kDimText);
    int y = layout.labelAt.y() + 14;
    for (const QString& line : layout.subtitle) {
        painter.drawText(QPoint(layout.labelAt.x(), y), line);
        y += 11;
    }
}

// The lamp windows of the SFP cages and the numbers beside them.
void DrawSfpLegend(QPainter& painter, const PortPlace& port) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawLampWindow(painter, port.lamp, kLampSize);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(PanelFont(8));
    painter.setPen(kText);
    painter.drawText(QRect(port.lamp.x() + 8, port.lamp.y() - 3, 20, 11),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::number(port.number));
}

// The copper ports of one row in runs without a gap wider than a cage's spacing.
std::vector<QRect> RowWells(const std::vector<PortPlace>& ports, bool topRow) {
    std::vector<QRect> wells;
    for (const PortPlace& port : ports) {
        if (port.topRow != topRow || port.kind != PortKind::Copper) {
            continue;
        }
        if (!wells.empty() && port.rect.left() - wells.back().right() <= 4) {
            wells.back() = wells.back().united(port.rect);
        } else {
            wells.push_back(port.rect);
        }
    }
    return wells;
}

QImage DrawPort(const PortPlace& port, int scale) {
    return port.kind == PortKind::Copper ? DrawCopperPort(PortLook::Enabled, port.topRow, scale)
                                         : DrawSfpPort(PortLook::Empty, port.topRow, scale);
}

void DrawPorts(QPainter& painter, const ModelLayout& layout, int scale) {
    for (bool top : {true, false}) {
        for (const QRect& well : RowWells(layout.ports, top)) {
            DrawPortWell(painter, well.adjusted(-2, -2, 2, 2));
        }
    }
    for (const PortPlace& port : layout.ports) {
        painter.drawImage(port.rect.topLeft(), DrawPort(port, scale));
        if (port.kind == PortKind::Copper) {
            DrawNumber(painter, port.rect, port.topRow, port.number);
        } else {
            DrawSfpLegend(painter, port);
        }
    }
}

void DrawConsoleArea(QPainter& painter, const QRect& console, int scale) {
    DrawPortWell(painter, console.adjusted(-2, -2, 2, 2));
    painter.drawImage(console.topLeft(), DrawConsole(scale));
    painter.setFont(PanelFont(7, true));
    painter.setPen(kText);
    painter.drawText(QRect(console.left() - 12, console.bottom() + 3, console.width() + 24, 10),
                     Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("CONSOLE"));
}

void DrawLamp(QImage& image, QColor centre, QColor middle, QColor edge, bool highlightTop) {
    image.fill(kSocket);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(QPointF(0, 0), image.deviceIndependentSize());
    const QPointF focus(box.center().x() - 0.6,
                        highlightTop ? box.top() + 1.4 : box.bottom() - 1.4);
    QRadialGradient glow(box.center(), qMax(box.width(), box.height()) * 0.62, focus);
    glow.setColorAt(0.0, centre);
    glow.setColorAt(0.55, middle);
    glow.setColorAt(1.0, edge);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawRoundedRect(box, 1.2, 1.2);
}

QImage Lamp(int scale, QSize size, QColor centre, QColor middle, QColor edge,
            bool highlightTop = true) {
    QImage image = Canvas(size, kSocket, scale);
    DrawLamp(image, centre, middle, edge, highlightTop);
    return image;
}

} // namespace

QImage DrawCopperPort(PortLook look, bool topRow, int scale) {
    QImage image = Canvas(kCopperSize, kCageDark, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawCage(painter, kCopperSize);
    const QPoint lamp = topRow ? QPoint(3, 3) : QPoint(3, kCopperSize.height() - 8);
    DrawLampWindow(painter, lamp, kLampSize);
    // The second window of the jack: an amber speed lamp this panel does not drive.
    const QPoint speedLamp(kCopperSize.width() - 8, lamp.y());
    DrawLampWindow(painter, speedLamp, kLampSize);
    painter.fillRect(QRect(speedLamp, kLampSize), QColor(0x3a, 0x2c, 0x18));
    painter.fillRect(QRect(speedLamp + QPoint(1, 1), QSize(2, 1)), QColor(0x5a, 0x46, 0x2a));
    const QPainterPath opening = JackOpening(topRow);
    const QRectF body = JackBody(topRow);
    painter.fillPath(opening, kOpening);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (look) {
    case PortLook::Enabled:
        DrawContacts(painter, topRow);
        break;
    case PortLook::Link:
        DrawPlug(painter, topRow);
        break;
    case PortLook::Disabled:
        DrawDisabledMark(painter, opening, body);
        break;
    case PortLook::Empty:
        DrawDustPlug(painter, opening, body.adjusted(6, 3, -6, -3));
        break;
    }
    return image;
}

QImage DrawSfpPort(PortLook look, bool topRow, int scale) {
    QImage image = Canvas(kSfpSize, kCageDark, scale);
    QPainter painter(&image);
    DrawCage(painter, kSfpSize);
    const QRectF inner(2, 2, kSfpSize.width() - 4, kSfpSize.height() - 4);
    painter.fillRect(inner, kOpening);
    painter.setRenderHint(QPainter::Antialiasing);
    if (look == PortLook::Empty) {
        // The spring-loaded door of an empty cage.
        FillMetal(painter, inner.adjusted(1, 1, -1, -1), QColor(0x86, 0x8c, 0x92),
                  QColor(0x4a, 0x4f, 0x54));
        painter.setPen(QColor(0x2e, 0x32, 0x36));
        for (int i = 0; i < 3; ++i) {
            const qreal y = inner.top() + 3.5 + i * 3;
            painter.drawLine(QPointF(inner.left() + 4, y), QPointF(inner.right() - 4, y));
        }
        return image;
    }
    // A transceiver: its bright nose with the two receptacles of an LC duplex connector.
    const QRectF module = inner.adjusted(1, 1, -1, -1);
    FillMetal(painter, module, QColor(0xd8, 0xdc, 0xe0), QColor(0x8f, 0x95, 0x9b));
    const qreal portY = topRow ? module.top() + 2 : module.bottom() - 8;
    for (int i = 0; i < 2; ++i) {
        const QRectF receptacle(module.left() + 4 + i * 11, portY, 7, 6);
        QColor fill = kOpening;
        if (look == PortLook::Link) {
            fill = QColor(0x2f, 0xc4, 0xc8);
        } else if (look == PortLook::Disabled) {
            fill = QColor(0x5a, 0x12, 0x10);
        }
        painter.setPen(QColor(0x22, 0x25, 0x28));
        painter.setBrush(fill);
        painter.drawRect(receptacle);
        if (look == PortLook::Link) {
            painter.setPen(QColor(0xe8, 0xff, 0xff));
            painter.drawPoint(receptacle.center());
        }
    }
    // The bail, a coloured wire loop along the row's outer edge.
    const qreal bailY = topRow ? module.bottom() - 1.5 : module.top() + 1.5;
    painter.setPen(QPen(
        look == PortLook::Disabled ? QColor(0x8a, 0x2a, 0x24) : QColor(0x22, 0x4f, 0xb0), 1.5));
    painter.drawLine(QPointF(module.left() + 2, bailY), QPointF(module.right() - 2, bailY));
    return image;
}

QImage DrawConsole(int scale) {
    QImage image = DrawCopperPort(PortLook::Enabled, true, scale);
    QPainter painter(&image);
    // Console sockets carry a blue ring so that nobody plugs a network cable in.
    painter.setPen(QColor(0x3d, 0x8b, 0xe0));
    painter.drawRect(QRect(1, 1, kCopperSize.width() - 3, kCopperSize.height() - 3));
    return image;
}

QImage DrawBackground(const ModelLayout& layout, int scale) {
    QImage image = Canvas(layout.size, kFaceBottom, scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawFace(painter, layout.size);
    for (const LedSocket& led : layout.leds) {
        DrawLed(painter, led, scale);
    }
    DrawLabel(painter, layout);
    for (const GroupMark& mark : layout.marks) {
        DrawMark(painter, mark);
    }
    DrawPorts(painter, layout, scale);
    DrawConsoleArea(painter, layout.console, scale);
    return image;
}

std::vector<IndicatorBitmap> DrawIndicatorBitmaps(int scale) {
    const QColor greenCentre(0xd8, 0xff, 0xb8), greenMiddle(0x46, 0xe8, 0x3c),
        greenEdge(0x12, 0x8a, 0x1e);
    const QColor orangeCentre(0xff, 0xe6, 0xa0), orangeMiddle(0xff, 0x9c, 0x1a),
        orangeEdge(0xb0, 0x52, 0x00);
    const QColor darkCentre(0x40, 0x48, 0x42), darkMiddle(0x26, 0x2c, 0x28),
        darkEdge(0x17, 0x1b, 0x18);
    const QColor redCentre(0xff, 0xb0, 0xa0), redMiddle(0xf0, 0x32, 0x24),
        redEdge(0x8c, 0x10, 0x0c);
    const QSize port(5, 5), mode(6, 5);
    // Odd ports sit in the top row and catch the light from above, even ones from below.
    return {
        {158, Lamp(scale, QSize(8, 8), greenCentre, greenMiddle, greenEdge)},
        {159, Lamp(scale, port, darkCentre, darkMiddle, darkEdge, false)},
        {160, Lamp(scale, port, darkCentre, darkMiddle, darkEdge, true)},
        {161, Lamp(scale, port, greenCentre, greenMiddle, greenEdge, false)},
        {162, Lamp(scale, port, greenCentre, greenMiddle, greenEdge, true)},
        {163, Lamp(scale, port, orangeCentre, orangeMiddle, orangeEdge, false)},
        {164, Lamp(scale, port, orangeCentre, orangeMiddle, orangeEdge, true)},
        {190, Lamp(scale, QSize(4, 5), redCentre, redMiddle, redEdge)},
        {191, Lamp(scale, mode, greenCentre, greenMiddle, greenEdge)},
        {192, Lamp(scale, mode, darkCentre, darkMiddle, darkEdge)},
        {221, Lamp(scale, mode, redCentre, redMiddle, redEdge)},
    };
}

} // namespace panelart
