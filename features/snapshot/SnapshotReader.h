// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Reads a settings snapshot of the switch on the calling thread's event loop, with progress:
// several groups side by side (their walks run on worker threads), started one after another.
// A group the switch does not answer ends the read without a snapshot: half a snapshot would
// compare as settings that vanished.
#pragma once

#include "features/snapshot/SnapshotGroups.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace snapshot {

class CSnapshotReader : public QObject {
public:
    using Progress =
        std::function<void(const std::vector<std::string>& group, int index, int count)>;
    // The snapshot, or the message saying why there is none.
    using Done = std::function<void(std::optional<Snapshot> snapshot, const std::string& error)>;
    // How many groups are read at a time.
    static constexpr size_t kSideBySide = 6;
    static constexpr int kStartRetryMs = 10;

    explicit CSnapshotReader(std::vector<std::unique_ptr<CGroup>> groups = AllGroups());

    // Reads every group; `header` goes into the snapshot as it is. `done` runs once, on this
    // thread, unless Cancel came first.
    void Start(Header header, Progress progress, Done done);
    void Cancel();
    bool IsReading() const { return m_done != nullptr; }

private:
    void StartNext();
    void GroupDone(size_t index, bool answered);

    std::vector<std::unique_ptr<CGroup>> m_groups;
    Header m_header;
    Progress m_progress;
    Done m_done;
    size_t m_started = 0;
    size_t m_ended = 0;
};

// The header of a snapshot of the switch the session parameters name, now.
Header HeaderNow(const std::string& model);

// For scripts (an application object must exist): finds out the switch's model from its
// sysDescr, then reads every group and returns when done; nullopt with the message on failure.
std::optional<Snapshot> ReadSwitchSnapshot(std::string& error);

} // namespace snapshot
