// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The groups of a settings snapshot: one per dialog that writes settings, each reading through
// that dialog's data class, so that setting names and value texts are the dialog's own.
#pragma once

#include "features/common/EnumTable.h"
#include "features/common/TableWalk.h"
#include "features/snapshot/SettingsSnapshot.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace snapshot {

class CGroup {
public:
    explicit CGroup(std::vector<std::string> menuPath) : m_menuPath(std::move(menuPath)) {}
    virtual ~CGroup() = default;
    CGroup(const CGroup&) = delete;
    CGroup& operator=(const CGroup&) = delete;

    // The dialog's menu path: {"Device Manager", "System", "Syslog Host Configuration"}.
    const std::vector<std::string>& MenuPath() const { return m_menuPath; }
    // Reads the group; `done` runs on the calling thread once it ended, with false when the
    // switch did not answer all of it (the settings read so far are kept).
    virtual void Start(std::function<void(bool answered)> done) = 0;
    const std::vector<Setting>& Settings() const { return m_settings; }
    // A setting of the dialog itself, or of one of its rows (`row`: "Port 5").
    void Add(const std::string& name, const std::string& value,
             const std::optional<std::string>& row = std::nullopt);

protected:
    void Clear() { m_settings.clear(); }
    // At the end of the walk the group's read starts: `addRows` adds the settings of the rows
    // read, then `done` learns whether the walk reached the end of its table.
    void WhenWalkEnds(CTableWalk& walk, std::function<void()> addRows,
                      std::function<void(bool)> done);
    // The same for a walk of the group's own, which it starts.
    void ReadWalk(CTableWalk& walk, std::function<void()> addRows, std::function<void(bool)> done) {
        WhenWalkEnds(walk, std::move(addRows), std::move(done));
        walk.Start();
    }
    // The receiver of the group's handlers: it outlives the data classes of derived groups.
    const QObject* Receiver() const { return &m_receiver; }

private:
    QObject m_receiver;
    std::vector<std::string> m_menuPath;
    std::vector<Setting> m_settings;
};

// Every group, in menu order.
std::vector<std::unique_ptr<CGroup>> AllGroups();

// A value as its dialog's combo shows it: the combo text, else the list text, else the number
// (a value the table does not know); "(unreadable)" when the switch sent no number.
std::string EnumText(const CEnumTable& table, const std::optional<long>& value);
// A check box's state (1 enabled, 2 disabled).
std::string StateText(const std::optional<long>& state);

} // namespace snapshot
