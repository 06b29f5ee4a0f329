// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Base of the dialog tests. Every test gets its own ksx-sim (a switch in its default state,
// any model, overlay data, faults), the process's session parameters and device values
// pointing at it, message boxes answered from a script and recorded, and the debug trace
// captured. What the switch was asked to set is read back from the simulator's set log.
//
//   class StormDialogTest : public testsupport::DialogFixture {
//       SimFixture::Options SimulatorOptions() override {
//           SimFixture::Options options;
//           options.model = "KSX-7700-28";
//           options.arguments = DataArguments({P + ".8.1.3.1.2.1|4x|3000000000000000"});
//           return options;
//       }
//   };
//   TEST_F(StormDialogTest, ...) {
//       auto dialog = Open<CStormDialog>();
//       ASSERT_TRUE(WaitUntil([&] { return ...; }));
//       messages.Answer({platform::MessageResult::Cancel});
//       Click(dialog.get(), "applyButton");
//       EXPECT_TRUE(TakeSets().empty());
//   }
//
// The test program's main is testsupport::RunDialogTests.
#pragma once

#include "tests/support/DialogTesting.h"
#include "tests/support/SimFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace testsupport {

class DialogFixture : public ::testing::Test {
protected:
    DialogFixture();
    ~DialogFixture() override;

    // The simulator each test starts with: override to choose the model, data or faults.
    virtual SimFixture::Options SimulatorOptions() { return {}; }

    // Starts the simulator of SimulatorOptions().
    void SetUp() override;

    // Starts the simulator afresh (a switch in its default state again) and points the
    // session parameters and device values at it. Sessions made before keep the old port.
    ::testing::AssertionResult StartSimulator(const SimFixture::Options& options);
    // Starts a switch of `model` afresh with the .snmprec `lines` over its defaults.
    void Restart(const std::string& model, const std::vector<std::string>& lines = {});

    // Writes .snmprec lines ("OID|TAG|VALUE", loaded over the simulator's defaults) to a file
    // of the test and gives the simulator arguments that load it.
    std::vector<std::string> DataArguments(const std::vector<std::string>& snmprecLines);

    // Opens a dialog headless as the module does: made, shown and active; its opening reads
    // start as it is shown.
    template <class Dialog, class... Args> std::unique_ptr<Dialog> Open(Args&&... args) {
        auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
        EXPECT_TRUE(ShowActive(dialog.get()));
        return dialog;
    }

    // The set requests the simulator received since the test began or the last call.
    std::vector<SimSetRecord> TakeSets();
    // Each binding of a set request as "OID = TYPE: VALUE", in request order (octet strings
    // with bytes outside printable ASCII as 0x and hex digits).
    static std::vector<std::string> Bindings(const SimSetRecord& record);
    // The bindings of every set request TakeSets() gives, one after the other.
    std::vector<std::string> TakeBindings();
    // The bindings of every set request TakeSets() gives, request by request.
    std::vector<std::vector<std::string>> TakeSetBindings();

    // The port count of a model name: KSX-7700-20, -28, -28P, -48, -52.
    static int PortCountOf(const std::string& model);

    SimFixture sim;
    MessageScript messages;
    TraceCapture trace;

private:
    std::string m_dataDir;
    int m_dataFiles = 0;
    std::size_t m_setsTaken = 0;
};

} // namespace testsupport
