// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ApplyCheck.h"

#include <algorithm>

CheckChain& CheckChain::Require(const std::function<bool()>& passes, std::string refusal,
                                platform::MessageKind kind) {
    m_lastRefused = false;
    if (!m_refusal && !passes()) {
        m_refusal = Refusal{std::move(refusal), kind};
        m_lastRefused = true;
    }
    return *this;
}

CheckChain& CheckChain::About(std::string field, int index) {
    if (m_lastRefused) {
        m_refusal->field = std::move(field);
        m_refusal->index = index;
    }
    return *this;
}

CheckChain& CheckChain::RequireAlike(const std::function<std::optional<bool>()>& alike,
                                     std::string refusal) {
    if (m_refusal) {
        m_lastRefused = false;
        return *this;
    }
    const std::optional<bool> result = alike();
    return Require(result.has_value(), kNotReadRefusal)
        .Require(result.value_or(true), std::move(refusal));
}

CheckChain& CheckChain::Require(bool passes, std::string refusal, platform::MessageKind kind) {
    return Require([passes] { return passes; }, std::move(refusal), kind);
}

bool ApplyPlan::HasWrites() const {
    return row || std::any_of(steps.begin(), steps.end(),
                              [](const SetStep& step) { return !step.request.IsEmpty(); });
}

SetStep& ApplyPlan::Step(CSetRequest request, unsigned timeoutMs, unsigned pauseMs) {
    SetStep& step = steps.emplace_back();
    step.request = std::move(request);
    step.timeoutMs = timeoutMs;
    step.pauseMs = pauseMs;
    return step;
}

CSetRequest& ApplyPlan::Request() {
    if (steps.empty()) {
        steps.emplace_back();
    }
    return steps.front().request;
}

const CSetRequest& ApplyPlan::Request() const {
    static const CSetRequest kNothing;
    return steps.empty() ? kNothing : steps.front().request;
}
