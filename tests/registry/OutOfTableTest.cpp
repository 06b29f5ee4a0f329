// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A switch holding values no choice of the module knows: every INTEGER of the switch set to 77
// (no enumeration, priority step, profile or port has it). Each dialog, its lists' first rows
// picked and applied without a change, writes each such object back as it was, or not at all.
#include "snmp/SessionParameters.h"
#include "tests/registry/MenuWalk.h"
#include "tests/support/DialogFixture.h"

#include <set>
#include <string>
#include <vector>

namespace {

using namespace testsupport;

constexpr const char* kStrange = "77";

class OutOfTableValuesTest : public DialogFixture {
protected:
    void SetUp() override {
        SimFixture::Options options{"KSX-7700-28P", {}};
        ASSERT_TRUE(StartSimulator(options));
        for (const std::string subtree : {"1.3.6.1.4.1", "1.3.6.1.2.1.17"}) {
            WalkSimulator(sim, subtree, [&](const CSnmp& answer) {
                const std::string oid = answer.getOid(0);
                int type = 0;
                std::string value;
                answer.getValue(0, type, value);
                if (type == kSnmpInteger && oid.rfind(subtree + ".", 0) == 0) {
                    m_integers.insert(oid);
                }
                return oid.rfind(subtree + ".", 0) == 0;
            });
        }
        ASSERT_GT(m_integers.size(), 100u);
        std::vector<std::string> lines;
        for (const std::string& oid : m_integers) {
            lines.push_back(oid + "|2|" + kStrange);
        }
        options.arguments = DataArguments(lines);
        ASSERT_TRUE(StartSimulator(options));
    }

    std::set<std::string> m_integers;
};

TEST_F(OutOfTableValuesTest, ApplyWithoutAChangeWritesTheSwitchsOwnValueBack) {
    SessionParameters().VlanEditAllowed = true;
    std::size_t written = 0;
    for (const ModuleMenuEntry& entry : MenuDialogs()) {
        SCOPED_TRACE(entry.path);
        ApplyFirstRows(*OpenMenuDialog(entry));
        for (const SimSetRecord& set : TakeSets()) {
            for (const SimSetBinding& binding : set.bindings) {
                if (m_integers.count(binding.oid) != 0) {
                    ++written;
                    EXPECT_EQ(binding.value, kStrange) << binding.oid;
                }
            }
        }
        messages.TakeTexts();
    }
    EXPECT_GT(written, 10u);
}

} // namespace
