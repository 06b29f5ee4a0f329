// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Port Configuration as the module window opens it: from the menu and by a click on a port
// of the panel, always with no port picked.
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

using testsupport::DialogFixture;
using testsupport::Find;
using testsupport::WaitUntil;

class PortConfigFromWindowTest : public DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        qputenv("KSX_USER_INI",
                QByteArray(KSX_SOURCE_DIR) + "/resources/userini/KSX-7700-52/User.ini");
        RegisterModuleCommands();
        m_window = std::make_unique<CModuleWindow>();
        m_window->show();
        ASSERT_TRUE(m_window->IsSetUp());
    }
    void TearDown() override {
        m_window.reset();
        qunsetenv("KSX_USER_INI");
    }

    // Runs `open` and, while the dialog it opens runs, reads what it shows and closes it.
    void RunAndWatch(const std::function<void()>& open) {
        QTimer::singleShot(0, [this] {
            ASSERT_TRUE(WaitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
            auto* dialog = qobject_cast<CPortConfigDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "not Port Configuration";
            m_caption = dialog->windowTitle().toStdString();
            m_windowHidden = m_window->isHidden();
            m_rows = WaitUntil([dialog] { return dialog->PortList()->RowCount() == 52; })
                         ? dialog->PortList()->RowCount()
                         : -1;
            m_portId = Find<QLineEdit>(dialog, "portIdEdit")->text().toStdString();
            dialog->close();
        });
        open();
    }

    std::unique_ptr<CModuleWindow> m_window;
    std::string m_caption;
    std::string m_portId = "unread";
    bool m_windowHidden = false;
    int m_rows = 0;
};

TEST_F(PortConfigFromWindowTest, AClickOnAPanelPortAndTheMenuCommandOpenItWithNoPortPicked) {
    CPort* port = NumberedPort(m_window->PanelView()->Root(), 7);
    ASSERT_NE(port, nullptr);
    RunAndWatch([&] {
        QTest::mouseClick(m_window->PanelView(), Qt::LeftButton, {}, port->GetRect().center());
    });
    EXPECT_EQ(m_caption, "Port Configuration");
    EXPECT_TRUE(m_windowHidden);
    EXPECT_EQ(m_rows, 52);
    EXPECT_EQ(m_portId, "");
    EXPECT_TRUE(m_window->isVisible());

    EXPECT_TRUE(IsCommandAvailable(kCmdPortConfiguration));
    m_caption.clear();
    m_rows = 0;
    RunAndWatch([&] { m_window->OnCommand(kCmdPortConfiguration); });
    EXPECT_EQ(m_caption, "Port Configuration");
    EXPECT_EQ(m_rows, 52);
}

} // namespace
