// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the encoding tests share: octet strings written as numbers, and a fixture that
// records every message box text instead of showing it.
#pragma once

#include "tests/support/DialogTesting.h"

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

// Message boxes recorded instead of shown; every one must be a plain OK box.
class MessageRecorder : public ::testing::Test {
protected:
    // The messages shown since the last call.
    Messages TakeMessages() {
        EXPECT_EQ(script.Kinds(), std::vector(script.Kinds().size(), platform::MessageKind::Ok));
        return script.TakeTexts();
    }

    testsupport::MessageScript script;
};
