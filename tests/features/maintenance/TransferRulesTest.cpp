// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What keeps a transfer from starting: the server address and the file name.
#include "features/maintenance/TransferData.h"
#include "tests/support/PlanLines.h"

#include <gtest/gtest.h>

namespace {

using Address = std::optional<std::array<int, 4>>;

TEST(TransferRules, TheServerAndTheFileAreChecked) {
    struct Case {
        Address server;
        std::string file;
        std::string refusal;
        std::string field;
    };
    const std::string kServer = "Invalid TFTP server IP.";
    const Case cases[] = {
        {std::nullopt, "a.cfg", kServer, CTransferData::kServerField}, // a field left empty
        {std::array{0, 0, 0, 0}, "a.cfg", kServer, CTransferData::kServerField},
        {std::array{0, 1, 2, 3}, "a.cfg", kServer, CTransferData::kServerField},
        {std::array{255, 1, 2, 3}, "a.cfg", kServer, CTransferData::kServerField},
        {std::array{10, 0, 0, 255}, "a.cfg", kServer, CTransferData::kServerField},
        {std::array{10, 0, 0, 0}, "a.cfg", kServer, CTransferData::kServerField},
        {std::nullopt, "", kServer, CTransferData::kServerField}, // the server is checked first
        {std::array{10, 0, 255, 1}, "", "Invalid file.", CTransferData::kFileField},
        {std::array{10, 0, 255, 1}, "a.cfg", "", ""},
        {std::array{1, 0, 0, 254}, "x", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + (c.server ? std::to_string((*c.server)[0]) : "-"));
        const auto refusal = CTransferData::CheckInput({c.server, c.file});
        EXPECT_EQ(testsupport::RefusalOf(refusal), c.refusal);
        EXPECT_EQ(refusal ? refusal->field : "", c.field);
    }
}

} // namespace
