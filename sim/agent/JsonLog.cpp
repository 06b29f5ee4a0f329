// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/agent/JsonLog.h"

#include <chrono>
#include <ctime>

namespace ksxsim {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (c < 0x20 || c > 0x7e) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string IsoTimeNow() {
    auto now = std::chrono::system_clock::now();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char buffer[40];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &utc);
    char full[48];
    std::snprintf(full, sizeof full, "%s.%03dZ", buffer, static_cast<int>(ms.count()));
    return full;
}

JsonLog::~JsonLog() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool JsonLog::Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "a");
    return file_ != nullptr;
}

void JsonLog::Write(const std::string& jsonObject) {
    if (file_ == nullptr) {
        return;
    }
    std::fputs(jsonObject.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

} // namespace ksxsim
