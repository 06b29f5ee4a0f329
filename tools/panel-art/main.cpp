// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// ksx-panel-art RESOURCES: draws the front panels of the five models, the indicator bitmaps,
// the panel descriptions and a User.ini per model into the resources folder.
#include "Artwork.h"
#include "Files.h"
#include "Layout.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <set>

namespace {

bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(text.toUtf8()) >= 0;
}

bool WriteImage(const QString& path, const QImage& image) {
    return image.save(path, "PNG");
}

bool WritePortPictures(const QDir& folder, const panelart::ModelLayout& layout) {
    using panelart::PortLook;
    const std::pair<const char*, PortLook> looks[] = {{"link", PortLook::Link},
                                                      {"disabled", PortLook::Disabled},
                                                      {"enabled", PortLook::Enabled},
                                                      {"empty", PortLook::Empty}};
    // Every port of a row and kind shares its pictures.
    std::set<QString> written;
    bool ok = true;
    for (const panelart::PortPlace& port : layout.ports) {
        for (const auto& [state, look] : looks) {
            const QString name = panelart::PortBitmapName(port, state);
            if (!written.insert(name).second) {
                continue;
            }
            const QImage image = port.kind == panelart::PortKind::Copper
                                     ? panelart::DrawCopperPort(look, port.topRow)
                                     : panelart::DrawSfpPort(look, port.topRow);
            ok = WriteImage(folder.filePath(name), image) && ok;
        }
    }
    return ok;
}

bool WriteModel(const QDir& resources, const panelart::ModelLayout& layout) {
    const QString panelFolder = QStringLiteral("panels/") + layout.name;
    const QString iniFolder = QStringLiteral("userini/") + layout.name;
    if (!resources.mkpath(panelFolder) || !resources.mkpath(iniFolder)) {
        return false;
    }
    const QDir folder(resources.filePath(panelFolder));
    bool ok = WriteImage(folder.filePath(QStringLiteral("background.png")),
                         panelart::DrawBackground(layout));
    ok = WriteImage(folder.filePath(QStringLiteral("console.png")), panelart::DrawConsole()) && ok;
    ok = WritePortPictures(folder, layout) && ok;
    ok = WriteText(folder.filePath(layout.name + QStringLiteral(".xml")),
                   panelart::PanelDescription(layout)) &&
         ok;
    ok = WriteText(resources.filePath(iniFolder + QStringLiteral("/User.ini")),
                   panelart::UserIni(layout)) &&
         ok;
    return ok;
}

bool WriteIndicators(const QDir& resources) {
    if (!resources.mkpath(QStringLiteral("indicators"))) {
        return false;
    }
    bool ok = true;
    for (const auto& [number, image] : panelart::DrawIndicatorBitmaps()) {
        ok = WriteImage(resources.filePath(QStringLiteral("indicators/%1.png").arg(number)),
                        image) &&
             ok;
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ksx-panel-art RESOURCES-FOLDER\n");
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    bool ok = WriteIndicators(resources);
    for (const panelart::ModelLayout& layout : panelart::AllModels()) {
        ok = WriteModel(resources, layout) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "ksx-panel-art: could not write everything into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
