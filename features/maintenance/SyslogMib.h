// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The switch's remote syslog server: address, UDP port, facility, severity and state.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/EnumTable.h"
#include "features/common/FeatureData.h"

#include <optional>
#include <string>

class CSyslogMib : public CFeatureData {
public:
    static constexpr long kEnabled = 1;
    static constexpr long kDisabled = 2;
    static constexpr long kDefaultPort = 514;
    static constexpr unsigned kStatePauseMs = 30;

    static const CEnumTable& Facilities(); // local0..local7 as 128..184
    static const CEnumTable& Severities(); // warning 4, info 6, all 7

    struct Model {
        std::string address; // dotted
        std::optional<long> port;
        std::optional<long> facility;
        std::optional<long> severity;
        std::optional<long> state;
    };
    struct Input {
        long state = kDisabled; // or a value the switch reported
        int filledFields = 0;   // of the address control
        std::string address;
        std::optional<long long> port;
        long facility = 128;
        long severity = 4;
    };
    // The inputs a refusal is about.
    static constexpr char kAddressField[] = "address";
    static constexpr char kPortField[] = "port";

    bool Read();
    const Model& Current() const { return m_model; }
    // The refusal, or the server values, a pause, and the state in a request of its own once
    // the server values are taken (the state alone when the syslog is switched off).
    static ApplyPlan PlanApply(const Input& input);
    CCommonSNMP& SetSession() { return m_cCommonSNMPSet; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
    Model m_model;
};
