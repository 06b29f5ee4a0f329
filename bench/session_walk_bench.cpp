// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// How fast the session layer walks a large subtree, one get-next per object, compared with
// Net-SNMP's snmpwalk against the same private snmpd. The walk goes through
// CCommonSNMP::StartRequest, the path the dialogs take. Runs alternate between the two so
// that both see the same machine load; the figure that counts is the median of the per-run
// ratios (ours / snmpwalk).
//
//   session_walk_bench [--runs N] [--subtree OID]
#include "bench/BenchSupport.h"
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/SnmpdFixture.h"
#include "tools/SessionWalk.h"

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

constexpr double kTargetRatio = 1.10;

struct BenchOptions {
    int runs = 7;
    std::string subtree = "1.3.6.1.2.1";
};

bool ParseOptions(int argc, char** argv, BenchOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            options.runs = std::atoi(argv[++i]);
        } else if (arg == "--subtree" && i + 1 < argc) {
            options.subtree = argv[++i];
        } else {
            return false;
        }
    }
    return options.runs > 0 && !ParseOid(options.subtree).empty();
}

struct WalkResult {
    double seconds = 0;
    size_t objects = 0;
    int status = 0;
};

WalkResult WalkBySession(const std::string& subtree) {
    WalkResult result;
    const Clock::time_point start = Clock::now();
    CCommonSNMP session;
    result.status = WalkColumns(session, {subtree}, [&result](const CSnmp&) { ++result.objects; });
    result.seconds = SecondsSince(start);
    return result;
}

struct Series {
    std::vector<double> session;
    std::vector<double> snmpwalk;
    std::vector<double> tool;
    std::vector<double> ratios;
};

bool RunSeries(const BenchOptions& options, const std::vector<std::string>& snmpwalkArgs,
               const std::vector<std::string>& toolArgs, Series& series) {
    std::printf("%4s %12s %12s %12s %8s\n", "run", "session s", "snmpwalk s", "ksx-snmp s",
                "ratio");
    for (int run = 1; run <= options.runs; ++run) {
        const WalkResult ours = WalkBySession(options.subtree);
        const double theirs = TimeProgram(snmpwalkArgs);
        const double tool = TimeProgram(toolArgs);
        if (ours.status != kSnmpEndOfTable || theirs < 0 || tool < 0) {
            std::fprintf(stderr, "run %d failed: session status %d, snmpwalk %s, ksx-snmp %s\n",
                         run, ours.status, theirs < 0 ? "failed" : "ok",
                         tool < 0 ? "failed" : "ok");
            return false;
        }
        series.session.push_back(ours.seconds);
        series.snmpwalk.push_back(theirs);
        series.tool.push_back(tool);
        series.ratios.push_back(ours.seconds / theirs);
        std::printf("%4d %12.3f %12.3f %12.3f %8.3f\n", run, ours.seconds, theirs, tool,
                    series.ratios.back());
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: session_walk_bench [--runs N] [--subtree OID]\n");
        return 2;
    }
    SnmpInit();
    SetSnmpTimeout(5000);
    const std::string snmpwalk = testsupport::FindProgram("snmpwalk");
    const std::string tool = std::string(KSX_BIN_DIR) + "/ksx-snmp";
    testsupport::SnmpdFixture agent;
    if (snmpwalk.empty() || !agent.Start()) {
        std::fprintf(stderr, "cannot run: %s\n",
                     snmpwalk.empty() ? "snmpwalk is not installed" : agent.Error().c_str());
        return 1;
    }
    SessionParameters() = SessionParametersData();
    SessionParameters().DeviceAddress = agent.Address();
    SessionParameters().SnmpPort = std::to_string(agent.Port());
    const std::string commandLine = "/Nbench /I" + agent.Address() +
                                    " /Rguests /Wkeepers /Efalse /V1 /P" +
                                    std::to_string(agent.Port());

    // Untimed first walks: the agent fills its caches, and both sides are counted.
    const WalkResult warmUp = WalkBySession(options.subtree);
    const size_t snmpwalkObjects = CountSnmpwalkObjects(snmpwalk, agent.Peer(), options.subtree);
    std::printf("walk of %s on snmpd at %s, one get-next per object, %d runs\n",
                options.subtree.c_str(), agent.Peer().c_str(), options.runs);
    std::printf("objects: session %zu, snmpwalk %zu\n", warmUp.objects, snmpwalkObjects);
    if (warmUp.status != kSnmpEndOfTable || warmUp.objects == 0) {
        std::fprintf(stderr, "the session walk ended with status %d\n", warmUp.status);
        return 1;
    }

    Series series;
    if (!RunSeries(options,
                   {snmpwalk, "-v2c", "-c", "guests", "-On", agent.Peer(), options.subtree},
                   {tool, commandLine, "walk", options.subtree}, series)) {
        return 1;
    }
    // snmpwalk's time holds its process start and library set-up; a walk of one object
    // shows how much, so that the ratio can also be given for the walking alone.
    std::vector<double> startUp;
    for (int run = 0; run < options.runs; ++run) {
        startUp.push_back(TimeProgram(
            {snmpwalk, "-v2c", "-c", "guests", "-On", agent.Peer(), "1.3.6.1.2.1.1.1"}));
    }
    const double fixedCost = std::max(0.0, Median(startUp));
    const double ratio = Median(series.ratios);
    std::printf("median: session %.3f s (%.1f us per object), snmpwalk %.3f s, "
                "ksx-snmp process %.3f s\n",
                Median(series.session), Median(series.session) * 1e6 / warmUp.objects,
                Median(series.snmpwalk), Median(series.tool));
    std::printf("median ratio session / snmpwalk: %.3f (target <= %.2f: %s)\n", ratio, kTargetRatio,
                ratio <= kTargetRatio ? "met" : "NOT met");
    const double walkingOnly = Median(series.snmpwalk) - fixedCost;
    if (walkingOnly > 0) {
        std::printf("snmpwalk start-up (walk of one object) %.3f s; ratio against its walking "
                    "alone: %.3f\n",
                    fixedCost, Median(series.session) / walkingOnly);
    }
    return 0;
}
