// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// IEEE 802.1Q Management VLAN Configuration against ksx-sim: the state and VLAN read, the
// list enabled only with Enable, the name of the chosen VLAN, a VLAN without members refused
// (nothing written, whatever the state), and the one set of state and VLAN.
#include "features/port_vlan/ManagementVlanDialog.h"
#include "tests/support/DialogFixture.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace testsupport;

const std::string P = "1.3.6.1.4.1.99999.10.76.17";

class ManagementVlanTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        SimFixture::Options options;
        options.model = "KSX-7700-28";
        options.arguments = DataArguments({
            P + ".7.6.1.1.5|4|Empty",
            P + ".7.6.1.2.5|4x|00",
            P + ".7.6.1.3.5|4x|00",
            P + ".7.6.1.4.5|4x|00",
            P + ".7.6.1.5.5|2|1",
            P + ".7.6.1.1.6|4|M\xc3\xa4n",
            P + ".7.6.1.2.6|4x|80",
            P + ".7.6.1.3.6|4x|00",
            P + ".7.6.1.4.6|4x|00",
            P + ".7.6.1.5.6|2|1",
        });
        return options;
    }
};

TEST_F(ManagementVlanTest, EmptyVlanIsRefusedAndAMemberVlanWritten) {
    auto dialog = Open<CManagementVlanDlg>();
    auto* combo = Find<QComboBox>(dialog.get(), "vlanIdCombo");
    auto* name = Find<QLineEdit>(dialog.get(), "vlanNameEdit");
    auto* apply = Find<QPushButton>(dialog.get(), "applyButton");
    ASSERT_TRUE(WaitUntil([&] { return name->text() == "default"; }));
    EXPECT_FALSE(combo->isEnabled()); // the switch reads "2"
    ASSERT_TRUE(Click(dialog.get(), "enableRadio"));
    EXPECT_TRUE(combo->isEnabled());
    ASSERT_TRUE(Choose(combo, "6"));
    EXPECT_EQ(name->text(), QString::fromUtf8("M\xc3\xa4n"));

    for (const char* radio : {"enableRadio", "disableRadio"}) {
        ASSERT_TRUE(Click(dialog.get(), radio));
        combo->setCurrentIndex(combo->findText("5"));
        ASSERT_TRUE(Click(dialog.get(), "applyButton"));
        EXPECT_EQ(messages.TakeTexts(),
                  std::vector<std::string>{"Management VLAN could not be empty."});
        ASSERT_TRUE(WaitUntil([&] { return name->text() == "default" && apply->isEnabled(); }));
    }
    EXPECT_TRUE(TakeSets().empty());

    ASSERT_TRUE(Click(dialog.get(), "enableRadio"));
    ASSERT_TRUE(Choose(combo, "6"));
    ASSERT_TRUE(Click(dialog.get(), "applyButton"));
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(Bindings(sets[0]),
              (std::vector<std::string>{P + ".7.2.0 = INTEGER: 1", P + ".7.3.0 = INTEGER: 6"}));
    ASSERT_TRUE(WaitUntil([&] { return combo->currentText() == "6" && combo->isEnabled(); }));
    const QDir folder(QStringLiteral(KSX_SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    ASSERT_TRUE(dialog->grab().save(folder.filePath("dialog-management-vlan.png")));
}

} // namespace
