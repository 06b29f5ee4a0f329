// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// System Information: the switch's description, object id, up-time and contact, and its
// name and location, which the administrator may change.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/common/ThreadWakeUp.h"

#include <QLabel>
#include <QLineEdit>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The system group. The read runs in the background and its result comes back on the
// thread that made the object; the write is one synchronous set.
class CSystemInfoMib : public CFeatureData {
public:
    static inline const std::string kSysDescr = "1.3.6.1.2.1.1.1.0";
    static inline const std::string kSysObjectID = "1.3.6.1.2.1.1.2.0";
    static inline const std::string kSysUpTime = "1.3.6.1.2.1.1.3.0";
    static inline const std::string kSysContact = "1.3.6.1.2.1.1.4.0";
    static inline const std::string kSysName = "1.3.6.1.2.1.1.5.0";
    static inline const std::string kSysLocation = "1.3.6.1.2.1.1.6.0";
    static constexpr unsigned kReadTimeoutMs = 4000;

    // The six values in the order above, as read (name and location as UTF-8 bytes).
    struct Values {
        std::string description, objectId, upTime, contact, name, location;
    };
    // Runs on the maker's thread: the values, or nothing when the answer held fewer than six
    // or the read failed.
    using ReadHandler = std::function<void(const std::optional<Values>& values)>;

    ~CSystemInfoMib() override;

    // Starts the read; false (and no handler call) when the request could not be prepared.
    // A read still under way is abandoned.
    bool StartRead(ReadHandler handler);
    // sysName and sysLocation in one set request, for the set session.
    static CSetRequest WriteRequest(const std::string& nameUtf8, const std::string& locationUtf8);
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    static unsigned ReadDone(std::unique_ptr<CSnmp> response, int requestId, void* context,
                             int status);
    void HandleReadDone(std::unique_ptr<CSnmp> response, int requestId, int status);
    void Deliver();
    void StopReading();

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    ReadHandler m_handler;

    std::mutex m_resultMutex;
    std::vector<std::optional<Values>> m_results; // handed over, not yet delivered
    int m_callbacksRunning = 0;                   // guarded by m_resultMutex
    std::condition_variable m_callbackLeft;
    CThreadWakeUp m_wakeUp{[this] { Deliver(); }};
};

class CSystemInfoDlg : public CFeatureDialog {
    Q_OBJECT

public:
    explicit CSystemInfoDlg(QWidget* parent = nullptr);

    // Reads the system group in the background with Refresh and Apply disabled.
    void Refresh() override;
    // Checks name and location and writes both.
    void Apply() override;

private:
    void ShowValues(const std::optional<CSystemInfoMib::Values>& values);
    QLineEdit* AddEdit(const char* objectName);
    QLabel* AddText(const char* objectName);

    CSystemInfoMib& m_cMib = AddData<CSystemInfoMib>();
    QLineEdit* m_name = nullptr;
    QLineEdit* m_location = nullptr;
    QLineEdit* m_contact = nullptr;
    QLabel* m_objectId = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_upTime = nullptr;
};
