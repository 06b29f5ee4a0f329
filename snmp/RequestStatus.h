// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The outcome of one SNMP request as the data classes see it. The session layer answers with
// an integer (0 success, -1 no answer, -2 end of the table, anything else the agent's error);
// the integer is kept only for the trace lines that print it.
#pragma once

#include <optional>
#include <utility>

enum class SnmpOutcome {
    Success,    // 0
    NoAnswer,   // -1: time-out, or the session could not send
    EndOfTable, // -2: a get-next left the requested columns
    Refused,    // any other status: the agent answered with an error
};

class RequestStatus {
public:
    constexpr RequestStatus() = default;
    constexpr explicit RequestStatus(int code) : m_code(code) {}

    constexpr int Code() const { return m_code; }
    constexpr bool Ok() const { return m_code == 0; }
    constexpr SnmpOutcome Outcome() const {
        switch (m_code) {
        case 0:
            return SnmpOutcome::Success;
        case -1:
            return SnmpOutcome::NoAnswer;
        case -2:
            return SnmpOutcome::EndOfTable;
        default:
            return SnmpOutcome::Refused;
        }
    }
    friend constexpr bool operator==(RequestStatus, RequestStatus) = default;

private:
    int m_code = -1;
};

// Values read, or the status that kept them from being read.
template <class T> class SnmpResult {
public:
    SnmpResult(T value) : m_value(std::move(value)), m_status(0) {} // NOLINT: implicit on purpose
    SnmpResult(RequestStatus failure) : m_status(failure) {}        // NOLINT
    bool Ok() const { return m_value.has_value(); }
    explicit operator bool() const { return Ok(); }
    RequestStatus Status() const { return m_status; }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    RequestStatus m_status;
};
