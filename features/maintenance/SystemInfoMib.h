// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The system group as System Information reads and writes it.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/BackgroundRequest.h"
#include "features/common/FeatureData.h"
#include "features/common/SnmpRequests.h"

#include <functional>
#include <optional>
#include <string>

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

    // Starts the read; a read still under way is abandoned. The handler runs once for it,
    // with nothing when it failed.
    void StartRead(const QObject* receiver, ReadHandler handler);
    // sysName and sysLocation in one set request, for the set session.
    static CSetRequest WriteRequest(const std::string& nameUtf8, const std::string& locationUtf8);
    // The inputs a refusal is about.
    static constexpr char kNameField[] = "name";
    static constexpr char kLocationField[] = "location";
    // The first refusal of the typed name and location, or the write request.
    static ApplyPlan PlanWrite(const QString& name, const QString& location);
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    CBackgroundRequest m_cRead{m_cCommonSNMP};
};
