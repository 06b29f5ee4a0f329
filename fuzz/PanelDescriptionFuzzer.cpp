// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Panel description files: any bytes load without a crash or a hang, a fault is reported in
// one message at most, and the ports end up numbered 1, 2, 3, ... in panel order. The file
// is taken as lying in the KSX-7700-28P's panel folder, so its bitmap names find real files.
#include "panel/MyBitmapApp.h"
#include "panel/PanelDescription.h"
#include "panel/PanelElements.h"
#include "platform/Message.h"
#include "platform/Trace.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

#ifndef KSX_SOURCE_DIR
#error "KSX_SOURCE_DIR names the source tree"
#endif

namespace {

int g_messages = 0;

void Silence() {
    static const bool silenced = [] {
        platform::SetMessageHandler([](const QString&, platform::MessageKind) {
            ++g_messages;
            return platform::MessageResult::Ok;
        });
        platform::SetTraceSink([](const std::string&) {});
        return true;
    }();
    (void)silenced;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Silence();
    static const QString fileName =
        QStringLiteral(KSX_SOURCE_DIR "/resources/panels/KSX-7700-28P/fuzzed.xml");
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CMyBitmapApp::Instance().ClearPositions();
    g_messages = 0;
    CDevModule root;
    CModuleList modules;
    const bool loaded = LoadPanelDescriptionText(content, fileName, root, modules);
    if (g_messages > 1 || loaded != (g_messages == 0)) {
        __builtin_trap();
    }
    for (int n = 1; n <= 1000; ++n) {
        const CPort* port = NumberedPort(root, n);
        if (port == nullptr) {
            break;
        }
        if (port->PortIdentifier() != n) {
            __builtin_trap();
        }
    }
    if (CMyBitmapApp::Instance().PositionCount() > CMyBitmapApp::kPositionEntries) {
        __builtin_trap();
    }
    return 0;
}
