// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

// The program's debug output. Silent unless KSX_TRACE=1 (then one line per call on stderr);
// a sink installed by a test sees every line whatever the environment says.
void DebugTrace(std::string_view text);

using TraceSink = std::function<void(const std::string&)>;
// Installs a sink (an empty function removes it). Thread-safe; the sink may be called from
// any thread, one call at a time.
void SetTraceSink(TraceSink sink);

// "==================" + name + "===============", the frame the program puts around
// lifecycle events such as "DestroyWindow" or "m_cCommonSNMP.Close".
std::string FramedTraceLine(std::string_view name);

} // namespace platform
