// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The start-up of real ksx-module processes: messages, User.ini and one module per device.
#include "QtPrinting.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int kGenerousWaitMs = 30000; // only a failing test ever waits this long
const QString kAddress = QStringLiteral("10.0.0.5");

// One ksx-module process with traces and messages on its output.
class ModuleProcess {
public:
    ModuleProcess(const QStringList& arguments, const QProcessEnvironment& environment) {
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(KSX_MODULE_EXE), arguments);
    }
    ~ModuleProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kGenerousWaitMs);
        }
    }

    // Waits until the process printed `line` (a whole line) `times` times; false if it ended
    // before.
    bool WaitForLine(const QString& line, qsizetype times = 1) {
        QDeadlineTimer deadline(kGenerousWaitMs);
        while (m_lines.count(line) < times && !deadline.hasExpired()) {
            if (m_process.state() == QProcess::NotRunning) {
                Collect();
                break;
            }
            m_process.waitForReadyRead(100);
            Collect();
        }
        return m_lines.count(line) >= times;
    }

    // The exit code once the process has ended by itself; -1 when it did not start, did not
    // end or crashed.
    int WaitForExit() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.waitForFinished(kGenerousWaitMs);
        }
        if (m_process.state() != QProcess::NotRunning ||
            m_process.error() == QProcess::FailedToStart ||
            m_process.exitStatus() != QProcess::NormalExit) {
            return -1;
        }
        Collect();
        return m_process.exitCode();
    }

    bool HasLine(const QString& line) const { return m_lines.contains(line); }
    bool Running() const { return m_process.state() == QProcess::Running; }
    void Kill() {
        m_process.kill();
        m_process.waitForFinished(kGenerousWaitMs);
    }
    QString Output() const { return m_lines.join(u'\n'); }

private:
    void Collect() {
        m_pending += QString::fromUtf8(m_process.readAll());
        const qsizetype lastBreak = m_pending.lastIndexOf(u'\n');
        if (m_process.state() == QProcess::NotRunning) {
            m_lines += m_pending.split(u'\n');
            m_pending.clear();
        } else if (lastBreak >= 0) {
            m_lines += m_pending.left(lastBreak).split(u'\n');
            m_pending.remove(0, lastBreak + 1);
        }
    }

    QProcess m_process;
    QString m_pending;
    QStringList m_lines;
};

class StartupProcessTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_dir.path().size() < 60) << "socket paths would get too long";
    }

    // A User.ini naming the device, and the environment that uses it.
    QProcessEnvironment Environment(const QString& deviceName,
                                    const QString& exitAfterMs = QStringLiteral("60000")) {
        const QString iniPath = m_dir.filePath(deviceName + QStringLiteral(".ini"));
        QFile ini(iniPath);
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[DeviceInfo]\r\nDeviceName=" + deviceName.toUtf8() + "\r\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        environment.insert(QStringLiteral("KSX_USER_INI"), iniPath);
        environment.insert(QStringLiteral("KSX_TRACE"), QStringLiteral("1"));
        environment.insert(QStringLiteral("KSX_MESSAGES"), QStringLiteral("stderr"));
        environment.insert(QStringLiteral("KSX_TEST_EXIT_AFTER_MS"), exitAfterMs);
        return environment;
    }

    static QStringList Arguments(const QString& address) {
        return {QStringLiteral("/Nhost"), QStringLiteral("/I") + address,
                QStringLiteral("/Rpublic"), QStringLiteral("/Wprivate")};
    }

    static QString Serving(const QString& deviceName, const QString& address) {
        return QStringLiteral("Single instance: serving Module:") + deviceName + address;
    }
    static QString Forwarded(const QString& deviceName, const QString& address) {
        return QStringLiteral("Single instance: Module:") + deviceName + address +
               QStringLiteral(" runs already, asked it to come forward");
    }

    QTemporaryDir m_dir;
};

TEST_F(StartupProcessTest, EmptyCommandLineIsRefusedWithAMessage) {
    ModuleProcess module({}, Environment(QStringLiteral("KSX-7700-52")));
    EXPECT_EQ(module.WaitForExit(), 1);
    EXPECT_TRUE(module.HasLine(QStringLiteral("No parameter input !"))) << module.Output();
    EXPECT_FALSE(module.Output().contains(QStringLiteral("Single instance"))) << module.Output();
}

TEST_F(StartupProcessTest, SecondStartForTheSameDeviceBringsTheFirstForward) {
    const auto environment = Environment(QStringLiteral("KSX-7700-52"));
    ModuleProcess first(Arguments(kAddress), environment);
    ASSERT_TRUE(first.WaitForLine(Serving(QStringLiteral("KSX-7700-52"), kAddress)))
        << first.Output();

    ModuleProcess second(Arguments(kAddress), environment);
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_TRUE(second.HasLine(Forwarded(QStringLiteral("KSX-7700-52"), kAddress)))
        << second.Output();
    EXPECT_FALSE(second.HasLine(Serving(QStringLiteral("KSX-7700-52"), kAddress)));

    EXPECT_TRUE(first.WaitForLine(QStringLiteral("activate"))) << first.Output();
    EXPECT_TRUE(first.Running());
}

