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
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/AgentProcess.h"
#include "tests/support/SnmpdFixture.h"
#include "tools/SessionWalk.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

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

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
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

// Runs a program with MIBS empty (no MIB files loaded) and its output thrown away; the wall
// time from start to exit, or a negative number when it failed.
double TimeProgram(const std::vector<std::string>& argv) {
    std::vector<std::string> texts = argv;
    std::vector<char*> args;
    for (std::string& text : texts) {
        args.push_back(text.data());
    }
    args.push_back(nullptr);
    std::vector<std::string> environment = {"MIBS="};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string(*entry).rfind("MIBS=", 0) != 0) {
            environment.emplace_back(*entry);
        }
    }
    std::vector<char*> env;
    for (std::string& entry : environment) {
        env.push_back(entry.data());
    }
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    const Clock::time_point start = Clock::now();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const double seconds = SecondsSince(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

size_t CountSnmpwalkObjects(const std::string& snmpwalk, const std::string& peer,
                            const std::string& subtree) {
    std::istringstream lines(testsupport::RunCommand("MIBS= " + snmpwalk + " -v2c -c guests -On " +
                                                     peer + " " + subtree));
    size_t objects = 0;
    std::string line;
    while (std::getline(lines, line)) {
        objects += !line.empty() && line[0] == '.';
    }
    return objects;
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
