// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The main of a dialog test program (link ksx_dialog_test_main instead of writing one).
#include "tests/support/DialogTesting.h"

int main(int argc, char** argv) {
    return testsupport::RunDialogTests(argc, argv);
}