TEST_F(StartupProcessTest, SimultaneousStartsLeaveOneModule) {
    const auto environment = Environment(QStringLiteral("KSX-7700-52"));
    std::vector<std::unique_ptr<ModuleProcess>> modules;
    for (int n = 0; n < 3; ++n) {
        modules.push_back(std::make_unique<ModuleProcess>(Arguments(kAddress), environment));
    }
    ModuleProcess* server = nullptr;
    for (const auto& module : modules) {
        if (module->WaitForLine(Serving(QStringLiteral("KSX-7700-52"), kAddress))) {
            EXPECT_EQ(server, nullptr) << "two modules serve the same device";
            server = module.get();
        } else {
            EXPECT_EQ(module->WaitForExit(), 0) << module->Output();
            EXPECT_TRUE(module->HasLine(Forwarded(QStringLiteral("KSX-7700-52"), kAddress)));
        }
    }
    ASSERT_NE(server, nullptr);
    EXPECT_TRUE(server->WaitForLine(QStringLiteral("activate"), 2)) << server->Output();
}

TEST_F(StartupProcessTest, OtherAddressOrOtherDeviceNameRunsItsOwnModule) {
    ModuleProcess first(Arguments(kAddress), Environment(QStringLiteral("KSX-7700-52")));
    ASSERT_TRUE(first.WaitForLine(Serving(QStringLiteral("KSX-7700-52"), kAddress)));

    ModuleProcess otherAddress(Arguments(QStringLiteral("10.0.0.6")),
                               Environment(QStringLiteral("KSX-7700-52")));
    EXPECT_TRUE(otherAddress.WaitForLine(Serving(QStringLiteral("KSX-7700-52"), "10.0.0.6")))
        << otherAddress.Output();
    ModuleProcess otherName(Arguments(kAddress), Environment(QStringLiteral("KSX-7700-28P")));
    EXPECT_TRUE(otherName.WaitForLine(Serving(QStringLiteral("KSX-7700-28P"), kAddress)))
        << otherName.Output();

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(otherAddress.Running());
    EXPECT_TRUE(otherName.Running());
    EXPECT_FALSE(first.HasLine(QStringLiteral("activate")));
}

TEST_F(StartupProcessTest, DeviceOfAProcessThatDiedIsTakenOver) {
    const auto environment = Environment(QStringLiteral("KSX-7700-52"));
    ModuleProcess crashed(Arguments(kAddress), environment);
    ASSERT_TRUE(crashed.WaitForLine(Serving(QStringLiteral("KSX-7700-52"), kAddress)));
    crashed.Kill(); // leaves its lock and socket files behind

    ModuleProcess successor(Arguments(kAddress), environment);
    ASSERT_TRUE(successor.WaitForLine(Serving(QStringLiteral("KSX-7700-52"), kAddress)))
        << successor.Output();
    ModuleProcess again(Arguments(kAddress), environment);
    EXPECT_EQ(again.WaitForExit(), 0);
    EXPECT_TRUE(successor.WaitForLine(QStringLiteral("activate"))) << successor.Output();
}

TEST_F(StartupProcessTest, ClosingTheWindowEndsTheProcessAndFreesTheDevice) {
    ModuleProcess first(Arguments(kAddress),
                        Environment(QStringLiteral("KSX-7700-52"), QStringLiteral("100")));
    EXPECT_EQ(first.WaitForExit(), 0);
    EXPECT_TRUE(first.HasLine(Serving(QStringLiteral("KSX-7700-52"), kAddress)));

    ModuleProcess next(Arguments(kAddress), Environment(QStringLiteral("KSX-7700-52")));
    EXPECT_TRUE(next.WaitForLine(Serving(QStringLiteral("KSX-7700-52"), kAddress)))
        << next.Output();
}

TEST_F(StartupProcessTest, OddCommandLinesStillStartTheModule) {
    QStringList thousandFields = {QStringLiteral("/Nhost"), QStringLiteral("/I10.0.0.9"),
                                  QStringLiteral("/R"),     QStringLiteral("/W"),
                                  QStringLiteral("/E"),     QStringLiteral("/V3")};
    while (thousandFields.size() < 1000) {
        thousandFields << QStringLiteral("/Kx");
    }
    const struct {
        QStringList arguments;
        QString address;
    } cases[] = {
        {{QStringLiteral("/")}, QString()},
        {{QStringLiteral("/Nhost"), QStringLiteral("/I")}, QString()},
        {{QStringLiteral("no slashes at all")}, QString()},
        {{QStringLiteral("/N\u00e4"), QStringLiteral("/I10.0.0.8/")}, QStringLiteral("10.0.0.8")},
        {thousandFields, QStringLiteral("10.0.0.9")},
    };
    for (const auto& c : cases) {
        ModuleProcess module(c.arguments,
                             Environment(QStringLiteral("KSX-7700-52"), QStringLiteral("100")));
        EXPECT_EQ(module.WaitForExit(), 0) << c.arguments.join(u' ').left(80);
        EXPECT_TRUE(module.HasLine(Serving(QStringLiteral("KSX-7700-52"), c.address)))
            << module.Output();
    }
}

} // namespace
