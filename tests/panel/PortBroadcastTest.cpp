// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A click on a panel port tells the desktop through a signal on the session bus. This test
// runs its own dbus-daemon and points the process's session bus at it before Qt connects.
#include "platform/PortBroadcast.h"
#include "panel/PanelElements.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>

namespace {

QProcess* g_Daemon = nullptr;
QString g_Address;

class SignalCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QList<QVariant>> received;
public slots:
    void Catch(const QDBusMessage& message) { received.push_back(message.arguments()); }
};

bool StartDaemon() {
    g_Daemon = new QProcess;
    // The daemon ends with this process, even when a test aborts it.
    g_Daemon->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    g_Daemon->start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--print-address")});
    if (!g_Daemon->waitForStarted(5000)) {
        return false;
    }
    while (!g_Daemon->canReadLine() && g_Daemon->waitForReadyRead(5000)) {
    }
    g_Address = QString::fromUtf8(g_Daemon->readLine()).trimmed();
    return !g_Address.isEmpty();
}

} // namespace

TEST(PortBroadcast, PortClickSendsTheMessageNameAndPortIdentifier) {
    ASSERT_FALSE(g_Address.isEmpty()) << "dbus-daemon did not start";
    QDBusConnection listener = QDBusConnection::connectToBus(g_Address, QStringLiteral("listener"));
    ASSERT_TRUE(listener.isConnected());
    SignalCatcher catcher;
    ASSERT_TRUE(listener.connect(QString(), QLatin1String(platform::kPortClickedPath),
                                 QLatin1String(platform::kPortClickedInterface),
                                 QLatin1String(platform::kPortClickedSignal), &catcher,
                                 SLOT(Catch(QDBusMessage))));

    int actions = 0;
    SetPortClickAction([&](CPort&) { ++actions; });
    CDevModule root;
    auto port = std::make_unique<CPort>();
    port->SetRect(0, 0, 20, 20);
    port->SetPortIdentifier(23);
    root.AddChild(std::move(port));
    EXPECT_TRUE(platform::BroadcastPortClicked(5)) << "the session bus is there";
    root.OnLButtonDown({10, 10});
    SetPortClickAction({});
    EXPECT_EQ(actions, 1);

    for (int i = 0; i < 500 && catcher.received.size() < 2; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    ASSERT_EQ(catcher.received.size(), 2u);
    EXPECT_EQ(catcher.received.front().value(1).toInt(), 5);
    const QList<QVariant>& arguments = catcher.received.back();
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(arguments[0].toString(), QString::fromLatin1(platform::kPortClickedMessageName));
    EXPECT_EQ(arguments[1].toInt(), 23);
    QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
}

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const bool listing = ::testing::GTEST_FLAG(list_tests);
    if (!listing && StartDaemon()) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", g_Address.toUtf8());
    }
    const int result = RUN_ALL_TESTS();
    if (g_Daemon) {
        g_Daemon->kill();
        g_Daemon->waitForFinished(5000);
        delete g_Daemon;
    }
    return result;
}

#include "PortBroadcastTest.moc"
