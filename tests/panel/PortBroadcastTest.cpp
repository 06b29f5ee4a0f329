// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A click on a panel port tells the desktop through a signal on the session bus. CTest runs
// this binary under dbus-run-session, on a session bus of its own.
#include "platform/PortBroadcast.h"
#include "panel/PanelElements.h"
#include "tests/support/DialogTesting.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <gtest/gtest.h>

namespace {

class SignalCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QList<QVariant>> received;
public slots:
    void Catch(const QDBusMessage& message) { received.push_back(message.arguments()); }
};

} // namespace

TEST(PortBroadcast, PortClickSendsTheMessageNameAndPortIdentifier) {
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    ASSERT_FALSE(address.isEmpty()) << "no session bus: run it under dbus-run-session";
    QDBusConnection listener = QDBusConnection::connectToBus(address, QString("listener"));
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

    testsupport::WaitUntil([&catcher] { return catcher.received.size() >= 2; });
    ASSERT_EQ(catcher.received.size(), 2u);
    EXPECT_EQ(catcher.received.front().value(1).toInt(), 5);
    const QList<QVariant>& arguments = catcher.received.back();
    ASSERT_EQ(arguments.size(), 2);
    EXPECT_EQ(arguments[0].toString(), QString::fromLatin1(platform::kPortClickedMessageName));
    EXPECT_EQ(arguments[1].toInt(), 23);
    QDBusConnection::disconnectFromBus(QString("listener"));
}

#include "PortBroadcastTest.moc"
