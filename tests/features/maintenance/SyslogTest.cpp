// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Syslog Host Configuration against ksx-sim: the values go out as the switch takes them.
#include "features/common/IpAddressEdit.h"
#include "features/common/SnmpRequests.h"
#include "features/maintenance/SyslogDialog.h"
#include "tests/support/DialogFixture.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

using namespace testsupport;

TEST_F(DialogFixture, Local7AndAllAreWrittenAs184And7ThenTheStateFollows) {
    auto dialog = Open<CSyslogDlg>();
    auto* enable = Find<QCheckBox>(dialog.get(), "enableCheck");
    auto* address = Find<CIpAddressEdit>(dialog.get(), "hostIpEdit");
    ASSERT_TRUE(WaitUntil([&] { return address->FilledFieldCount() == 4; }));
    EXPECT_FALSE(address->isEnabled());
    enable->setChecked(true);
    address->SetAddress("192.0.2.50");
    ASSERT_TRUE(Choose(dialog.get(), "facilityCombo", "local7") &&
                Choose(dialog.get(), "severityCombo", "all") && Click(dialog.get(), "applyButton"));
    const std::string s = PrivateOid("16.1");
    EXPECT_EQ(Sets(),
              (std::vector<Texts>{{s + ".1.0 = IpAddress: 192.0.2.50", s + ".2.0 = INTEGER: 514",
                                   s + ".4.0 = INTEGER: 7", s + ".5.0 = INTEGER: 184"},
                                  {s + ".6.0 = INTEGER: 1"}}));
    EXPECT_EQ(messages.TakeTexts(), Texts{"Set System log Server successfully"});
    EXPECT_TRUE(enable->isChecked());
    EXPECT_EQ(Find<QComboBox>(dialog.get(), "facilityCombo")->currentText(), "local7");
}

} // namespace
