// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Plans as plain text for the rules tests: each binding "instance=value", step by step, and a
// refusal as its text ("" for none). Header-only, so rules tests link no more than their data.
#pragma once

#include "features/common/ApplyCheck.h"

#include <optional>
#include <string>
#include <vector>

namespace testsupport {

inline std::vector<std::string> Lines(const CSetRequest& request) {
    std::vector<std::string> lines;
    for (const auto& binding : request.Bindings()) {
        lines.push_back(binding.instance + "=" + binding.value);
    }
    return lines;
}

inline std::vector<std::vector<std::string>> Lines(const std::vector<SetStep>& steps) {
    std::vector<std::vector<std::string>> lines;
    for (const SetStep& step : steps) {
        lines.push_back(Lines(step.request));
    }
    return lines;
}

inline std::string RefusalOf(const std::optional<Refusal>& refusal) {
    return refusal ? refusal->text : std::string();
}

} // namespace testsupport
