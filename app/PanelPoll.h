// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// CPanelPoll: the module window's part of the panel polling. The poll steps read the fan,
// the LED mode and the power left synchronously and start the link and PoE walks on the
// window's sessions; the walks' callbacks gather the rows on the sessions' worker threads
// and hand each result to a sink, which carries it to the UI thread. Nothing here touches
// a widget.
#pragma once

#include "app/PanelPollResult.h"
#include "app/PanelPollRules.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class CCommonSNMP;
class CSnmp;

// The objects the poller reads.
namespace pollOid {
inline constexpr char kFanStatus[] = "1.3.6.1.4.1.99999.10.76.17.1.15.1.0";
inline constexpr char kLedMode[] = "1.3.6.1.4.1.99999.10.76.17.22.8.0";
inline constexpr char kPowerBudget[] = "1.3.6.1.4.1.99999.10.76.17.22.6.0";
inline constexpr char kIfType[] = "1.3.6.1.2.1.2.2.1.3";
inline constexpr char kIfSpeed[] = "1.3.6.1.2.1.2.2.1.5";
inline constexpr char kIfAdminStatus[] = "1.3.6.1.2.1.2.2.1.7";
inline constexpr char kIfOperStatus[] = "1.3.6.1.2.1.2.2.1.8";
inline constexpr char kPortMedia[] = "1.3.6.1.4.1.99999.10.76.17.1.13.1.7";
inline constexpr char kPoePortStatus[] = "1.3.6.1.4.1.99999.10.76.17.22.1.1.13";
// Bindings under this prefix are not rows of the walked tables.
inline constexpr char kForeignRows[] = "1.3.6.1.4.1.99999.7777.1.";
} // namespace pollOid

namespace pollTrace {
inline constexpr char kFan[] = "======GetGetFanStatus======";
inline constexpr char kSkipped[] = "-1-1-1-1-1-1-1-1-1-1-1-";
inline constexpr char kTimeout[] = "-----------------TIMEOUT-------------------TIMEOUT";
inline constexpr char kPoeWalk[] = "--1----GetPOEPortStatus---------";
inline constexpr char kPoeRow[] = "----------POE--------";
inline constexpr char kPoeRefresh[] = "==2.=====RefreshPOEPortStatus============";
} // namespace pollTrace

class CPanelPoll {
public:
    using ResultSink = std::function<void(PanelPollResult)>;
    // Sleeps up to the given time; false when the poller is asked to stop.
    using Sleeper = std::function<bool(std::chrono::milliseconds)>;

    static constexpr unsigned kFanTimeoutMs = 500;
    static constexpr unsigned kModeTimeoutMs = 5000;
    static constexpr unsigned kWalkTimeoutMs = 5000;
    static constexpr std::chrono::milliseconds kModeToWalkPause{500};
    static constexpr int kMaxSkippedCycles = 3;

    // The sessions belong to the module window and must outlive every walk (close them
    // before this object goes).
    CPanelPoll(CCommonSNMP& fanSession, CCommonSNMP& poeSession, CCommonSNMP& devStatSession,
               CCommonSNMP& poeStatSession);
    CPanelPoll(const CPanelPoll&) = delete;
    CPanelPoll& operator=(const CPanelPoll&) = delete;

    // Before the poller starts.
    void Configure(const std::string& modelName, const PollDevice& device, bool isHasFan);
    // Thread-safe. Results after DetachSink are dropped.
    void SetSink(ResultSink sink);
    void DetachSink();

    // The busy flag: set while a command dialog runs; the poller then skips its steps.
    void SetBusy(bool busy) { m_nBusy = busy ? 1 : 0; }
    bool IsBusy() const { return m_nBusy.load() != 0; }

    bool IsPoeModel() const { return m_bPoeModel; }
    bool HasFan() const { return m_bHasFan; }

    // The poll steps (poller thread).
    void GetGetFanStatus();
    // 0, or -1 when skipped because the last walk has not ended.
    int Get10PPOEOrLinkStatus(const Sleeper& sleep);
    void GetLinkStatus();
    void GetPOEPortStatus();

    // Stops the steps from sending anything more and cuts short what is on the way; the
    // sessions accept new requests again only after their next Open, which the steps no
    // longer make.
    void CancelRequests();

    // What the poller has read so far (for diagnostics and tests).
    bool WalkInProgress() const { return m_bWalkInProgress.load(); }
    // A link or PoE walk is on its way (its session is not idle).
    bool AnyWalkRunning() const;
    int LedMode() const { return m_nLedMode.load(); }
    bool ModeChanged() const { return m_bModeChanged.load(); }

private:
    static unsigned LinkCallback(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                 int status);
    static unsigned PoeCallback(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                int status);
    void OnLinkResult(const CSnmp* response, int status);
    void OnPoeResult(const CSnmp* response, int status);
    bool GatherLinkRow(const CSnmp& response);
    bool GatherPoeRows(const CSnmp& response);
    PanelPollResult ApplyGatheredLinkRows();
    PanelPollResult ApplyGatheredPoeRows();
    void EndWalk(CCommonSNMP& session);
    void ReadLedModeAndBudget();
    bool Stopping() const { return m_bStopping.load(); }
    void Post(PanelPollResult result);

    CCommonSNMP& m_cCommonSNMPFan;
    CCommonSNMP& m_cCommonSNMPPoe;
    CCommonSNMP& m_cCommonSNMPDevStat;
    CCommonSNMP& m_cCommonSNMPPoeStat;

    PollDevice m_Device;
    bool m_bPoeModel = false;
    bool m_bHasFan = false;

    std::atomic<int> m_nBusy{0};
    std::atomic<bool> m_bStopping{false};
    std::atomic<bool> m_bWalkInProgress{false};
    int m_nSkipCount = 0; // poller thread only
    std::atomic<int> m_nLedMode{1};
    std::atomic<bool> m_bModeChanged{false};

    // Rows gathered by the walks (their callbacks run on the sessions' worker threads).
    std::mutex m_GatherMutex;
    LinkAccumulators m_LinkRows;
    PoeAccumulators m_PoeRows;

    std::mutex m_SinkMutex;
    ResultSink m_Sink;
};
