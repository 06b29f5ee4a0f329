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
#include <functional>
#include <set>

namespace {

bool WriteText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(text.toUtf8()) >= 0;
}

// `path` (NAME.png) drawn at 1x and NAME@2x.png drawn at 2x beside it, for screens with two
// device pixels to a panel pixel (Qt picks the @2x file there).
bool WriteImage(const QString& path, const std::function<QImage(int scale)>& draw) {
    QString hiDpi = path;
    hiDpi.insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    const bool plain = draw(1).save(path, "PNG");
    return draw(2).save(hiDpi, "PNG") && plain;
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
            const auto draw = [&port, look = look](int scale) {
                return port.kind == panelart::PortKind::Copper
                           ? panelart::DrawCopperPort(look, port.topRow, scale)
                           : panelart::DrawSfpPort(look, port.topRow, scale);
            };
            ok = WriteImage(folder.filePath(name), draw) && ok;
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
                         [&layout](int scale) { return panelart::DrawBackground(layout, scale); });
    ok = WriteImage(folder.filePath(QStringLiteral("console.png")), panelart::DrawConsole) && ok;
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
    const std::vector<panelart::IndicatorBitmap> plain = panelart::DrawIndicatorBitmaps(1);
    const std::vector<panelart::IndicatorBitmap> hiDpi = panelart::DrawIndicatorBitmaps(2);
    bool ok = plain.size() == hiDpi.size();
    for (size_t i = 0; ok && i < plain.size(); ++i) {
        const auto draw = [&](int scale) { return scale == 1 ? plain[i].image : hiDpi[i].image; };
        ok = WriteImage(
            resources.filePath(QStringLiteral("indicators/%1.png").arg(plain[i].number)), draw);
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
