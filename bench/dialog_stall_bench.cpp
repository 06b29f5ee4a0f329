// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// How long the window freezes while a dialog talks to the switch. Every dialog of the menu
// opens, reads, applies (the first row of each list picked, Apply when it is enabled) and
// closes, against a slow switch (ksx-sim --delay 20) and against one that answers nothing
// (--drop-after 0). Meanwhile a 5 ms timer on the UI thread records the longest gap between
// its ticks: the longest time the window could not repaint or take input. Against the silent
// switch it also records when the dialog showed its first message (or, when it never does,
// when its reads gave up). Prints one table per switch and the worst figures; never fails on
// a time.
//
//   dialog_stall_bench [--only TEXT]   (TEXT: part of a menu path)
#include "app/ModuleCommands.h"
#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/SimFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char kModel[] = "KSX-7700-28P";
constexpr int kPortCount = 28;
constexpr double kTargetStallMs = 100;
constexpr int kGiveUpMs = 90000;
constexpr int kTickMs = 5;

// The longest gap between two ticks of a timer on the UI thread, from Start on.
class StallMeter {
public:
    StallMeter() {
        m_ticker.setInterval(kTickMs);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { Tick(); });
    }
    void Start() {
        m_longestMs = 0;
        m_sinceTick.start();
        m_ticker.start();
    }
    double LongestMs() {
        Tick();
        return m_longestMs;
    }

private:
    void Tick() {
        const double gapMs = static_cast<double>(m_sinceTick.nsecsElapsed()) / 1e6 - kTickMs;
        m_longestMs = std::max(m_longestMs, gapMs);
        m_sinceTick.restart();
    }
    QTimer m_ticker;
    QElapsedTimer m_sinceTick;
    double m_longestMs = 0;
};

struct DialogRun {
    std::string path;
    double stallMs = 0;
    double readsEndMs = -1; // -1: still reading at the give-up time
    double firstMessageMs = -1;
    std::string firstMessage;
};

bool Idle(const QDialog* dialog) {
    const auto* feature = qobject_cast<const CFeatureDialog*>(dialog);
    return feature == nullptr || !feature->IsBusy();
}

// Idle, and still idle a few ticks later (a finished walk may start the next read).
bool SettledIdle(const QDialog* dialog) {
    if (!Idle(dialog)) {
        return false;
    }
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 4 * kTickMs) {
        testsupport::ProcessEvents();
        if (!Idle(dialog)) {
            return false;
        }
    }
    return true;
}

void PickFirstRows(QDialog& dialog) {
    for (CReportList* list : dialog.findChildren<CReportList*>()) {
        if (list->RowCount() > 0) {
            list->SelectRow(0);
            emit list->rowSelected(0);
        }
    }
}

DialogRun RunDialog(const ModuleMenuEntry& entry, const CommandDialogFactory& factory) {
    DialogRun run;
    run.path = entry.path;
    testsupport::MessageScript messages;
    StallMeter meter;
    QElapsedTimer clock;
    meter.Start();
    clock.start();
    std::unique_ptr<QDialog> dialog = factory();
    testsupport::ShowActive(dialog.get());
    QDialog* shown = dialog.get();
    const bool ended = testsupport::WaitUntil(
        [&] {
            if (run.firstMessageMs < 0 && !messages.Texts().empty()) {
                run.firstMessageMs = static_cast<double>(clock.elapsed());
                run.firstMessage = messages.Texts().front();
            }
            return SettledIdle(shown);
        },
        kGiveUpMs);
    if (ended) {
        run.readsEndMs = static_cast<double>(clock.elapsed());
    }
    if (run.firstMessageMs < 0 && !messages.Texts().empty()) {
        run.firstMessageMs = run.readsEndMs;
        run.firstMessage = messages.Texts().front();
    }
    PickFirstRows(*dialog);
    const auto* apply = dialog->findChild<QPushButton*>(QStringLiteral("applyButton"));
    if (ended && apply != nullptr && apply->isEnabled() && apply->isVisibleTo(dialog.get())) {
        testsupport::Click(dialog.get(), QStringLiteral("applyButton"));
        testsupport::WaitUntil([&] { return SettledIdle(shown); }, kGiveUpMs);
    }
    dialog->reject();
    testsupport::WaitUntil([&] { return !shown->isVisible(); }, kGiveUpMs);
    dialog.reset();
    testsupport::ProcessEvents();
    run.stallMs = meter.LongestMs();
    return run;
}

