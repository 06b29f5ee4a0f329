// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snapshot/SettingsSnapshot.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace snapshot {

namespace {

const QString kMagic = QStringLiteral("ksxSettingsSnapshot");
const char kSecretsNote[] = "never written: communities (and the SNMPv1/v2c users and groups), "
                            "SNMPv3 passwords, the RADIUS key";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string S(const QJsonValue& value) {
    return value.toString().toStdString();
}

std::string Line(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

std::string Key(const std::vector<std::string>& path, const std::string& name) {
    std::string key;
    for (const std::string& part : path) {
        key += part + '\x1f';
    }
    return key + name;
}

std::string KeyOf(const Setting& setting) {
    return Key(setting.path, setting.name);
}

ReadResult Failure(const std::string& fileName, const std::string& what) {
    return {std::nullopt, fileName + ": " + what};
}

std::optional<Setting> SettingOf(const QJsonObject& object) {
    const QJsonValue path = object.value(QStringLiteral("path"));
    const QJsonValue name = object.value(QStringLiteral("setting"));
    const QJsonValue value = object.value(QStringLiteral("value"));
    if (!path.isArray() || !name.isString() || !value.isString()) {
        return std::nullopt;
    }
    Setting setting{{}, S(name), S(value)};
    for (const QJsonValue& part : path.toArray()) {
        if (!part.isString()) {
            return std::nullopt;
        }
        setting.path.push_back(S(part));
    }
    return setting;
}

std::optional<QJsonObject> ObjectOf(const std::string& line) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// The port a path names ("Port 30"), if any.
std::optional<int> PortOf(const std::vector<std::string>& path) {
    for (const std::string& part : path) {
        if (part.rfind("Port ", 0) == 0 && part.size() > 5 && part.size() < 10 &&
            part.find_first_not_of("0123456789", 5) == std::string::npos) {
            return std::stoi(part.substr(5));
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<int> PortCountOf(const std::string& model) {
    const std::string prefix = std::string(kFamily) + "-";
    if (model.rfind(prefix, 0) != 0) {
        return std::nullopt;
    }
    int ports = 0;
    for (size_t i = prefix.size();
         i < model.size() && std::isdigit(static_cast<unsigned char>(model[i])); ++i) {
        ports = ports * 10 + (model[i] - '0');
        if (ports > 1000) {
            return std::nullopt;
        }
    }
    return ports > 0 ? std::optional<int>(ports) : std::nullopt;
}

std::string Text(const Snapshot& snapshot) {
    const Header& h = snapshot.header;
    std::string text = Line({{kMagic, h.formatVersion},
                             {QStringLiteral("model"), Q(h.model)},
                             {QStringLiteral("device"), Q(h.deviceName)},
                             {QStringLiteral("address"), Q(h.address)},
                             {QStringLiteral("time"), Q(h.time)},
                             {QStringLiteral("module"), Q(h.moduleVersion)},
                             {QStringLiteral("secrets"), QLatin1String(kSecretsNote)}});
    for (const Setting& setting : snapshot.settings) {
        QJsonArray path;
        for (const std::string& part : setting.path) {
            path.append(Q(part));
        }
        text += Line({{QStringLiteral("path"), path},
                      {QStringLiteral("setting"), Q(setting.name)},
                      {QStringLiteral("value"), Q(setting.value)}});
    }
    return text + Line({{QStringLiteral("end"), static_cast<qint64>(snapshot.settings.size())}});
}

ReadResult ParseText(const std::string& text, const std::string& fileName) {
    const std::vector<std::string> lines = Lines(text);
    const std::optional<QJsonObject> first = lines.empty() ? std::nullopt : ObjectOf(lines[0]);
    if (!first || !first->value(kMagic).isDouble()) {
        return Failure(fileName, "not a settings snapshot");
    }
    Snapshot snapshot;
    Header& h = snapshot.header;
    h.formatVersion = first->value(kMagic).toInt();
    if (h.formatVersion > kFormatVersion || h.formatVersion < 1) {
        return Failure(fileName, "format version " + std::to_string(h.formatVersion) +
                                     ", this module reads version " +
                                     std::to_string(kFormatVersion) + " (made by a newer module)");
    }
    h.model = S(first->value(QStringLiteral("model")));
    h.deviceName = S(first->value(QStringLiteral("device")));
    h.address = S(first->value(QStringLiteral("address")));
    h.time = S(first->value(QStringLiteral("time")));
    h.moduleVersion = S(first->value(QStringLiteral("module")));
    if (!PortCountOf(h.model)) {
        return Failure(fileName,
                       "a snapshot of a \"" + h.model + "\", not of a " + kFamily + " switch");
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::optional<QJsonObject> object = ObjectOf(lines[i]);
        if (object && object->contains(QStringLiteral("end"))) {
            if (object->value(QStringLiteral("end")).toInteger(-1) !=
                    static_cast<qint64>(snapshot.settings.size()) ||
                i + 1 != lines.size()) {
                return Failure(fileName, "damaged (the count at line " + std::to_string(i + 1) +
                                             " does not match)");
            }
            return {std::move(snapshot), {}};
        }
        const std::optional<Setting> setting = object ? SettingOf(*object) : std::nullopt;
        if (!setting) {
            return Failure(fileName, "damaged at line " + std::to_string(i + 1));
        }
        snapshot.settings.push_back(*setting);
    }
    return Failure(fileName, "truncated (it ends after line " + std::to_string(lines.size()) + ")");
}

ReadResult ReadFile(const std::string& fileName) {
    QFile file(Q(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure(fileName, "cannot be read (" + file.errorString().toStdString() + ")");
    }
    return ParseText(file.readAll().toStdString(), fileName);
}

std::string WriteFile(const Snapshot& snapshot, const std::string& fileName) {
    QSaveFile file(Q(fileName));
    const std::string text = Text(snapshot);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        return fileName + ": cannot be written (" + file.errorString().toStdString() + ")";
    }
    return {};
}

std::vector<Difference> Compare(const Snapshot& older, const Snapshot& newer) {
    std::map<std::string, size_t> olderAt;
    for (size_t i = 0; i < older.settings.size(); ++i) {
        olderAt.emplace(KeyOf(older.settings[i]), i);
    }
    std::set<std::string> inNewer;
    for (const Setting& setting : newer.settings) {
        inNewer.insert(KeyOf(setting));
    }
    std::vector<Difference> differences;
    size_t nextOlder = 0;
    // Settings only the older has, up to (not including) older position `end`.
    auto removedUpTo = [&](size_t end) {
        for (; nextOlder < end; ++nextOlder) {
            const Setting& s = older.settings[nextOlder];
            if (inNewer.count(KeyOf(s)) == 0) {
                differences.push_back({s.path, s.name, s.value, std::nullopt});
            }
        }
    };
    for (const Setting& setting : newer.settings) {
        const auto before = olderAt.find(KeyOf(setting));
        if (before == olderAt.end()) {
            differences.push_back({setting.path, setting.name, std::nullopt, setting.value});
            continue;
        }
        removedUpTo(before->second);
        nextOlder = std::max(nextOlder, before->second + 1);
        const std::string& was = older.settings[before->second].value;
        if (was != setting.value) {
            differences.push_back({setting.path, setting.name, was, setting.value});
        }
    }
    removedUpTo(older.settings.size());
    return differences;
}

std::string ValueText(const std::optional<std::string>& value, const Difference& difference,
                      const Header& side) {
    if (value) {
        return *value;
    }
    const std::optional<int> port = PortOf(difference.path);
    const std::optional<int> ports = PortCountOf(side.model);
    if (port && ports && *port > *ports) {
        return "(no such port on " + side.model + ")";
    }
    return "(not set)";
}

std::string PathText(const std::vector<std::string>& path) {
    std::string text;
    for (const std::string& part : path) {
        text += (text.empty() ? "" : " / ") + part;
    }
    return text;
}

std::string DifferenceLine(const Difference& difference, const Header& older, const Header& newer) {
    return PathText(difference.path) + " / " + difference.name + ": " +
           ValueText(difference.older, difference, older) + " -> " +
           ValueText(difference.newer, difference, newer);
}

} // namespace snapshot
