// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/TextConversion.h"

std::string TextToUtf8(const QString& text, int maxCharacters, std::size_t maxBytes) {
    std::string bytes;
    int characters = 0;
    for (qsizetype i = 0; i < text.size() && characters < maxCharacters; ++characters) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const std::string character = text.mid(i, length).toUtf8().toStdString();
        if (bytes.size() + character.size() > maxBytes) {
            break;
        }
        bytes += character;
        i += length;
    }
    return bytes;
}

QString Utf8ToText(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
