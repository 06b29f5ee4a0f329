// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The SNMP sessions of one dialog or feature data object, each under the member name it is
// known by in the debug output ("m_cCommonSNMP", "m_cCommonSNMPTable", ...).
#pragma once

#include "snmp/CommonSNMP.h"

#include <memory>
#include <string>
#include <vector>

class CSessionSet {
public:
    CSessionSet() = default;
    CSessionSet(const CSessionSet&) = delete;
    CSessionSet& operator=(const CSessionSet&) = delete;

    // A new session with the process's session parameters as they are now. It lives as long
    // as the set, so references to it stay valid.
    CCommonSNMP& Add(std::string memberName);

    // Closes every session in the order they were added, each followed by its
    // "==================<name>.Close===============" line.
    void CloseAllAndTrace();

    std::size_t Count() const { return m_sessions.size(); }

private:
    struct NamedSession {
        std::string memberName;
        std::unique_ptr<CCommonSNMP> session;
    };
    std::vector<NamedSession> m_sessions;
};
