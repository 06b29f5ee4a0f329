// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform {
namespace {

std::mutex& SinkMutex() {
    static std::mutex mutex;
    return mutex;
}

TraceSink& Sink() {
    static TraceSink sink;
    return sink;
}

bool TraceToStderr() {
    static const bool enabled = [] {
        const char* value = std::getenv("KSX_TRACE");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

} // namespace

void DebugTrace(std::string_view text) {
    std::lock_guard lock(SinkMutex());
    if (Sink()) {
        Sink()(std::string(text));
    }
    if (TraceToStderr()) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
}

void SetTraceSink(TraceSink sink) {
    std::lock_guard lock(SinkMutex());
    Sink() = std::move(sink);
}

std::string FramedTraceLine(std::string_view name) {
    std::string line = "==================";
    line += name;
    line += "===============";
    return line;
}

} // namespace platform
