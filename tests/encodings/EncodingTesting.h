// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the encoding tests share: octet strings written as numbers.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

inline std::string Bytes(std::initializer_list<unsigned> values) {
    return std::string(values.begin(), values.end());
}
