// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port traffic: samples of every port's counters and the rates between two samples. A sample
// walks the interface table (link, errors, discards and, without 64-bit counters, speed and
// octets), reading sysUpTime in the same first request, then the interface extension table
// (64-bit octets and the speed in Mbit/s).
// The first sample finds out whether the switch has the extension table at all: a switch
// without it ends that walk at once.
#pragma once

#include "features/common/FeatureData.h"
#include "features/common/Listeners.h"
#include "features/common/TableWalk.h"
#include "features/maintenance/TrafficRates.h"

#include <QList>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <vector>

class CPortTrafficMib : public CFeatureData {
public:
    // One port in one sample, with its rates since the sample before.
    struct PortRates {
        int port = 0;
        bool linkUp = false;
        uint64_t speedBps = 0;
        traffic::Rates rates;
    };
    struct Sample {
        qint64 takenAtMs = 0; // local time of the sample (for the time axis only)
        bool answered = false;
        std::vector<PortRates> ports; // by port number
    };

    explicit CPortTrafficMib(int portCount);

    // Reads one sample; a sample still under way is abandoned first.
    void StartSample();
    bool IsSampling() const;
    // The 64-bit counters exist (known after the first answered sample).
    std::optional<bool> HighCapacity() const { return m_highCapacity; }

    // Each sample as it ends (on the UI thread).
    void OnSample(const QObject* receiver, std::function<void(const Sample&)> handler) {
        m_onSample.Add(receiver, std::move(handler));
    }

    // The samples of the last hour, oldest first.
    const std::deque<Sample>& History() const { return m_history; }
    // The history as CSV rows: time (local, ISO 8601), port, in and out bit/s, errors and
    // discards per second; an empty cell where no rate could be computed.
    static QStringList HistoryHeader();
    QList<QStringList> HistoryRows() const;

    // One port's counters from a walked interface table row (columns as PortColumns()), the
    // extension table row (HighCapacityColumns()), if any, and the up-time. Beside the
    // extension table the interface table's octets and speed are not read.
    static traffic::Counters CountersOf(const SnmpRow& ifRow, const SnmpRow* extensionRow,
                                        uint32_t upTime);
    static std::vector<std::string> PortColumns(bool highCapacity);
    static std::vector<std::string> HighCapacityColumns();

private:
    void OnPortWalkEnd(int status);
    void OnExtensionWalkEnd(int status);
    void Finish(bool answered);

    int m_portCount;
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTableWalk m_cPortWalk;
    CTableWalk m_cExtensionWalk;
    std::optional<bool> m_highCapacity;

    std::optional<uint32_t> m_upTime;
    std::map<int, SnmpRow> m_portRows;
    std::map<int, SnmpRow> m_extensionRows;
    std::map<int, traffic::Counters> m_previous;
    std::deque<Sample> m_history;
    CListeners<const Sample&> m_onSample;
};
