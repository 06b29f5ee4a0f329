// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <QString>

#include <vector>

namespace platform {

// A settings file read with the rules of the Windows private-profile functions, which the
// host's settings files are written for:
// - section and key names compare case-insensitively; blanks around names and values are
//   trimmed; a value enclosed in a pair of single or double quotes loses the quotes;
// - the first section of a name is the one searched, and the first key of a name wins;
// - lines starting with ';' are comments; lines outside any section, lines without '=' and
//   section headers without ']' are ignored; no inline comments (';' inside a value stays);
// - a missing file, section or key gives the default value (without its trailing blanks);
// - the result is cut to the caller's length limit.
// The file is read once, as UTF-8 (a leading byte-order mark is skipped).
class IniFile {
public:
    // A file that is missing or unreadable behaves as an empty one.
    explicit IniFile(const QString& filePath);
    // The same rules over text already read (UTF-8 bytes of a whole file).
    static IniFile FromUtf8(const QByteArray& content);

    // At most `maxLength` characters (a buffer of maxLength + 1 on Windows).
    QString ReadString(const QString& section, const QString& key, const QString& defaultValue,
                       qsizetype maxLength) const;
    // The leading decimal digits of the value ("102abc" gives 102, "abc" and "" give 0, a
    // negative value gives 0, a value beyond the int range is held at its maximum);
    // `defaultValue` only when the key is missing.
    int ReadInt(const QString& section, const QString& key, int defaultValue) const;

private:
    IniFile() = default;

    struct Key {
        QString name;
        QString value;
    };
    struct Section {
        QString name;
        std::vector<Key> keys;
    };

    void Parse(const QString& text);
    void ParseLine(QStringView line);
    const QString* FindValue(const QString& section, const QString& key) const;

    std::vector<Section> m_sections;
};

} // namespace platform
