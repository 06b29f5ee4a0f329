// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "PatternTest.h"

#include "features/common/FeatureDialog.h"

#include <QVBoxLayout>

namespace {

using platform::MessageKind;
using platform::MessageResult;

// The row status of the white-list entry 10.1.1.2 / 00-11-22-33-44-55.
const std::string kWhiteListRowStatus = PrivateOid("14.10.3.1.4.10.1.1.2.0.17.34.51.68.85");

using RequestsTest = PatternTest;
using Texts = std::vector<std::string>;

TEST_F(RequestsTest, ScalarReadsReturnTheValuesInRequestOrderOrNothing) {
    CCommonSNMP session;
    const auto values = ReadValues(session, {kSysName, kSysContact, kIfIndex + ".1"});
    ASSERT_TRUE(values.Ok());
    EXPECT_EQ(*values, (Texts{"KSX-7700-28", ToolGet(kSysContact), "1"}));
    EXPECT_EQ(ReadValues(session, {kSysName, PrivateOid("99.1.0")}).Status().Outcome(),
              SnmpOutcome::Refused);
    EXPECT_EQ(ReadValues(session, {}).Status().Code(), -1);
    EXPECT_EQ(ReadValues(session, {"not an oid"}).Status().Code(), -1);
}

TEST_F(RequestsTest, ASetSendsAllBindingsInOneRequestOrNothingWhenOneIsBad) {
    CCommonSNMP session;
    EXPECT_EQ(CSetRequest().Send(session).Code(), -1);
    EXPECT_EQ(
        CSetRequest().OctetString(kSysContact, "x").Integer(kSysName, "seven").Send(session).Code(),
        -1);
    EXPECT_EQ(CSetRequest()
                  .OctetString(kSysContact, "x")
                  .IpAddress(kSysName, "1.2.3")
                  .Send(session)
                  .Code(),
              -1);
    // The refused request leaves nothing behind that a later send could carry.
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(session.Send(response), -1);
    EXPECT_TRUE(TakeSets().empty());

    const int status = CSetRequest()
                           .OctetString(kSysContact, "ops desk")
                           .Integer(kPortSpeed + ".3", 6)
                           .Send(session)
                           .Code();
    EXPECT_EQ(status, 0);
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]),
              (Texts{kSysContact + " = OCTET STRING: ops desk", kPortSpeed + ".3 = INTEGER: 6"}));
    EXPECT_EQ(sets[0].security, "keepers");
    EXPECT_EQ(ToolGet(kSysContact), "ops desk");
}

TEST_F(RequestsTest, RowStatusWriteRefusesStatusesItMayNotWriteAndReportsTheSwitchsAnswer) {
    CCommonSNMP session;
    for (const char* status : {"2", "3", "0", "7", "", "1 "}) {
        EXPECT_EQ(RowStatusWrite(session, kWhiteListRowStatus, status), 0) << status;
    }
    EXPECT_EQ(messages.TakeTexts(), Texts(6, "error status value!"));
    EXPECT_TRUE(TakeSets().empty());

    EXPECT_EQ(RowStatusWrite(session, kWhiteListRowStatus, "5"), 1);
    EXPECT_EQ(RowStatusWrite(session, kWhiteListRowStatus, "6"), 1);
    EXPECT_EQ(RowStatusWrite(session, kWhiteListRowStatus, "1"), 0); // no such row any more
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 3u);
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const char* status[] = {"5", "6", "1"};
        EXPECT_EQ(Bindings(sets[i]), Texts{kWhiteListRowStatus + " = INTEGER: " + status[i]});
    }
    EXPECT_NE(sets[2].result, "noError");
    EXPECT_TRUE(messages.Texts().empty());
}

// Apply as the feature dialogs do it: two checks, a confirmation, one set, a re-read.
class CApplyProbeDialog : public CFeatureDialog {
public:
    CApplyProbeDialog() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(RefreshButton());
        layout->addWidget(ApplyButton());
    }

    void Refresh() override {
        ++refreshes;
        if (auto values = ReadValues(m_cCommonSNMP, {kSysContact, kSysLocation})) {
            shown = *values;
        }
    }

    void Apply() override {
        CheckChain checks;
        checks.Require([this] { return ++firstChecks, firstPasses; }, "first refusal")
            .Require([this] { return ++secondChecks, secondPasses; }, "second refusal",
                     MessageKind::Information);
        ApplyPlan plan{checks.FirstRefusal(), {"Go on?"}, {}};
        plan.request.OctetString(kSysContact, contact).OctetString(kSysLocation, location);
        if (plan.refusal && !secondPasses) {
            ++afterSecondRefusal;
        }
        if (const auto status = RunPlan(m_cCommonSNMPSet, plan)) {
            lastStatus = status->Code();
        }
    }

    bool firstPasses = true;
    bool secondPasses = true;
    int firstChecks = 0;
    int secondChecks = 0;
    int afterSecondRefusal = 0;
    int refreshes = 0;
    int lastStatus = 99;
    std::string contact = "night shift";
    std::string location = "hall B";
    std::vector<std::string> shown;

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
};

TEST_F(RequestsTest, ApplyChecksInOrderAsksSendsOneSetAndReadsAgain) {
    auto dialog = Open<CApplyProbeDialog>();
    // The dialog stays on top and reads when it opens.
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(dialog->refreshes, 1);
    EXPECT_EQ(dialog->shown, (Texts{ToolGet(kSysContact), ToolGet(kSysLocation)}));

    // The first refused check stops the apply: later checks do not run, nothing is sent.
    dialog->firstPasses = false;
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.TakeTexts(), Texts{"first refusal"});
    EXPECT_EQ(dialog->secondChecks, 0);
    dialog->firstPasses = true;
    dialog->secondPasses = false;
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.Texts(), Texts{"second refusal"});
    EXPECT_EQ(messages.Kinds(), std::vector<MessageKind>{MessageKind::Information});
    EXPECT_EQ(dialog->afterSecondRefusal, 1);
    // Cancel on the confirmation sends nothing either.
    dialog->secondPasses = true;
    messages.TakeTexts();
    messages.Answer({MessageResult::Cancel});
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.Texts(), Texts{"Go on?"});
    EXPECT_EQ(messages.Kinds(), std::vector<MessageKind>{MessageKind::OkCancelQuestion});
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_EQ(dialog->refreshes, 1);

    // OK sends one set request and reads again.
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_EQ(dialog->lastStatus, 0);
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]), (Texts{kSysContact + " = OCTET STRING: night shift",
                                        kSysLocation + " = OCTET STRING: hall B"}));
    EXPECT_TRUE(trace.Contains("set status = 0"));
    EXPECT_EQ(dialog->refreshes, 2);
    EXPECT_EQ(dialog->shown, (Texts{"night shift", "hall B"}));

    // A write the switch refuses is read back as well.
    dialog->location = std::string(300, 'x'); // longer than the switch takes
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_NE(dialog->lastStatus, 0);
    EXPECT_TRUE(trace.Contains("set status = " + std::to_string(dialog->lastStatus)));
    EXPECT_EQ(dialog->refreshes, 3);
    EXPECT_EQ(dialog->shown[1], ToolGet(kSysLocation));
}

} // namespace
