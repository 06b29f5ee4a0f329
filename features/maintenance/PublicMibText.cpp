// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/PublicMibText.h"

#include "features/common/SnmpRequests.h"
#include "snmp/AddressEncoding.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

unsigned long long NumberOrZero(std::string_view text) {
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return 0;
    }
    return value;
}

} // namespace

QString UpTimeText(std::string_view ticks) {
    constexpr unsigned long long kTicksPerHour = 360000;
    constexpr unsigned long long kTicksPerMinute = 6000;
    const unsigned long long all = NumberOrZero(ticks);
    const unsigned long long hours = all / kTicksPerHour;
    const unsigned long long minutes = (all - hours * kTicksPerHour) / kTicksPerMinute;
    return QStringLiteral("%1 Hour %2 Min").arg(hours).arg(minutes);
}

QString InterfaceStatusText(std::string_view operStatus) {
    return QString::fromStdString(TextOfValue(
        operStatus, {{"1", "Connected"}, {"2", "UnConnected"}, {"3", "Test"}}, "Unknown"));
}

QString InterfaceSpeedText(std::string_view speed) {
    return QStringLiteral("%1M").arg(NumberOrZero(speed) / 1000000);
}

QString TcpStateText(std::string_view state) {
    return QString::fromStdString(TextOfValue(state,
                                              {{"2", "listen"},
                                               {"3", "synSent"},
                                               {"4", "synReceived"},
                                               {"5", "established"},
                                               {"6", "finWait1"},
                                               {"7", "finWait2"},
                                               {"8", "closeWait"},
                                               {"9", "lastAck"},
                                               {"10", "closing"},
                                               {"11", "timeWait"},
                                               {"12", "deleteTCB"}},
                                              "closed"));
}

QString FdbStatusText(std::string_view status) {
    return QString::fromStdString(TextOfValue(
        status.substr(0, 1),
        {{"1", "Other"}, {"2", "Invalid"}, {"3", "Learn"}, {"4", "Own"}, {"5", "Static"}}, ""));
}

QString FdbMacOfIndex(std::string_view index) {
    constexpr qsizetype kMacArcs = 6;
    const QStringList arcs = QString::fromLatin1(index.data(), static_cast<qsizetype>(index.size()))
                                 .split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (arcs.size() < kMacArcs) {
        return {};
    }
    const QString macArcs = arcs.mid(arcs.size() - kMacArcs).join(QLatin1Char('.'));
    return QString::fromStdString(DecimalOidToMac(macArcs.toStdString()));
}

QString FdbDatabaseIdOfIndex(std::string_view index) {
    constexpr qsizetype kMacArcs = 6;
    const QStringList arcs = QString::fromLatin1(index.data(), static_cast<qsizetype>(index.size()))
                                 .split(QLatin1Char('.'), Qt::SkipEmptyParts);
    return arcs.mid(0, std::max<qsizetype>(arcs.size() - kMacArcs, 0)).join(QLatin1Char('.'));
}

namespace {

constexpr qsizetype kMacOctets = 6;

bool IsHex(const QString& text) {
    return std::ranges::all_of(
        text, [](QChar c) { return c.unicode() < 128 && std::isxdigit(c.unicode()) != 0; });
}

} // namespace

std::optional<QString> MacPrefixOfText(const QString& text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        return std::nullopt;
    }
    if (!typed.contains(u'-') && !typed.contains(u':')) {
        if (typed.size() > kMacOctets * 2 || !IsHex(typed)) {
            return std::nullopt;
        }
        return typed.toUpper();
    }
    QStringList parts = typed.split(QRegularExpression(QStringLiteral("[-:]")));
    if (parts.size() > 1 && parts.back().isEmpty()) {
        parts.removeLast(); // "00-1A-" is the first two octets
    }
    if (parts.size() > kMacOctets) {
        return std::nullopt;
    }
    QString prefix;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 2 || !IsHex(part)) {
            return std::nullopt;
        }
        prefix += part.rightJustified(2, u'0').toUpper();
    }
    return prefix;
}

bool MacStartsWith(const QString& mac, const QString& prefix) {
    QString digits = mac;
    digits.remove(u'-').remove(u':');
    return digits.toUpper().startsWith(prefix);
}
