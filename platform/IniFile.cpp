// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/IniFile.h"

#include <QFile>

#include <climits>

namespace platform {
namespace {

bool SameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString WithoutEnclosingQuotes(QString value) {
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
                        value.back() == value.front();
    if (quoted) {
        value = value.mid(1, value.size() - 2);
    }
    return value;
}

QString WithoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace()) {
        --end;
    }
    return text.left(end);
}

// Cuts to maxLength UTF-16 units without leaving half of a surrogate pair behind.
QString CutToLength(const QString& text, qsizetype maxLength) {
    if (maxLength <= 0) {
        return {};
    }
    if (text.size() <= maxLength) {
        return text;
    }
    qsizetype length = maxLength;
    if (text.at(length - 1).isHighSurrogate()) {
        --length;
    }
    return text.left(length);
}

int LeadingDecimalValue(QStringView text) {
    long long value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        value = value * 10 + (c.unicode() - u'0');
        if (value > INT_MAX) {
            return INT_MAX;
        }
    }
    return static_cast<int>(value);
}

} // namespace

IniFile::IniFile(const QString& filePath) {
    QFile file(filePath);
    if (file.open(QIODevice::ReadOnly)) {
        Parse(QString::fromUtf8(file.readAll()));
    }
}

IniFile IniFile::FromUtf8(const QByteArray& content) {
    IniFile file;
    file.Parse(QString::fromUtf8(content));
    return file;
}

void IniFile::Parse(const QString& text) {
    QStringView rest(text);
    if (rest.startsWith(QChar(0xFEFF))) {
        rest = rest.mid(1);
    }
    // trimmed() also drops the '\r' of CRLF line ends.
    for (QStringView line : rest.tokenize(u'\n')) {
        ParseLine(line.trimmed());
    }
}

void IniFile::ParseLine(QStringView line) {
    if (line.isEmpty() || line.startsWith(u';')) {
        return;
    }
    if (line.startsWith(u'[')) {
        const qsizetype close = line.indexOf(u']');
        if (close > 0) {
            m_sections.push_back({line.mid(1, close - 1).trimmed().toString(), {}});
        }
        return;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0 || m_sections.empty()) {
        return;
    }
    m_sections.back().keys.push_back(
        {line.left(equals).trimmed().toString(), line.mid(equals + 1).trimmed().toString()});
}

const QString* IniFile::FindValue(const QString& section, const QString& key) const {
    const QString wantedSection = section.trimmed();
    const QString wantedKey = key.trimmed();
    for (const Section& candidate : m_sections) {
        if (!SameName(candidate.name, wantedSection)) {
            continue;
        }
        for (const Key& entry : candidate.keys) {
            if (SameName(entry.name, wantedKey)) {
                return &entry.value;
            }
        }
        return nullptr; // only the first section of that name counts
    }
    return nullptr;
}

QString IniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue,
                            qsizetype maxLength) const {
    const QString* value = FindValue(section, key);
    const QString result =
        value ? WithoutEnclosingQuotes(*value) : WithoutTrailingBlanks(defaultValue);
    return CutToLength(result, maxLength);
}

int IniFile::ReadInt(const QString& section, const QString& key, int defaultValue) const {
    const QString* value = FindValue(section, key);
    if (value == nullptr) {
        return defaultValue;
    }
    return LeadingDecimalValue(WithoutEnclosingQuotes(*value));
}

} // namespace platform
