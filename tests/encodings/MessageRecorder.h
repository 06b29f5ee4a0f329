// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "platform/Message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Records every message box text instead of showing it.
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
    std::vector<std::string> TakeMessages() {
        auto taken = std::move(messages);
        messages.clear();
        return taken;
    }

    std::vector<std::string> messages;
    std::vector<platform::MessageKind> kinds;
};
