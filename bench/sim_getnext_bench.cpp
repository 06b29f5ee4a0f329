// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
// Get-next round trips on loopback through ksx-sim and through Net-SNMP's snmpd, from the
// same client (the module's own session layer) on the same host.
// Run: build/default/bin/sim_getnext_bench
#include "snmp/CommonSNMP.h"
#include "snmp/SessionParameters.h"
#include "tests/support/SimFixture.h"
#include "tests/support/SnmpdFixture.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

struct Agents {
    testsupport::SimFixture sim;
    testsupport::SnmpdFixture snmpd;
    bool ready = false;
};

Agents& Started() {
    static Agents agents;
    if (!agents.ready) {
        agents.ready = agents.sim.Start() && agents.snmpd.Start();
        if (!agents.ready) {
            std::fprintf(stderr, "cannot start the agents: %s %s\n", agents.sim.Error().c_str(),
                         agents.snmpd.Error().c_str());
        }
    }
    return agents;
}

void GetNext(benchmark::State& state, int port, const std::string& oid) {
    SnmpInit();
    SessionParameters() = SessionParametersData();
    SessionParameters().DeviceAddress = "127.0.0.1";
    SessionParameters().SnmpPort = std::to_string(port);
    SessionParameters().RequestTimeout = "2000";
    CCommonSNMP session;
    session.Open(kPduGetNext);
    session.AddValue(oid, kSnmpNull, "");
    for (auto _ : state) {
        std::unique_ptr<CSnmp> response;
        if (session.Send(response) != 0) {
            state.SkipWithError("no answer");
            break;
        }
        benchmark::DoNotOptimize(response);
    }
}

void BM_GetNext_KsxSim(benchmark::State& state) {
    GetNext(state, Started().sim.Port(), "1.3.6.1.2.1.1.4");
}
void BM_GetNext_Snmpd(benchmark::State& state) {
    GetNext(state, Started().snmpd.Port(), "1.3.6.1.2.1.1.4");
}
void BM_GetNextInTable_KsxSim(benchmark::State& state) {
    GetNext(state, Started().sim.Port(), "1.3.6.1.2.1.2.2.1.2");
}
void BM_GetNextInTable_Snmpd(benchmark::State& state) {
    GetNext(state, Started().snmpd.Port(), "1.3.6.1.2.1.2.2.1.2");
}

} // namespace

BENCHMARK(BM_GetNext_KsxSim)->MinTime(1.0);
BENCHMARK(BM_GetNext_Snmpd)->MinTime(1.0);
BENCHMARK(BM_GetNextInTable_KsxSim)->MinTime(1.0);
BENCHMARK(BM_GetNextInTable_Snmpd)->MinTime(1.0);

BENCHMARK_MAIN();
