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

#include "snmp/Snmp.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/SimFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// A get-next request of `oid` to the simulator, with its read community.
std::unique_ptr<CSnmpV1> GetNextRequest(const SimFixture& sim, const std::string& oid);
// Walks the simulator with get-next from `from`, each answer to `visit` until it returns false
// or the walk ends; the last status (kSnmpEndOfTable when the walk ran out).
int WalkSimulator(const SimFixture& sim, const std::string& from,
                  const std::function<bool(const CSnmp& answer)>& visit);

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

    // Opens a dialog and waits until its `button` can be pressed: its opening reads have ended.
    template <class Dialog, class... Args>
    std::unique_ptr<Dialog> OpenRead(const QString& button = "refreshButton", Args&&... args) {
        auto dialog = Open<Dialog>(std::forward<Args>(args)...);
        EXPECT_TRUE(WaitForButton(dialog.get(), button)) << button.toStdString();
        return dialog;
    }
    // Whether the dialog's `button` can be pressed (the reads before hold it); false when the
    // dialog has none.
    static bool ButtonEnabled(const QWidget* dialog, const QString& button = "refreshButton");
    // Waits until ButtonEnabled.
    static bool WaitForButton(const QWidget* dialog, const QString& button = "refreshButton");

    // Clicks the button once it can be pressed (the reads before may hold it); the texts of the
    // message boxes it showed.
    std::vector<std::string> Press(QWidget* root, const QString& button = "applyButton");
    // Press, expecting exactly these message texts and no set request after them.
    ::testing::AssertionResult Refuses(QWidget* root, const std::vector<std::string>& texts,
                                       const QString& button = "applyButton");

    // The set requests the simulator received since the test began or the last call.
    std::vector<SimSetRecord> TakeSets();
    // Until the simulator has answered every request sent before (it answers one after the
    // other): a set a closed dialog sent reaches the set log only after the switch's delay.
    bool WaitForSwitchToCatchUp();
    // Each binding of a set request as "OID = TYPE: VALUE", in request order (octet strings
    // with bytes outside printable ASCII as 0x and hex digits).
    static std::vector<std::string> Bindings(const SimSetRecord& record);
    // The set requests TakeSets() gives, each as its Bindings().
    std::vector<std::vector<std::string>> Sets();
    // The bindings of every set request TakeSets() gives, one after the other; withResults: each
    // followed by a blank and the result of its request ("noError", "wrongValue", ...).
    std::vector<std::string> TakeBindings(bool withResults = false);

    // Waits until the dialog's `button` can be pressed again and `list` holds `rows` rows.
    static bool WaitForRows(const QTreeWidget& list, int rows, const QWidget& dialog,
                            const QString& button = "refreshButton");
    // The texts of these cells (row, column) of a list, in turn ("" past its rows).
    static std::vector<std::string> CellsOf(const QTreeWidget* list,
                                            std::initializer_list<std::pair<int, int>> cells);

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
