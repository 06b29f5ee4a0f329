// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Table walks over a slow link: ksx-sim waits before every answer (--delay), the way a switch
// across a WAN does. Each walk runs with GETBULK and with one get-next per row, alternately,
// so both see the same machine load; round trips are counted exactly from the simulator's
// request log, wall times are medians of the runs. The forwarding-table walk is also held
// against Net-SNMP's snmpbulkwalk of the same two columns on the same simulator.
//
//   bulk_walk_bench [--runs N] [--delay MS] [--fdb N] [--plain-fdb-runs N]
#include "app/PanelPoll.h"
#include "features/port_vlan/PortConfigMib.h"
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/AgentProcess.h"
#include "tests/support/SimFixture.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using testsupport::SimFixture;

// The columns the Port Configuration dialog walks, in its order.
const std::string kPrivate = "1.3.6.1.4.1.99999.10.76.17.";
const std::vector<std::string> kPortTableColumns = {kPrivate + "1.13.1.2", kPrivate + "1.13.1.3",
                                                    kPrivate + "1.13.1.5", kPrivate + "12.3.1.1.2",
                                                    kPrivate + "1.13.1.6", kPrivate + "1.13.1.7"};

struct BenchOptions {
    int runs = 5;
    int delayMs = 20;
    int fdbEntries = 2000;
    int plainFdbRuns = 1; // one get-next per entry takes 40 s at 20 ms
};

