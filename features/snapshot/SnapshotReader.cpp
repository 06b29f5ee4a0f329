// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snapshot/SnapshotReader.h"

#include "features/common/Repainting.h"
#include "features/common/SnmpRequests.h"
#include "platform/Version.h"
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

namespace snapshot {

CSnapshotReader::CSnapshotReader(std::vector<std::unique_ptr<CGroup>> groups)
    : m_groups(std::move(groups)) {}

void CSnapshotReader::Start(Header header, Progress progress, Done done) {
    m_header = std::move(header);
    m_progress = std::move(progress);
    m_done = std::move(done);
    m_started = m_ended = 0;
    for (size_t i = 0; i < kSideBySide; ++i) {
        QTimer::singleShot(0, this, [this] { StartNext(); });
    }
}

void CSnapshotReader::Cancel() {
    m_done = nullptr;
    m_progress = nullptr;
}

void CSnapshotReader::StartNext() {
    if (m_done == nullptr || m_started == m_groups.size()) {
        return;
    }
    if (kit::IsWaitingRepainting()) {
        // A group's read that waits for its answer holds back the keyboard and mouse: a group
        // started inside that wait would wait inside it, and the keyboard would wait for
        // both. It starts once the wait is over.
        QTimer::singleShot(kStartRetryMs, this, [this] { StartNext(); });
        return;
    }
    const size_t index = m_started++;
    if (m_progress) {
        m_progress(m_groups[index]->MenuPath(), static_cast<int>(m_ended),
                   static_cast<int>(m_groups.size()));
    }
    m_groups[index]->Start([this, index](bool answered) { GroupDone(index, answered); });
}

void CSnapshotReader::GroupDone(size_t index, bool answered) {
    if (m_done == nullptr) {
        return;
    }
    if (!answered) {
        std::exchange(m_done, nullptr)(std::nullopt, "The switch did not answer while reading " +
                                                         PathText(m_groups[index]->MenuPath()) +
                                                         ".");
        return;
    }
    if (++m_ended == m_groups.size()) {
        Snapshot snapshot{m_header, {}};
        for (const auto& group : m_groups) {
            const auto& settings = group->Settings();
            snapshot.settings.insert(snapshot.settings.end(), settings.begin(), settings.end());
        }
        std::exchange(m_done, nullptr)(std::move(snapshot), {});
        return;
    }
    // The next group starts from the event loop, not from inside this group's handler.
    QTimer::singleShot(0, this, [this] { StartNext(); });
}

Header HeaderNow(const std::string& model) {
    Header header;
    header.model = model;
    header.deviceName = SessionParameters().FirstField;
    header.address = SessionParameters().DeviceAddress;
    header.time = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    header.moduleVersion = kKsxVersion;
    return header;
}

std::optional<Snapshot> ReadSwitchSnapshot(std::string& error) {
    CCommonSNMP session;
    const auto described = ReadValues(session, {"1.3.6.1.2.1.1.1.0"});
    const std::string description = described && !described->empty() ? described->front() : "";
    const size_t at = description.find(std::string(kFamily) + "-");
    const std::string model =
        at == std::string::npos ? "" : description.substr(at, description.find(' ', at) - at);
    const std::optional<int> ports = PortCountOf(model);
    if (!ports) {
        error = described
                    ? "The switch is no " + std::string(kFamily) + " (\"" + description + "\")."
                    : "The switch did not answer.";
        return std::nullopt;
    }
    DeviceValues().ModelName = model;
    DeviceValues().DevicePortCount = *ports;

    std::optional<Snapshot> result;
    QEventLoop loop;
    CSnapshotReader reader;
    reader.Start(HeaderNow(model), {},
                 [&](std::optional<Snapshot> snapshot, const std::string& message) {
                     result = std::move(snapshot);
                     error = message;
                     loop.quit();
                 });
    if (reader.IsReading()) {
        loop.exec();
    }
    return result;
}

} // namespace snapshot
