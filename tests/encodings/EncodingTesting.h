// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the encoding tests share: octet strings written as numbers, and a fixture that
// records every message box text instead of showing it.
#pragma once

#include "platform/Message.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

inline std::string Bytes(std::initializer_list<unsigned> values) {
    std::string octets;
    for (unsigned value : values) {
        octets += static_cast<char>(value);
    }
    return octets;
}

using Messages = std::vector<std::string>;

class MessageRecorder : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetMessageHandler([this](const QString& text, platform::MessageKind kind) {
            messages.push_back(text.toStdString());
            kinds.push_back(kind);
            return platform::MessageResult::Ok;
        });
    }
    void TearDown() override { platform::SetMessageHandler({}); }

    // The messages shown since the last call.
    Messages TakeMessages() {
        auto taken = std::move(messages);
        messages.clear();
        return taken;
    }

    Messages messages;
    std::vector<platform::MessageKind> kinds;
};
