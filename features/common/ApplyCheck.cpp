// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ApplyCheck.h"

CheckChain& CheckChain::Require(const std::function<bool()>& passes, std::string refusal,
                                platform::MessageKind kind) {
    if (!m_refusal && !passes()) {
        m_refusal = Refusal{std::move(refusal), kind};
    }
    return *this;
}

CheckChain& CheckChain::Require(bool passes, std::string refusal, platform::MessageKind kind) {
    return Require([passes] { return passes; }, std::move(refusal), kind);
}
