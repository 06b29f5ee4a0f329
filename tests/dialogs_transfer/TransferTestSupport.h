// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The transfer dialog against ksx-sim: a 28-port switch whose transfers take half a second
// and whose restart after a new firmware lasts one, with its request log on.
#pragma once

#include "features/maintenance/TransferDialog.h"
#include "features/maintenance/TransferObjects.h"
#include "tests/support/DialogFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace transfertest {

using testsupport::Click;
using testsupport::Find;
using testsupport::FindAny;
using testsupport::Type;
using testsupport::WaitUntil;

inline const std::string kFirmwareState = TransferObjectsOf(TransferKind::Firmware).state;
inline const std::string kConfigState = TransferObjectsOf(TransferKind::Configuration).state;

inline const char kUpgradeWarning[] =
    "The connection will be disconnected.\nPlease do not apply other changes when "
    "uploading.\nReconnect to the device later when uploading completes.";

inline const QStringList kInputs{"serverAddress", "fileName",    "operationType",
                                 "fileType",      "applyButton", "closeButton"};

class TransferTest : public testsupport::DialogFixture {
protected:
    virtual std::vector<std::string> Arguments() {
        return {"--transfer-seconds", "0.5", "--reboot-seconds", "1"};
    }

    testsupport::SimFixture::Options SimulatorOptions() override {
        testsupport::SimFixture::Options options;
        options.model = "KSX-7700-28";
        options.arguments = Arguments();
        options.requestLog = true;
        return options;
    }

    // The dialog with its timers ten times faster than the program's (request time-outs
    // as they are).
    std::unique_ptr<CTransferDialog> OpenFast() {
        auto dialog = Open<CTransferDialog>();
        dialog->SetTimings(TransferTimings().TimersDividedBy(10));
        return dialog;
    }

    static bool EnterServer(const QWidget* dialog, const QString& dotted) {
        const QStringList parts = dotted.split(QLatin1Char('.'));
        for (int i = 0; i < 4; ++i) {
            const QString part = i < parts.size() ? parts[i] : QString();
            if (!Type(dialog, QStringLiteral("octet%1").arg(i + 1), part)) {
                return false;
            }
        }
        return true;
    }

    static bool Fill(const QWidget* dialog, const QString& server, const QString& file,
                     const QString& operation, const QString& fileType) {
        return EnterServer(dialog, server) && Type(dialog, QStringLiteral("fileName"), file) &&
               testsupport::Choose(dialog, QStringLiteral("operationType"), operation) &&
               testsupport::Choose(dialog, QStringLiteral("fileType"), fileType);
    }

    static bool InputsEnabled(const QWidget* dialog) {
        return std::all_of(kInputs.begin(), kInputs.end(), [dialog](const QString& name) {
            const QWidget* widget = FindAny(dialog, name);
            return widget != nullptr && widget->isEnabled();
        });
    }

    static bool InputsDisabled(const QWidget* dialog) {
        return std::none_of(kInputs.begin(), kInputs.end(), [dialog](const QString& name) {
            const QWidget* widget = FindAny(dialog, name);
            return widget == nullptr || widget->isEnabled();
        });
    }

    // Until the transfer has ended and the controls are back.
    static bool WaitForReady(const CTransferDialog* dialog, int limitMs = 20000) {
        return WaitUntil([dialog] { return !dialog->IsTransferRunning() && InputsEnabled(dialog); },
                         limitMs);
    }

    bool WaitForMessage(const std::string& text, int limitMs = 20000) {
        return WaitUntil(
            [&] {
                const auto& texts = messages.Texts();
                return std::find(texts.begin(), texts.end(), text) != texts.end();
            },
            limitMs);
    }

    int TraceCount(const std::string& line) const {
        const auto lines = trace.Lines();
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }

    // Gets of `oid` the simulator answered, or did not.
    int StateReads(const std::string& oid, bool answered) const {
        int count = 0;
        for (const auto& request : sim.RequestLog()) {
            if (request.pdu == "get" && request.answered == answered &&
                std::find(request.oids.begin(), request.oids.end(), oid) != request.oids.end()) {
                ++count;
            }
        }
        return count;
    }

    int SilentRequests() const {
        int count = 0;
        for (const auto& request : sim.RequestLog()) {
            count += request.reason == "restarting" ? 1 : 0;
        }
        return count;
    }

    static int Progress(const QWidget* dialog) {
        return Find<QProgressBar>(dialog, QStringLiteral("progressBar"))->value();
    }
};

} // namespace transfertest
