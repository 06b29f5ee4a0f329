// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A refused input sends nothing, shows its message and gives the focus back to the input the
// refusal is about, whichever dialog of the menu refused it.
#include "features/common/IpAddressEdit.h"
#include "tests/registry/MenuWalk.h"
#include "tests/support/DialogFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

namespace {

using namespace testsupport;

struct FocusCase {
    const char* name;
    int command;
    const char* inputs; // "objectName=text" pairs split by ';' ("on" ticks)
    const char* button;
    std::string message;
    const char* focused; // objectName of the input that has the focus afterwards
};

const FocusCase kCases[] = {
    {"syslog_address", kCmdSyslogHost, "enableCheck=on;hostIpEdit=127.0.0.1", "applyButton",
     "Invalid Syslog Sever IP address.", "hostIpEdit"},
    {"syslog_port", kCmdSyslogHost, "enableCheck=on;hostIpEdit=192.0.2.50;udpPortEdit=70000",
     "applyButton", "Invalid UDP port range (1-65535)", "udpPortEdit"},
    {"snmp_user_group", kCmdSnmpUserTable, "userNameEdit=operator", "applyButton",
     "Please enter valid Group Name ", "groupNameEdit"},
    {"snmp_view_mask", kCmdSnmpViewTable, "viewNameEdit=v1;subtreeEdit=1.3.6.1;maskEdit=2",
     "applyButton", "Please enter valid OID Mask.", "maskEdit"},
    {"snmp_host_name", kCmdSnmpHostTable, "hostAddress=192.0.2.7", "applyButton",
     "The Community String or SNMPv3 User Name can not be empty.", "hostNameEdit"},
    {"dhcp_trusted_ports", kCmdDhcpScreening, "trustedPorts=99", "trustedAddButton",
     "Invalid Port list", "trustedPorts"},
    {"binding_mac", kCmdSmartBinding, "bindIpAddress=10.1.1.1;bindMacAddress=00-11", "addButton",
     "Please enter correct MAC format(ex:00-00-00-00-00-01)", "bindMacAddress"},
    {"binding_scan_to", kCmdSmartBinding, "scanFrom=10.0.0.1;scanTo=10.0.0.255", "scanButton",
     "Invalid IP Address.", "scanTo"},
    {"dot1x_confirm", kCmdDot1x, "enable8021x=on;radiusServer=192.0.2.9;key=abc;confirmKey=abd",
     "applyButton", "Please confirm the key again !", "confirmKey"},
    {"igmp_robustness", kCmdIgmpSnooping, "robustnessEdit=1", "applyButton",
     "Invalid Robustness Variable (2-255).", "robustnessEdit"},
    {"surveillance_ports", kCmdSurveillanceVlan, "enableCheck=on;vlanIdEdit=300;portsEdit=99",
     "applyButton", "Invalid Portlist", "portsEdit"},
    {"system_location", kCmdSystemInformation, "locationEdit=hall,2", "applyButton",
     "Invalid System Location.", "locationEdit"},
    {"mirror_sources", kCmdPortMirroring, "enabledRadio=on", "applyButton",
     "Must at least select one source port.", "portGrid"},
    {"time_profile_times", kCmdTimeProfile, "nameEdit=night", "addButton",
     "'Start Time' and 'End Time' can't be the same", "startHourCombo"},
    {"transfer_server", kCmdFirmwareTransfer,
     "operationType=Backup;serverAddress=10.0.0.255;fileName=a.cfg", "applyButton",
     "Invalid TFTP server IP.", "serverAddress"},
    {"transfer_file", kCmdFirmwareTransfer, "operationType=Backup;serverAddress=10.0.0.5",
     "applyButton", "Invalid file.", "fileName"},
};

bool Fill(QWidget* dialog, const QString& name, const QString& text) {
    QWidget* widget = FindAny(dialog, name);
    if (auto* box = qobject_cast<QAbstractButton*>(widget)) {
        box->setChecked(text == "on");
        return true;
    }
    if (auto* address = qobject_cast<CIpAddressEdit*>(widget)) {
        address->SetAddress(text);
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        // Chosen without its popup: offscreen, a closed popup stays the active window.
        combo->setCurrentIndex(combo->findText(text));
        return combo->currentIndex() >= 0;
    }
    return Type(dialog, name, text);
}

// Mirroring on: its source grid takes input, also in the read that follows a refusal.
class MirroringOnTest : public DialogFixture {
protected:
    SimFixture::Options SimulatorOptions() override {
        return {"KSX-7700-52", DataArguments({"1.3.6.1.4.1.99999.10.76.17.18.1.0|2|1"})};
    }
};

class RefusalFocusTest : public MirroringOnTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(RefusalFocusTest, TheRefusedInputTakesTheFocus) {
    RegisterModuleCommands();
    std::unique_ptr<QDialog> dialog = CommandDialogFor(GetParam().command)();
    ASSERT_TRUE(ShowActive(dialog.get()));
    const QString button = QString::fromLatin1(GetParam().button);
    ASSERT_TRUE(WaitUntil([&] { return Find<QPushButton>(dialog.get(), button)->isEnabled(); }));
    for (const QString& input : QString::fromLatin1(GetParam().inputs).split(';')) {
        ASSERT_TRUE(Fill(dialog.get(), input.section('=', 0, 0), input.section('=', 1)))
            << input.toStdString();
    }
    EXPECT_TRUE(Refuses(dialog.get(), {GetParam().message}, button));
    QWidget* expected = FindAny(dialog.get(), QString::fromLatin1(GetParam().focused));
    // The dialog's focus child: the same as the application's while the dialog is active.
    QWidget* focused = dialog->focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused == expected || expected->isAncestorOf(focused))
        << focused->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Menu, RefusalFocusTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FocusCase>& info) {
                             return std::string(info.param.name);
                         });

// Every port grid of the menu takes a range entry: "1-2" and Enter choose ports 1 and 2 in that
// line's choice, as two clicks would.
using PortGridTest = MirroringOnTest;

TEST_F(PortGridTest, EveryPortGridTakesARangeEntry) {
    int entries = 0;
    for (const ModuleMenuEntry& entry : MenuDialogs()) {
        SCOPED_TRACE(entry.path);
        std::unique_ptr<QDialog> dialog = OpenMenuDialog(entry);
        EXPECT_TRUE(WaitIdle(*dialog));
        for (QWidget* bulk : dialog->findChildren<QWidget*>(QStringLiteral("bulkControls"))) {
            for (QLineEdit* range : bulk->findChildren<QLineEdit*>()) {
                const QString prefix = range->objectName().chopped(5); // "Range"
                ASSERT_TRUE(Type(bulk, range->objectName(), QStringLiteral("1-2")));
                QTest::keyClick(range, Qt::Key_Return);
                for (const char* port : {"1", "2"}) {
                    const auto* button =
                        qobject_cast<QAbstractButton*>(FindAny(dialog.get(), prefix + port));
                    ASSERT_NE(button, nullptr) << (prefix + port).toStdString();
                    EXPECT_TRUE(button->isChecked() || !button->isEnabled())
                        << (prefix + port).toStdString();
                }
                ++entries;
            }
        }
        dialog.reset();
        messages.TakeTexts();
    }
    EXPECT_GE(entries, 5); // mirroring's four lines and segmentation
}

} // namespace
