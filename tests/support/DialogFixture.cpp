// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/support/DialogFixture.h"

#include "snmp/SessionParameters.h"

#include <algorithm>

namespace testsupport {

DialogFixture::DialogFixture() : m_dataDir(MakeTempDir("ksx-dialog-test-")) {}

DialogFixture::~DialogFixture() {
    RemoveTree(m_dataDir);
}

void DialogFixture::SetUp() {
    ASSERT_TRUE(StartSimulator(SimulatorOptions()));
}

::testing::AssertionResult DialogFixture::StartSimulator(const SimFixture::Options& options) {
    m_setsTaken = 0;
    if (!sim.Start(options)) {
        return ::testing::AssertionFailure() << "ksx-sim: " << sim.Error();
    }
    SessionParameters() = SessionParametersData();
    SessionParameters().DeviceAddress = sim.Address();
    SessionParameters().SnmpPort = std::to_string(sim.Port());
    DeviceValues() = DeviceValuesData();
    DeviceValues().ModelName = options.model;
    DeviceValues().DevicePortCount = PortCountOf(options.model);
    DeviceValues().IsAllGiga = std::find(options.arguments.begin(), options.arguments.end(),
                                         "--all-giga") != options.arguments.end();
    return ::testing::AssertionSuccess();
}

void DialogFixture::Restart(const std::string& model, const std::vector<std::string>& lines) {
    SimFixture::Options options;
    options.model = model;
    if (!lines.empty()) {
        options.arguments = DataArguments(lines);
    }
    ASSERT_TRUE(StartSimulator(options));
}

std::vector<std::string>
DialogFixture::DataArguments(const std::vector<std::string>& snmprecLines) {
    const std::string path = m_dataDir + "/data" + std::to_string(++m_dataFiles) + ".snmprec";
    std::string text;
    for (const std::string& line : snmprecLines) {
        text += line + '\n';
    }
    EXPECT_TRUE(WriteFile(path, text)) << path;
    return {"--data", path};
}

std::vector<SimSetRecord> DialogFixture::TakeSets() {
    std::vector<SimSetRecord> all = sim.SetLog();
    const std::size_t first = std::min(m_setsTaken, all.size());
    m_setsTaken = all.size();
    return std::vector<SimSetRecord>(all.begin() + static_cast<long>(first), all.end());
}

std::vector<std::string> DialogFixture::Bindings(const SimSetRecord& record) {
    std::vector<std::string> bindings;
    for (const SimSetBinding& binding : record.bindings) {
        bindings.push_back(binding.oid + " = " + binding.type + ": " + binding.value);
    }
    return bindings;
}

std::vector<std::string> DialogFixture::TakeBindings() {
    std::vector<std::string> bindings;
    for (const SimSetRecord& record : TakeSets()) {
        const std::vector<std::string> more = Bindings(record);
        bindings.insert(bindings.end(), more.begin(), more.end());
    }
    return bindings;
}

std::vector<std::vector<std::string>> DialogFixture::TakeSetBindings() {
    std::vector<std::vector<std::string>> sets;
    for (const SimSetRecord& record : TakeSets()) {
        sets.push_back(Bindings(record));
    }
    return sets;
}

int DialogFixture::PortCountOf(const std::string& model) {
    const std::string prefix = "KSX-7700-";
    const int ports = model.rfind(prefix, 0) == 0 ? std::atoi(model.c_str() + prefix.size()) : 0;
    return ports > 0 ? ports : DeviceValuesData().DevicePortCount;
}

} // namespace testsupport