bool ParseOptions(int argc, char** argv, BenchOptions& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (arg == "--runs") {
            options.runs = value;
        } else if (arg == "--delay") {
            options.delayMs = value;
        } else if (arg == "--fdb") {
            options.fdbEntries = value;
        } else if (arg == "--plain-fdb-runs") {
            options.plainFdbRuns = value;
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.runs > 0 && options.fdbEntries > 0 && options.plainFdbRuns > 0;
}

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string LoadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

struct Figure {
    std::vector<double> seconds;
    int requests = 0; // round trips of one run
    int rows = 0;     // rows walked, or port updates of the panel walks
};

// Runs `walk` and records its wall time, rows and the requests the simulator received.
void Measure(const SimFixture& sim, Figure& figure, const std::function<int()>& walk) {
    const size_t mark = sim.RequestLog().size();
    const Clock::time_point start = Clock::now();
    figure.rows = walk();
    figure.seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    figure.requests = static_cast<int>(sim.RequestLog().size() - mark);
}

void AimAt(const SimFixture& sim) {
    SessionParameters() = SessionParametersData();
    SessionParameters().DeviceAddress = sim.Address();
    SessionParameters().SnmpPort = std::to_string(sim.Port());
    SessionParameters().ReadCommunity = "guests";
    SessionParameters().WriteCommunity = "keepers";
    SessionParameters().SnmpVersion = "1";
}

// A synchronous walk of the columns to the end of the table; the rows it got.
int WalkColumns(const std::vector<std::string>& columns, unsigned stepTimeoutMs) {
    CCommonSNMP session;
    session.Open(kPduGetNext);
    for (const std::string& column : columns) {
        session.AddValue(column, kSnmpNull, "");
    }
    int rows = 0;
    std::unique_ptr<CSnmp> response;
    while (session.GetNext(response, stepTimeoutMs) == kSnmpOk) {
        ++rows;
    }
    return rows;
}

// The panel poller's link or PoE walk, from its first request to the result of its last row.
int PollWalk(const std::string& model, int portCount, bool poe) {
    CCommonSNMP fan, poeSession, devStat, poeStat;
    CPanelPoll poll(fan, poeSession, devStat, poeStat);
    PollDevice device;
    device.portCount = portCount;
    poll.Configure(model, device, true);
    std::mutex mutex;
    std::condition_variable arrived;
    bool ended = false;
    int ports = 0;
    poll.SetSink([&](PanelPollResult result) {
        std::lock_guard lock(mutex);
        ports += static_cast<int>(result.Ports.size());
        ended = ended || result.StartBlinkTimer || result.DarkenAllLamps;
        arrived.notify_all();
    });
    if (poe) {
        poll.GetPOEPortStatus();
    } else {
        poll.GetLinkStatus();
    }
    std::unique_lock lock(mutex);
    if (!arrived.wait_for(lock, std::chrono::seconds(60), [&] { return ended; })) {
        std::fprintf(stderr, "the walk did not end\n");
    }
    lock.unlock();
    poll.CancelRequests();
    return ports;
}

// snmpbulkwalk of each column in turn (it walks one subtree per run).
int NetSnmpBulkWalk(const SimFixture& sim, const std::vector<std::string>& columns) {
    int lines = 0;
    for (const std::string& column : columns) {
        const std::string output = testsupport::RunCommand(
            "MIBS= snmpbulkwalk -v2c -c guests -On " + sim.Peer() + " " + column);
        lines += static_cast<int>(std::count(output.begin(), output.end(), '\n'));
    }
    return lines;
}

void Report(const char* name, const Figure& bulk, const Figure& plain) {
    const double bulkTime = Median(bulk.seconds);
    const double plainTime = Median(plain.seconds);
    std::printf("%-34s items %5d/%5d  round trips %5d vs %5d (%5.1fx fewer)  "
                "median %7.3f s vs %7.3f s (%5.1fx faster)\n",
                name, bulk.rows, plain.rows, bulk.requests, plain.requests,
                bulk.requests > 0 ? static_cast<double>(plain.requests) / bulk.requests : 0.0,
                bulkTime, plainTime, bulkTime > 0 ? plainTime / bulkTime : 0.0);
}

bool StartSim(SimFixture& sim, const std::string& model, const BenchOptions& options) {
    SimFixture::Options sim_options;
    sim_options.model = model;
    sim_options.requestLog = true;
    sim_options.arguments = {"--delay", std::to_string(options.delayMs), "--fdb",
                             std::to_string(options.fdbEntries)};
    if (!sim.Start(sim_options)) {
        std::fprintf(stderr, "ksx-sim: %s\n", sim.Error().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: bulk_walk_bench [--runs N] [--delay MS] [--fdb N] "
                             "[--plain-fdb-runs N]\n");
        return 2;
    }
    SnmpInit();
    std::printf("ksx-sim --delay %d, %d runs each (alternating), load average before: %s\n",
                options.delayMs, options.runs, LoadAverage().c_str());

    SimFixture sim52;
    if (!StartSim(sim52, "KSX-7700-52", options)) {
        return 1;
    }
    AimAt(sim52);
    const std::vector<std::string> fdbColumns = {"1.3.6.1.2.1.17.7.1.2.2.1.2",
                                                 "1.3.6.1.2.1.17.7.1.2.2.1.3"};
    Figure portBulk, portPlain, linkBulk, linkPlain, fdbBulk, fdbPlain, fdbNetSnmp;
    for (int run = 0; run < options.runs; ++run) {
        for (bool bulk : {true, false}) {
            SetSnmpBulkWalks(bulk);
            Measure(sim52, bulk ? portBulk : portPlain, [] {
                return WalkColumns(kPortTableColumns, portconfig::kPortWalkStepTimeoutMs);
            });
            Measure(sim52, bulk ? linkBulk : linkPlain,
                    [] { return PollWalk("KSX-7700-52", 52, false); });
            if (bulk || run < options.plainFdbRuns) {
                Measure(sim52, bulk ? fdbBulk : fdbPlain,
                        [&fdbColumns] { return WalkColumns(fdbColumns, 5000); });
            }
        }
        Measure(sim52, fdbNetSnmp, [&] { return NetSnmpBulkWalk(sim52, fdbColumns); });
    }
    sim52.Stop();

    SimFixture sim28p;
    if (!StartSim(sim28p, "KSX-7700-28P", options)) {
        return 1;
    }
    AimAt(sim28p);
    Figure poeBulk, poePlain;
    for (int run = 0; run < options.runs; ++run) {
        for (bool bulk : {true, false}) {
            SetSnmpBulkWalks(bulk);
            Measure(sim28p, bulk ? poeBulk : poePlain,
                    [] { return PollWalk("KSX-7700-28P", 28, true); });
        }
    }
    sim28p.Stop();

    std::printf("\n%-34s %s\n", "walk", "GETBULK vs one get-next per row");
    Report("Port Configuration, 52 rows", portBulk, portPlain);
    Report("panel link walk, 52 ports", linkBulk, linkPlain);
    Report("panel PoE walk, 28P", poeBulk, poePlain);
    Report("forwarding table, 2 columns", fdbBulk, fdbPlain);
    const double netSnmp = Median(fdbNetSnmp.seconds);
    std::printf("%-34s lines %5d  round trips %5d  median %7.3f s; ours / snmpbulkwalk = %.2f\n",
                "snmpbulkwalk, same 2 columns", fdbNetSnmp.rows, fdbNetSnmp.requests, netSnmp,
                netSnmp > 0 ? Median(fdbBulk.seconds) / netSnmp : 0.0);
    std::printf("load average after: %s\n", LoadAverage().c_str());
    return 0;
}
