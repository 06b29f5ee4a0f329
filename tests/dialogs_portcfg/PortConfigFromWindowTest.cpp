// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port Configuration as the module window opens it by a click on a port of the panel, with no
// port picked.
#include "app/ModuleCommands.h"
#include "app/ModuleWindow.h"
#include "features/common/ReportList.h"
#include "features/port_vlan/PortConfigDialog.h"
#include "panel/PanelElements.h"
#include "panel/PanelView.h"
#include "tests/support/DialogFixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

using testsupport::Find;
using testsupport::WaitUntil;

using PortConfigFromWindowTest = testsupport::DialogFixture;

TEST_F(PortConfigFromWindowTest, AClickOnAPanelPortOpensItWithNoPortPicked) {
    qputenv("KSX_USER_INI", QByteArray(KSX_SOURCE_DIR) + "/resources/userini/KSX-7700-52/User.ini");
    const auto unset = qScopeGuard([] { qunsetenv("KSX_USER_INI"); });
    RegisterModuleCommands();
    CModuleWindow window;
    window.show();
    ASSERT_TRUE(window.IsSetUp());
    CPort* port = NumberedPort(window.PanelView()->Root(), 7);
    ASSERT_NE(port, nullptr);

    // While the dialog runs: what it shows, then it is closed.
    std::string caption;
    std::string portId = "unread";
    bool windowHidden = false;
    int rows = 0;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(WaitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
        auto* dialog = qobject_cast<CPortConfigDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "not Port Configuration";
        caption = dialog->windowTitle().toStdString();
        windowHidden = window.isHidden();
        WaitUntil([dialog] { return dialog->PortList()->RowCount() == 52; });
        rows = dialog->PortList()->RowCount();
        portId = Find<QLineEdit>(dialog, "portIdEdit")->text().toStdString();
        dialog->close();
    });
    QTest::mouseClick(window.PanelView(), Qt::LeftButton, {}, port->GetRect().center());
    EXPECT_EQ(caption, "Port Configuration");
    EXPECT_TRUE(windowHidden);
    EXPECT_EQ(rows, 52);
    EXPECT_EQ(portId, "");
    EXPECT_TRUE(window.isVisible());
}

} // namespace
