// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A settings snapshot file, written by the module or not: it is read or refused with a
// message naming the file, and what is read writes back to a file that reads the same.
#include "features/snapshot/SettingsSnapshot.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const snapshot::ReadResult read = snapshot::ParseText(text, "f");
    if (!read.snapshot) {
        if (read.error.rfind("f: ", 0) != 0) {
            __builtin_trap();
        }
        return 0;
    }
    const snapshot::ReadResult again = snapshot::ParseText(snapshot::Text(*read.snapshot), "f");
    if (!again.snapshot || again.snapshot->settings != read.snapshot->settings ||
        !snapshot::Compare(*read.snapshot, *again.snapshot).empty()) {
        __builtin_trap();
    }
    return 0;
}
