// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/SessionSet.h"

CCommonSNMP& CSessionSet::Add(std::string memberName) {
    m_sessions.push_back({std::move(memberName), std::make_unique<CCommonSNMP>()});
    return *m_sessions.back().session;
}

void CSessionSet::CloseAllAndTrace() {
    for (NamedSession& named : m_sessions) {
        CloseAndTrace(*named.session, named.memberName.c_str());
    }
}
