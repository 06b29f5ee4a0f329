// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The Forwarding Table dialog walking a large forwarding database of ksx-sim, against
// Net-SNMP's snmpwalk of the same two columns on the same simulator. Runs alternate so that
// both see the same machine load; the figure that counts is the median of the per-run
// ratios (dialog / snmpwalk). Meanwhile a 2 ms timer on the UI thread records the longest
// gap between its ticks: how long the UI thread was kept from its event loop.
//
//   mibviews_fdb_bench [--runs N] [--entries N]
#include "bench/BenchSupport.h"
#include "features/maintenance/ForwardingTableDialog.h"
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/SimFixture.h"
#include "tests/support/SnmpdFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::CountSnmpwalkObjects;
using bench::Median;
using bench::SecondsSince;
using bench::TimeProgram;

constexpr double kTargetRatio = 1.2;
constexpr double kTargetStallMs = 50;
const std::string kFdbEntry = "1.3.6.1.2.1.17.7.1.2.2.1";

struct BenchOptions {
    int runs = 5;
    int entries = 16000;
};

bool ParseOptions(int argc, char** argv, BenchOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            options.runs = std::atoi(argv[++i]);
        } else if (arg == "--entries" && i + 1 < argc) {
            options.entries = std::atoi(argv[++i]);
        } else {
            return false;
        }
    }
    return options.runs > 0 && options.entries > 0;
}

struct DialogWalk {
    double seconds = 0;
    int entries = 0;
    double longestStallMs = 0;
};

// Opens the dialog (its walk starts as it is shown) and runs the event loop until Refresh
// is enabled again, the end of the walk.
DialogWalk WalkByDialog() {
    DialogWalk result;
    auto dialog = std::make_unique<CForwardingTableDlg>();
    QPushButton* refresh = dialog->findChild<QPushButton*>(QStringLiteral("refreshButton"));
    QEventLoop loop;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        result.longestStallMs =
            std::max(result.longestStallMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
        if (refresh->isEnabled()) {
            loop.quit();
        }
    });
    const Clock::time_point start = Clock::now();
    sinceTick.start();
    ticker.start();
    dialog->show();
    loop.exec();
    result.seconds = SecondsSince(start);
    ticker.stop();
    result.entries = dialog->EntryCount();
    return result;
}

} // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: mibviews_fdb_bench [--runs N] [--entries N]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    SnmpInit();
    const std::string snmpwalk = testsupport::FindProgram("snmpwalk");
    testsupport::SimFixture sim;
    testsupport::SimFixture::Options simOptions;
    simOptions.arguments = {"--fdb", std::to_string(options.entries)};
    if (snmpwalk.empty() || !sim.Start(simOptions)) {
        std::fprintf(stderr, "cannot run: %s\n",
                     snmpwalk.empty() ? "snmpwalk is not installed" : sim.Error().c_str());
        return 1;
    }
    SessionParameters() = SessionParametersData();
    SessionParameters().DeviceAddress = sim.Address();
    SessionParameters().SnmpPort = std::to_string(sim.Port());
    DeviceValues() = DeviceValuesData();
    DeviceValues().ModelName = simOptions.model;
    DeviceValues().DevicePortCount = 52;

    const DialogWalk warmUp = WalkByDialog();
    const size_t walkedObjects = CountSnmpwalkObjects(snmpwalk, sim.Peer(), kFdbEntry);
    std::printf("Forwarding Table of ksx-sim %s at %s, --fdb %d, %d runs\n",
                simOptions.model.c_str(), sim.Peer().c_str(), options.entries, options.runs);
    std::printf("entries: dialog %d, snmpwalk objects %zu (two columns)\n", warmUp.entries,
                walkedObjects);
    if (warmUp.entries != options.entries ||
        walkedObjects != 2 * static_cast<size_t>(options.entries)) {
        std::fprintf(stderr, "the walks did not see the whole table\n");
        return 1;
    }

    const std::vector<std::string> snmpwalkArgs = {snmpwalk, "-v2c",     "-c",     "guests",
                                                   "-On",    sim.Peer(), kFdbEntry};
    std::vector<double> ratios;
    std::vector<double> dialogSeconds;
    std::vector<double> snmpwalkSeconds;
    double longestStallMs = 0;
    std::printf("%4s %12s %12s %8s %14s\n", "run", "dialog s", "snmpwalk s", "ratio",
                "UI stall ms");
    for (int run = 1; run <= options.runs; ++run) {
        const DialogWalk ours = WalkByDialog();
        const double theirs = TimeProgram(snmpwalkArgs);
        if (ours.entries != options.entries || theirs < 0) {
            std::fprintf(stderr, "run %d failed: %d entries, snmpwalk %s\n", run, ours.entries,
                         theirs < 0 ? "failed" : "ok");
            return 1;
        }
        dialogSeconds.push_back(ours.seconds);
        snmpwalkSeconds.push_back(theirs);
        ratios.push_back(ours.seconds / theirs);
        longestStallMs = std::max(longestStallMs, ours.longestStallMs);
        std::printf("%4d %12.3f %12.3f %8.3f %14.1f\n", run, ours.seconds, theirs, ratios.back(),
                    ours.longestStallMs);
    }
    const double ratio = Median(ratios);
    std::printf("median: dialog %.3f s, snmpwalk %.3f s, ratio %.3f (target at most %.2f) %s\n",
                Median(dialogSeconds), Median(snmpwalkSeconds), ratio, kTargetRatio,
                ratio <= kTargetRatio ? "met" : "NOT MET");
    std::printf("longest UI stall: %.1f ms (target at most %.0f ms) %s\n", longestStallMs,
                kTargetStallMs, longestStallMs <= kTargetStallMs ? "met" : "NOT MET");
    return 0;
}
