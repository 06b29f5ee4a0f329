// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/PortTrafficMib.h"

#include <QDateTime>

#include <charconv>
#include <string_view>

namespace {

const char kUpTime[] = "1.3.6.1.2.1.1.3.0";
const char kIfEntry[] = "1.3.6.1.2.1.2.2.1.";
const char kIfXEntry[] = "1.3.6.1.2.1.31.1.1.1.";
constexpr unsigned kRequestTimeoutMs = 3000;
constexpr qint64 kHistoryMs = 3600 * 1000;

QString Cell(const std::optional<double>& value) {
    return value ? QString::number(*value, 'f', 0) : QString();
}

// The interface table columns in the order PortColumns() gives them. With 64-bit counters
// only the first five are read: the extension table has the octets and the speed.
enum PortColumn {
    kOperStatus,
    kInErrors,
    kOutErrors,
    kInDiscards,
    kOutDiscards,
    kSpeed,
    kInOctets,
    kOutOctets
};
constexpr std::size_t kColumnsBeside64Bit = kSpeed;
enum ExtensionColumn { kHcInOctets, kHcOutOctets, kHighSpeed };

template <class T> std::optional<T> Number(const std::string& text) {
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt; // a switch can answer anything: garbage is no reading
    }
    return value;
}

std::optional<int> PortOf(const SnmpRow& row) {
    return Number<int>(row.suffix);
}

} // namespace

std::vector<std::string> CPortTrafficMib::PortColumns(bool highCapacity) {
    std::vector<std::string> columns;
    for (const char* column : {"8", "14", "20", "13", "19", "5", "10", "16"}) {
        columns.push_back(std::string(kIfEntry) + column);
    }
    if (highCapacity) {
        columns.resize(kColumnsBeside64Bit);
    }
    return columns;
}

std::vector<std::string> CPortTrafficMib::HighCapacityColumns() {
    return {std::string(kIfXEntry) + "6", std::string(kIfXEntry) + "10",
            std::string(kIfXEntry) + "15"};
}

CPortTrafficMib::CPortTrafficMib(int portCount)
    : m_portCount(portCount),
      m_cPortWalk(m_cCommonSNMPTable, PortColumns(false), kRequestTimeoutMs),
      m_cExtensionWalk(m_cCommonSNMPTable, HighCapacityColumns(), kRequestTimeoutMs) {
    m_cPortWalk.SetLeadingScalars({kUpTime});
    m_cPortWalk.OnRow(this, [this](const SnmpRow& row) {
        if (const auto port = PortOf(row); port && *port >= 1 && *port <= m_portCount) {
            m_portRows[*port] = row;
        }
    });
    m_cPortWalk.OnFinished(this, [this](int status) { OnPortWalkEnd(status); });
    m_cExtensionWalk.OnRow(this, [this](const SnmpRow& row) {
        if (const auto port = PortOf(row); port && *port >= 1 && *port <= m_portCount) {
            m_extensionRows[*port] = row;
        }
    });
    m_cExtensionWalk.OnFinished(this, [this](int status) { OnExtensionWalkEnd(status); });
}

bool CPortTrafficMib::IsSampling() const {
    return m_cPortWalk.IsRunning() || m_cExtensionWalk.IsRunning();
}

void CPortTrafficMib::StartSample() {
    m_cPortWalk.Abandon();
    m_cExtensionWalk.Abandon();
    m_upTime.reset();
    m_portRows.clear();
    m_extensionRows.clear();
    m_cPortWalk.Start();
}

void CPortTrafficMib::OnPortWalkEnd(int status) {
    const SnmpRow& leading = m_cPortWalk.LeadingScalars();
    if (!leading.types.empty() && leading.types.front() == kSnmpTimeTicks) {
        m_upTime = Number<uint32_t>(leading.values.front());
    }
    if (status != kSnmpEndOfTable) {
        Finish(false);
        return;
    }
    if (m_highCapacity == false) {
        Finish(true);
        return;
    }
    m_cExtensionWalk.Start();
}

