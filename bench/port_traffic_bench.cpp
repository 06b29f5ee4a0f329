// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What Port Traffic costs while it samples a KSX-7700-52 every second against ksx-sim
// --delay 20 with a chart of eight ports: requests per sample (from the simulator's request
// log), processor time of the module's process per second of sampling, then the longest time
// the UI thread could not repaint (a 5 ms timer's longest gap). Prints; never fails on a time.
//
//   port_traffic_bench [seconds [ksx-sim options...]]   (default 30 s, e.g. --bulk-bindings 0)
#include "features/common/ReportList.h"
#include "features/maintenance/PortTrafficDialog.h"
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/SimFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int kPorts = 52;
constexpr int kTickMs = 5;

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void RunEventLoop(int seconds) {
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 30;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    SnmpInit();
    testsupport::SimFixture sim;
    testsupport::SimFixture::Options options;
    options.model = "KSX-7700-52";
    options.arguments = {"--delay", "20", "--animate"};
    std::string agentOptions;
    for (int i = 2; i < argc; ++i) {
        options.arguments.emplace_back(argv[i]);
        agentOptions += std::string(" ") + argv[i];
    }
    options.requestLog = true;
    if (!sim.Start(options)) {
        std::fprintf(stderr, "ksx-sim did not start: %s\n", sim.Error().c_str());
        return 1;
    }
    SessionParameters().DeviceAddress = sim.Address();
    SessionParameters().SnmpPort = std::to_string(sim.Port());
    DeviceValues().ModelName = options.model;
    DeviceValues().DevicePortCount = kPorts;

    testsupport::MessageScript messages;
    CPortTrafficDlg dialog;
    testsupport::ShowActive(&dialog);
    auto* interval = dialog.findChild<QComboBox*>(QStringLiteral("intervalCombo"));
    interval->setCurrentIndex(0); // every second
    auto* list = dialog.findChild<CReportList*>(QStringLiteral("trafficList"));
    testsupport::WaitUntil([&] { return list->RowCount() == kPorts; }, 20000);
    for (int row = 0; row < CPortTrafficDlg::kMaxChartedPorts; ++row) {
        list->topLevelItem(row)->setSelected(true);
    }
    const auto* status = dialog.findChild<QLabel*>(QStringLiteral("sampleStatus"));

    // Processor time in a phase of its own, with the event loop as the program runs it: a
    // probe timer of a few milliseconds, or a test's polling wait, would cost more than the
    // sampling itself.
    const std::size_t requestsBefore = sim.RequestLog().size();
    const double processorBefore = ProcessorSeconds();
    int samples = 0;
    QString lastStatus = status->text();
    const auto countSample = [&] {
        if (status->text() != lastStatus) {
            lastStatus = status->text();
            ++samples;
        }
    };
    QTimer sampleCounter;
    QObject::connect(&sampleCounter, &QTimer::timeout, countSample);
    sampleCounter.start(100);
    QElapsedTimer clock;
    clock.start();
    RunEventLoop(seconds);
    sampleCounter.stop();
    const double elapsed = static_cast<double>(clock.elapsed()) / 1000;
    const double processor = ProcessorSeconds() - processorBefore;
    const std::size_t requests = sim.RequestLog().size() - requestsBefore;

    // Then the longest gap of a 5 ms timer: how long the UI thread could not repaint.
    double longestGapMs = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kTickMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapMs =
            std::max(longestGapMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6 - kTickMs);
        sinceTick.restart();
    });
    sinceTick.start();
    ticker.start();
    RunEventLoop(seconds);
    ticker.stop();

    std::printf("Port Traffic, KSX-7700-52 against ksx-sim --delay 20%s, a sample a second, "
                "8 ports charted, %.0f s\n",
                agentOptions.c_str(), elapsed);
    std::printf("samples %d; requests per sample %.1f (target at most 4)\n", samples,
                samples > 0 ? static_cast<double>(requests) / samples : 0.0);
    std::printf("processor %.2f%% of one core (target at most 2%%)\n", 100 * processor / elapsed);
    std::printf("longest UI stall %.0f ms over another %d s (target under 20 ms)\n", longestGapMs,
                seconds);
    return 0;
}
