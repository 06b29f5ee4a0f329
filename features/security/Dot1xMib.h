// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// 802.1X port authentication: the RADIUS server and its shared key, the authenticator timers,
// the switch-wide state, and the port access control of each port.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"
#include "features/common/TableWalk.h"
#include "features/common/TrunkInfo.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dot1x {

inline constexpr int kKeyLength = 33;
inline constexpr int kBatchSize = 30;
inline constexpr unsigned kBatchPauseMs = 100;

std::string StateOid();
std::string ServerOid();
std::string KeyOid();
// The timers in the order of their objects: QuietPeriod, TxPeriod, SuppTimeout,
// ServerTimeout, MaxReq, ReAuthPeriod, ReAuthEnabled.
std::vector<std::string> TimerOids();
std::string PortControlColumn();
std::string PortStatusColumn();

// ReAuthEnabled and the state: 1 enabled, 2 disabled.
const CEnumTable& ReAuthStates();
const CEnumTable& PortControls();
const CEnumTable& PortStatuses();

// A key edit's text after typing: at most kKeyLength characters, the caret kept.
struct KeyEdit {
    std::string text;
    int caret = 0;
};
KeyEdit CutKey(const std::string& text, int caret);

// The settings as read: the state, server, key and the seven timer values as text.
struct Settings {
    std::optional<long> state;
    std::string server;
    std::string key;
    std::array<std::string, 6> timers; // QuietPeriod .. ReAuthPeriod
    std::optional<long> reAuthEnabled;
};
Settings SettingsOf(const std::vector<std::string>& values);

// The timer edits as laid out, and where each one's value stands in the settings.
struct TimerField {
    const char* label;
    const char* objectName;
    std::size_t value; // index in Settings::timers and SettingsInput::timers
};
inline constexpr TimerField kTimerFields[] = {
    {"TxPeriod(1-65535 sec)", "txPeriod", 1},
    {"QuietPeriod(0-65535 sec)", "quietPeriod", 0},
    {"SuppTimeout(1-65535 sec)", "suppTimeout", 2},
    {"ServerTimeout(1-65535 sec)", "serverTimeout", 3},
    {"MaxReq(1-10)", "maxReq", 4},
    {"ReAuthPeriod(1-4294967295 sec)", "reAuthPeriod", 5},
};

// The inputs a refusal of the settings is about; a timer's index is its place in
// SettingsInput::timers.
inline constexpr char kServerField[] = "server";
inline constexpr char kKeyField[] = "key";
inline constexpr char kConfirmField[] = "confirm";
inline constexpr char kTimerField[] = "timer";
// The inputs a refusal of the port access control is about: the range (its From Port) and the
// control chosen.
inline constexpr char kPortRangeField[] = "portRange";
inline constexpr char kPortControlField[] = "portControl";

// What the settings Apply takes from the dialog.
struct SettingsInput {
    long state = 2; // 1 enabled, 2 disabled, or a value the switch reported
    int filledServerFields = 0;
    std::string server;
    std::string key;
    std::string confirm;
    std::array<std::string, 6> timers; // QuietPeriod, TxPeriod, SuppTimeout, ServerTimeout,
                                       // MaxReq, ReAuthPeriod as typed
    long reAuthEnabled = 2;
};
// Every field is checked before anything is sent: the refusal, or the requests to send in
// order (server and key, state, timers; or the state alone when 802.1X is switched off). The
// first the switch does not take ends the write.
ApplyPlan PlanSettings(const SettingsInput& input);

// The port dialog's Apply: no aggregated port in the range, at least one port of the switch
// Force Authorized afterwards; the bindings in requests of at most 30, a pause after each full
// one. A range the switch refuses does not keep the next ones from being sent.
struct PortControlInput {
    int fromPort = 1;
    int toPort = 1;
    long control = 3;
    int portCount = 0;
    std::vector<long> controls; // as read, entry p-1 for port p
    PortFlags trunkPorts;
};
ApplyPlan PlanPortControl(const PortControlInput& input);

} // namespace dot1x

class CDot1xMib : public CFeatureData {
public:
    CDot1xMib();
    ~CDot1xMib() override;

    // Reads the state, server, key and timers in the background, all in one request (one
    // step of a walk over the scalars); `read` runs on the UI thread with what arrived.
    void StartRead(const QObject* receiver, std::function<void(const dot1x::Settings&)> read);
    CTableWalk& ReadWalk() { return m_cReadWalk; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CTableWalk m_cReadWalk;
};

class CDot1xPortMib : public CFeatureData {
public:
    struct PortRow {
        long port = 0;
        std::optional<long> status;
        std::optional<long> control;
    };

    CDot1xPortMib();
    ~CDot1xPortMib() override;

    CTableWalk& Walk() { return m_cWalk; }
    void StartWalk(const QObject* receiver, std::function<void(const PortRow&)> row,
                   std::function<void(int)> done);
    CTrunkInfo& TrunkInfo() { return m_cTrunkInfo; }
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTableWalk m_cWalk;
    CTrunkInfo m_cTrunkInfo;
};
