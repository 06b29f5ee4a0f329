// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/support/DialogTesting.h"

int main(int argc, char** argv) {
    return testsupport::RunDialogTests(argc, argv);
}