void CPortTrafficMib::OnExtensionWalkEnd(int status) {
    if (status != kSnmpEndOfTable) {
        Finish(false);
        return;
    }
    if (!m_highCapacity) {
        m_highCapacity = !m_extensionRows.empty(); // asked once, on its own
        m_cPortWalk.SetColumns(PortColumns(*m_highCapacity));
    }
    Finish(true);
}

traffic::Counters CPortTrafficMib::CountersOf(const SnmpRow& ifRow, const SnmpRow* extensionRow,
                                              uint32_t upTime) {
    traffic::Counters c;
    c.upTime = upTime;
    c.inErrors = Number<uint32_t>(ifRow.Value(kInErrors));
    c.outErrors = Number<uint32_t>(ifRow.Value(kOutErrors));
    c.inDiscards = Number<uint32_t>(ifRow.Value(kInDiscards));
    c.outDiscards = Number<uint32_t>(ifRow.Value(kOutDiscards));
    c.speedBps = Number<uint64_t>(ifRow.Value(kSpeed)).value_or(0);
    if (extensionRow != nullptr) {
        c.highCapacity = true;
        c.inOctets = Number<uint64_t>(extensionRow->Value(kHcInOctets));
        c.outOctets = Number<uint64_t>(extensionRow->Value(kHcOutOctets));
        // ifSpeed stops at 4,294,967,295 (and is not read beside the 64-bit counters): the
        // speed in Mbit/s tells a faster link.
        if (const auto mbps = Number<uint64_t>(extensionRow->Value(kHighSpeed));
            mbps && *mbps <= UINT64_MAX / 1000000 && *mbps * 1000000 > c.speedBps) {
            c.speedBps = *mbps * 1000000;
        }
    } else {
        c.inOctets = Number<uint32_t>(ifRow.Value(kInOctets));
        c.outOctets = Number<uint32_t>(ifRow.Value(kOutOctets));
    }
    return c;
}

void CPortTrafficMib::Finish(bool answered) {
    Sample sample;
    sample.takenAtMs = QDateTime::currentMSecsSinceEpoch();
    sample.answered = answered && m_upTime.has_value();
    std::map<int, traffic::Counters> current;
    for (const auto& [port, row] : m_portRows) {
        if (!sample.answered) {
            break;
        }
        const auto extension = m_extensionRows.find(port);
        const bool highCapacity = m_highCapacity == true && extension != m_extensionRows.end();
        const traffic::Counters counters =
            CountersOf(row, highCapacity ? &extension->second : nullptr, *m_upTime);
        PortRates rates{port, row.Value(kOperStatus) == "1", counters.speedBps, {}};
        if (const auto before = m_previous.find(port); before != m_previous.end()) {
            rates.rates = traffic::RatesBetween(before->second, counters);
        }
        current[port] = counters;
        sample.ports.push_back(rates);
    }
    m_previous = std::move(current); // an unanswered sample leaves a gap after it too
    m_history.push_back(sample);
    while (m_history.front().takenAtMs < sample.takenAtMs - kHistoryMs) {
        m_history.pop_front();
    }
    m_onSample.Notify(sample);
}

QStringList CPortTrafficMib::HistoryHeader() {
    return {QStringLiteral("Time"),      QStringLiteral("Port"),     QStringLiteral("In bit/s"),
            QStringLiteral("Out bit/s"), QStringLiteral("Errors/s"), QStringLiteral("Discards/s")};
}

QList<QStringList> CPortTrafficMib::HistoryRows() const {
    QList<QStringList> rows;
    for (const Sample& sample : m_history) {
        const QString time =
            QDateTime::fromMSecsSinceEpoch(sample.takenAtMs).toLocalTime().toString(Qt::ISODate);
        for (const PortRates& port : sample.ports) {
            rows.append({time, QString::number(port.port), Cell(port.rates.inBps),
                         Cell(port.rates.outBps), Cell(port.rates.errorsPerSecond),
                         Cell(port.rates.discardsPerSecond)});
        }
    }
    return rows;
}
