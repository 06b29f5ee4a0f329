// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// How long a full settings snapshot takes: a KSX-7700-52 with 64 VLANs and 2,000 learned
// addresses (which a snapshot does not read) behind ksx-sim --delay 20, with GETBULK walks (as
// the module walks) and with one get-next per row. Prints the median of three reads and the
// requests one read sends; never fails on a time.
//
//   snapshot_bench [ksx-sim options...]
#include "features/snapshot/SnapshotReader.h"
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "snmp/Snmp.h"
#include "tests/support/AgentProcess.h"
#include "tests/support/SimFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kVlans = 64;
constexpr int kRounds = 3;

// VLANs 2 to 65, each with a name, ports 1-24 tagged and 25-48 untagged.
std::string VlanLines() {
    const std::string column = "1.3.6.1.4.1.99999.10.76.17.7.6.1.";
    std::string text;
    for (int vid = 2; vid < 2 + kVlans; ++vid) {
        const std::string id = "." + std::to_string(vid);
        text += column + "1" + id + "|4|office-" + std::to_string(vid) + "\n";
        text += column + "2" + id + "|4x|ffffffffffff0000\n";
        text += column + "3" + id + "|4x|00\n";
        text += column + "4" + id + "|4x|000000ffffff0000\n";
        text += column + "5" + id + "|2|1\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    SnmpInit();
    const std::string dir = testsupport::MakeTempDir("ksx-snapshot-bench");
    if (!testsupport::WriteFile(dir + "/vlans.snmprec", VlanLines())) {
        std::fprintf(stderr, "cannot write %s\n", dir.c_str());
        return 1;
    }
    testsupport::SimFixture sim;
    testsupport::SimFixture::Options options;
    options.model = "KSX-7700-52";
    options.arguments = {"--delay", "20", "--fdb", "2000", "--data", dir + "/vlans.snmprec"};
    for (int i = 1; i < argc; ++i) {
        options.arguments.emplace_back(argv[i]);
    }
    options.requestLog = true;
    if (!sim.Start(options)) {
        std::fprintf(stderr, "ksx-sim did not start: %s\n", sim.Error().c_str());
        return 1;
    }
    SessionParameters().DeviceAddress = sim.Address();
    SessionParameters().SnmpPort = std::to_string(sim.Port());

    std::printf("Settings snapshot of a KSX-7700-52, %d VLANs, 2000 learned addresses, "
                "ksx-sim --delay 20, %d groups side by side\n",
                kVlans, static_cast<int>(snapshot::CSnapshotReader::kSideBySide));
    for (bool bulk : {true, false}) {
        SetSnmpBulkWalks(bulk);
        std::vector<double> seconds;
        std::size_t settings = 0, requests = 0;
        for (int round = 0; round < kRounds; ++round) {
            const std::size_t before = sim.RequestLog().size();
            QElapsedTimer clock;
            clock.start();
            std::string error;
            const auto read = snapshot::ReadSwitchSnapshot(error);
            seconds.push_back(static_cast<double>(clock.elapsed()) / 1000);
            if (!read) {
                std::fprintf(stderr, "no snapshot: %s\n", error.c_str());
                return 1;
            }
            settings = read->settings.size();
            requests = sim.RequestLog().size() - before;
        }
        std::sort(seconds.begin(), seconds.end());
        std::printf("%s: %.2f s (median of %d; target at most 3 s), %zu settings, "
                    "%zu requests\n",
                    bulk ? "GETBULK walks" : "get-next walks", seconds[kRounds / 2], kRounds,
                    settings, requests);
    }
    testsupport::RemoveTree(dir);
    return 0;
}
