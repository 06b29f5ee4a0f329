// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "AgentTest.h"

#include "features/common/FeatureDialog.h"

#include <QVBoxLayout>

namespace {

using platform::MessageKind;
using platform::MessageResult;

// snmpTargetAddrRowStatus of the target named "t1": a row-status column snmpd lets us create.
const std::string kTargetRowStatus = "1.3.6.1.6.3.12.1.2.1.9.116.49";

using RequestsTest = AgentTest;

TEST_F(RequestsTest, ScalarReadsReturnTheValuesInRequestOrder) {
    CCommonSNMP session;
    const auto values = ReadValues(session, {kSysName, kSysContact, kIfIndex + ".1"});
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(*values, (std::vector<std::string>{ToolGet(kSysName), ToolGet(kSysContact), "1"}));
}

TEST_F(RequestsTest, AFailedScalarReadGivesNothing) {
    CCommonSNMP session;
    EXPECT_FALSE(ReadValues(session, {kSysName, PrivateOid("99.1.0")}).has_value());
    EXPECT_FALSE(ReadValues(session, {}).has_value());
    EXPECT_FALSE(ReadValues(session, {"not an oid"}).has_value());
}

TEST_F(RequestsTest, AllBindingsOfASetGoOutInOneRequest) {
    CCommonSNMP session;
    const long before = SetRequestsReceived();
    const int status = CSetRequest()
                           .OctetString(kSysContact, "ops desk")
                           .OctetString(kSysLocation, "rack 7")
                           .Send(session);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(SetRequestsReceived(), before + 1);
    EXPECT_EQ(ToolGet(kSysContact), "ops desk");
    EXPECT_EQ(ToolGet(kSysLocation), "rack 7");
}

TEST_F(RequestsTest, ASetWithABadBindingOrNoBindingSendsNothing) {
    CCommonSNMP session;
    const long before = SetRequestsReceived();
    EXPECT_EQ(CSetRequest().Send(session), -1);
    EXPECT_EQ(CSetRequest().OctetString(kSysContact, "x").Integer(kSysName, "seven").Send(session),
              -1);
    EXPECT_EQ(
        CSetRequest().OctetString(kSysContact, "x").IpAddress(kSysName, "1.2.3").Send(session), -1);
    EXPECT_EQ(SetRequestsReceived(), before);
    // The refused request leaves nothing behind that a later send could carry.
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(session.Send(response), -1);
}

TEST_F(RequestsTest, RowStatusWriteRefusesStatusesItMayNotWrite) {
    CCommonSNMP session;
    const long before = SetRequestsReceived();
    for (const char* status : {"2", "3", "0", "7", "", "1 "}) {
        EXPECT_EQ(RowStatusWrite(session, kTargetRowStatus, status), 0) << status;
    }
    EXPECT_EQ(messages.TakeTexts(), std::vector<std::string>(6, "error status value!"));
    EXPECT_EQ(SetRequestsReceived(), before);
}

TEST_F(RequestsTest, RowStatusWriteReportsWhetherTheSwitchTookIt) {
    CCommonSNMP session;
    const long before = SetRequestsReceived();
    EXPECT_EQ(RowStatusWrite(session, kTargetRowStatus, "5"), 1);
    EXPECT_EQ(ToolGet(kTargetRowStatus), "3"); // notReady: created, waiting for its columns
    EXPECT_EQ(RowStatusWrite(session, kTargetRowStatus, "6"), 1);
    // A row that does not exist cannot become active.
    EXPECT_EQ(RowStatusWrite(session, kTargetRowStatus, "1"), 0);
    EXPECT_EQ(SetRequestsReceived(), before + 3);
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
        const std::vector<InputCheck> checks = {
            {[this] { return ++firstChecks, firstPasses; }, "first refusal"},
            {[this] { return ++secondChecks, secondPasses; }, "second refusal",
             MessageKind::Information},
        };
        if (!PassesChecks(checks) || !Confirm("Go on?")) {
            return;
        }
        CSetRequest request;
        request.OctetString(kSysContact, contact).OctetString(kSysLocation, location);
        lastStatus = ApplySet(m_cCommonSNMPSet, request);
    }

    bool firstPasses = true;
    bool secondPasses = true;
    int firstChecks = 0;
    int secondChecks = 0;
    int refreshes = 0;
    int lastStatus = 99;
    std::string contact = "night shift";
    std::string location = "hall B";
    std::vector<std::string> shown;

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
};

class ApplyTest : public AgentTest {
protected:
    void SetUp() override {
        AgentTest::SetUp();
        dialog = std::make_unique<CApplyProbeDialog>();
        dialog->show();
        setsBefore = SetRequestsReceived();
    }

    std::unique_ptr<CApplyProbeDialog> dialog;
    long setsBefore = 0;
};

TEST_F(ApplyTest, TheDialogStaysOnTopAndReadsWhenItOpens) {
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(dialog->refreshes, 1);
    EXPECT_EQ(dialog->shown,
              (std::vector<std::string>{ToolGet(kSysContact), ToolGet(kSysLocation)}));
}

TEST_F(ApplyTest, TheFirstRefusedCheckStopsTheApplyAndSendsNothing) {
    dialog->firstPasses = false;
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"first refusal"});
    EXPECT_EQ(dialog->secondChecks, 0);

    dialog->firstPasses = true;
    dialog->secondPasses = false;
    messages.TakeTexts();
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"second refusal"});
    EXPECT_EQ(messages.Kinds(), std::vector<MessageKind>{MessageKind::Information});
    EXPECT_EQ(SetRequestsReceived(), setsBefore);
    EXPECT_EQ(dialog->refreshes, 1);
}

TEST_F(ApplyTest, CancelOnTheConfirmationSendsNothing) {
    messages.Answer({MessageResult::Cancel});
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Go on?"});
    EXPECT_EQ(messages.Kinds(), std::vector<MessageKind>{MessageKind::OkCancelQuestion});
    EXPECT_EQ(SetRequestsReceived(), setsBefore);
}

TEST_F(ApplyTest, OkSendsOneSetRequestAndReadsAgain) {
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_EQ(dialog->lastStatus, 0);
    EXPECT_EQ(SetRequestsReceived(), setsBefore + 1);
    EXPECT_TRUE(trace.Contains("set status = 0"));
    EXPECT_EQ(dialog->refreshes, 2);
    EXPECT_EQ(dialog->shown, (std::vector<std::string>{"night shift", "hall B"}));
}

TEST_F(ApplyTest, ARefusedWriteIsReadBackAsWell) {
    dialog->location = std::string(300, 'x'); // longer than the agent takes
    ASSERT_TRUE(testsupport::Click(dialog.get(), "applyButton"));
    EXPECT_NE(dialog->lastStatus, 0);
    EXPECT_TRUE(trace.Contains("set status = " + std::to_string(dialog->lastStatus)));
    EXPECT_EQ(dialog->refreshes, 2);
    EXPECT_EQ(dialog->shown[1], ToolGet(kSysLocation));
}

} // namespace