void PrintTable(const char* title, const std::vector<DialogRun>& runs, bool silent) {
    std::printf("\n%s\n%-58s %10s %12s %14s\n", title, "dialog", "stall ms", "reads end s",
                silent ? "message s" : "");
    double worstStall = 0;
    double worstMessage = 0;
    double worstEnd = 0;
    for (const DialogRun& run : runs) {
        worstStall = std::max(worstStall, run.stallMs);
        worstEnd = run.readsEndMs < 0 ? kGiveUpMs : std::max(worstEnd, run.readsEndMs);
        char message[32] = "";
        if (silent) {
            if (run.firstMessageMs < 0) {
                std::snprintf(message, sizeof message, "none");
            } else {
                std::snprintf(message, sizeof message, "%.1f", run.firstMessageMs / 1000);
                worstMessage = std::max(worstMessage, run.firstMessageMs);
            }
        }
        char end[32] = "gave up";
        if (run.readsEndMs >= 0) {
            std::snprintf(end, sizeof end, "%.1f", run.readsEndMs / 1000);
        }
        std::printf("%-58s %10.0f %12s %14s\n", run.path.c_str(), run.stallMs, end, message);
    }
    std::printf("worst: stall %.0f ms (target at most %.0f ms) %s; reads end %.1f s", worstStall,
                kTargetStallMs, worstStall <= kTargetStallMs ? "met" : "NOT MET", worstEnd / 1000);
    if (silent) {
        const auto unshown = std::count_if(
            runs.begin(), runs.end(), [](const DialogRun& run) { return run.firstMessageMs < 0; });
        std::printf("; latest message %.1f s; dialogs showing nothing: %d", worstMessage / 1000,
                    static_cast<int>(unshown));
    }
    std::printf("\n");
    std::fflush(stdout);
}

std::vector<DialogRun> RunMenu(const std::vector<std::string>& simArguments,
                               const std::string& only) {
    testsupport::SimFixture sim;
    testsupport::SimFixture::Options options;
    options.model = kModel;
    options.arguments = simArguments;
    if (!sim.Start(options)) {
        std::fprintf(stderr, "ksx-sim did not start: %s\n", sim.Error().c_str());
        return {};
    }
    SessionParameters() = SessionParametersData();
    SessionParameters().DeviceAddress = sim.Address();
    SessionParameters().SnmpPort = std::to_string(sim.Port());
    SessionParameters().VlanEditAllowed = true;
    DeviceValues() = DeviceValuesData();
    DeviceValues().ModelName = kModel;
    DeviceValues().DevicePortCount = kPortCount;
    std::vector<DialogRun> runs;
    for (const ModuleMenuEntry& entry : ModuleMenuTable()) {
        const CommandDialogFactory factory = CommandDialogFor(entry.id);
        if (entry.id == kCmdAbout || !factory ||
            std::string(entry.path).find(only) == std::string::npos) {
            continue;
        }
        runs.push_back(RunDialog(entry, factory));
        std::fprintf(stderr, ".");
    }
    std::fprintf(stderr, "\n");
    return runs;
}

} // namespace

int main(int argc, char** argv) {
    std::string only;
    if (argc == 3 && std::string(argv[1]) == "--only") {
        only = argv[2];
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: dialog_stall_bench [--only TEXT]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    SnmpInit();
    RegisterModuleCommands();
    std::printf("Every dialog of the menu of a %s: open, read, apply, close\n", kModel);
    PrintTable("slow switch (ksx-sim --delay 20)", RunMenu({"--delay", "20"}, only), false);
    PrintTable("silent switch (ksx-sim --drop-after 0)", RunMenu({"--drop-after", "0"}, only),
               true);
    return 0;
}
