// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace ksxsim {

// A JSON string literal (quotes included) of UTF-8 or arbitrary bytes; bytes that are not
// printable ASCII are escaped as \u00XX.
std::string JsonString(std::string_view text);

// Current time as ISO 8601 UTC with milliseconds.
std::string IsoTimeNow();

// A file that receives one JSON object per line, flushed after each line.
class JsonLog {
public:
    JsonLog() = default;
    ~JsonLog();
    JsonLog(const JsonLog&) = delete;
    JsonLog& operator=(const JsonLog&) = delete;

    bool Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }
    void Write(const std::string& jsonObject);

private:
    std::FILE* file_ = nullptr;
};

} // namespace ksxsim
