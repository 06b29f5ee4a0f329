// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/support/DialogFixture.h"

#include "snmp/CommonSNMP.h"
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

bool DialogFixture::ButtonEnabled(const QWidget* dialog, const QString& button) {
    const QWidget* widget = FindAny(dialog, button);
    return widget != nullptr && widget->isEnabled();
}

bool DialogFixture::WaitForButton(const QWidget* dialog, const QString& button) {
    return WaitUntil([&] { return ButtonEnabled(dialog, button); });
}

std::vector<std::string> DialogFixture::Press(QWidget* root, const QString& button) {
    EXPECT_TRUE(WaitForButton(root, button)) << button.toStdString();
    messages.TakeTexts();
    EXPECT_TRUE(Click(root, button)) << button.toStdString();
    return messages.TakeTexts();
}

::testing::AssertionResult DialogFixture::Refuses(QWidget* root,
                                                  const std::vector<std::string>& texts,
                                                  const QString& button) {
    const std::vector<std::string> shown = Press(root, button);
    const std::size_t sets = TakeSets().size();
    if (shown == texts && sets == 0) {
        return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << sets << " set requests; shown:";
    for (const std::string& text : shown) {
        failure << " \"" << text << '"';
    }
    return failure;
}

bool DialogFixture::WaitForSwitchToCatchUp() {
    CCommonSNMP probe;
    std::unique_ptr<CSnmp> answer;
    return probe.Open(kPduGet) == 1 && probe.AddValue("1.3.6.1.2.1.1.3.0", kSnmpNull, "") == 0 &&
           probe.Send(answer, 10000) == 0;
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

std::vector<std::string> DialogFixture::TakeBindings(bool withResults) {
    std::vector<std::string> bindings;
    for (const SimSetRecord& record : TakeSets()) {
        for (const std::string& binding : Bindings(record)) {
            bindings.push_back(withResults ? binding + " " + record.result : binding);
        }
    }
    return bindings;
}

std::unique_ptr<CSnmpV1> GetNextRequest(const SimFixture& sim, const std::string& oid) {
    auto request = std::make_unique<CSnmpV1>();
    request->setCommunity("guests");
    request->setPort(static_cast<uint16_t>(sim.Port()));
    request->setType(kPduGetNext);
    EXPECT_EQ(request->addValue(oid, kSnmpNull, nullptr, 0), 0) << oid;
    return request;
}

int WalkSimulator(const SimFixture& sim, const std::string& from,
                  const std::function<bool(const CSnmp& answer)>& visit) {
    const std::unique_ptr<CSnmpV1> request = GetNextRequest(sim, from);
    CSnmpTable table(request.get());
    int status = kSnmpOk;
    for (int step = 0; step < 100000 && status == kSnmpOk; ++step) {
        std::unique_ptr<CSnmp> answer;
        status = table.getNext(sim.Address(), answer, 2000);
        if (status == kSnmpOk && !visit(*answer)) {
            break;
        }
    }
    return status;
}

bool DialogFixture::WaitForRows(const QTreeWidget& list, int rows, const QWidget& dialog,
                                const QString& button) {
    const QWidget* pressable = FindAny(&dialog, button);
    return WaitUntil([&] { return pressable->isEnabled() && list.topLevelItemCount() == rows; });
}

std::vector<std::string> DialogFixture::CellsOf(const QTreeWidget* list,
                                                std::initializer_list<std::pair<int, int>> cells) {
    std::vector<std::string> texts;
    for (const auto& [row, column] : cells) {
        const QTreeWidgetItem* item = list->topLevelItem(row);
        texts.push_back(item != nullptr ? item->text(column).toStdString() : std::string());
    }
    return texts;
}

std::vector<std::vector<std::string>> DialogFixture::Sets() {
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
