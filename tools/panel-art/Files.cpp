// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "Files.h"

#include <QStringList>

namespace panelart {
namespace {

QString Attribute(const char* name, const QString& value) {
    return QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value.toHtmlEscaped());
}

QString Attribute(const char* name, int value) {
    return Attribute(name, QString::number(value));
}

QString Geometry(const QString& id, const QRect& rect) {
    return Attribute("ID", id) + Attribute("LEFT", rect.left()) + Attribute("TOP", rect.top()) +
           Attribute("WIDTH", rect.width()) + Attribute("HEIGHT", rect.height());
}

QString PortElement(const PortPlace& port) {
    const QString indent = QStringLiteral("    ");
    QString xml = indent + QStringLiteral("<PORT") +
                  Geometry(QString::number(port.number), port.rect) +
                  Attribute("STATUS", QStringLiteral("PORTENABLE")) +
                  Attribute("NAME", QStringLiteral("Port %1").arg(port.number)) + QLatin1Char('\n');
    xml += indent + QStringLiteral("      ") +
           Attribute("BMPLINK100", PortBitmapName(port, "link")) +
           Attribute("BMPLINK10", PortBitmapName(port, "link")) + QLatin1Char('\n');
    xml += indent + QStringLiteral("      ") +
           Attribute("BMPDISABLE", PortBitmapName(port, "disabled")) +
           Attribute("BMPENABLE", PortBitmapName(port, "enabled")) +
           Attribute("BMPEMPTY", PortBitmapName(port, "empty")) +
           Attribute("ITEMS", QStringLiteral(".")) + QStringLiteral(">\n");
    xml += indent + indent + QStringLiteral("<LAMP") +
           Geometry(QStringLiteral("0"), QRect(port.lamp, kLampSize)) +
           Attribute("STATUS", QStringLiteral("LAMPOFF")) +
           Attribute("TYPE", QStringLiteral("LINK")) +
           Attribute("NAME", QStringLiteral("Link %1").arg(port.number)) + QStringLiteral("/>\n");
    xml += indent + QStringLiteral("</PORT>\n");
    return xml;
}

} // namespace

QString PortBitmapName(const PortPlace& port, const char* state) {
    return QStringLiteral("%1-%2-%3.png")
        .arg(port.kind == PortKind::Copper ? QStringLiteral("copper") : QStringLiteral("sfp"),
             port.topRow ? QStringLiteral("top") : QStringLiteral("bottom"), QLatin1String(state));
}

QString PanelDescription(const ModelLayout& layout) {
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    xml += QStringLiteral("<!-- Front panel of the %1. Drawn by tools/panel-art: change the "
                          "generator and run it again rather than editing this file.\n"
                          "     Ports are the panel's direct children in port order, each "
                          "with its link lamp first; ITEMS=\".\" lets the reader descend. -->\n")
               .arg(layout.name);
    xml += QStringLiteral("<DEVICEPANEL") +
           Geometry(layout.name, QRect(QPoint(80, 80), layout.size)) +
           Attribute("BMP", QStringLiteral("background.png")) + Attribute("NAME", layout.name) +
           Attribute("ITEMS", QStringLiteral(".")) + QStringLiteral(">\n");
    for (const PortPlace& port : layout.ports) {
        xml += PortElement(port);
    }
    xml += QStringLiteral("    <CONSOLE") + Geometry(QStringLiteral("console"), layout.console) +
           Attribute("BMP", QStringLiteral("console.png")) +
           Attribute("NAME", QStringLiteral("Console")) + QStringLiteral("/>\n");
    xml += QStringLiteral("</DEVICEPANEL>\n");
    return xml;
}

QString DescriptionPath(const ModelLayout& layout) {
    return QStringLiteral("panels/%1/%1.xml").arg(layout.name);
}

QString UserIni(const ModelLayout& layout) {
    const auto flag = [](bool set) { return set ? QStringLiteral("Y") : QStringLiteral("N"); };
    return QStringLiteral("[DeviceInfo]\n"
                          "DeviceName=%1\n"
                          "DevicePortNum=%2\n"
                          "XMLName=%3\n"
                          "IsAllGiga=%4\n"
                          "IsHasFan=%5\n")
        .arg(layout.name)
        .arg(layout.portCount)
        .arg(DescriptionPath(layout), flag(layout.allGiga), flag(layout.hasFan));
}

} // namespace panelart
