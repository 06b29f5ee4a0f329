// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A real ksx-module process with its debug lines and message boxes on its output, for the
// tests of the start-up and of closing.
#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace testsupport {

// The environment of a module: offscreen, its User.ini and single-instance files under our
// control, traces and messages printed; `exitAfterMs` closes its window after that long.
inline QProcessEnvironment ModuleEnvironment(const QString& runtimeDir, const QString& userIni,
                                             const QString& exitAfterMs = QString()) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    environment.insert(QStringLiteral("KSX_USER_INI"), userIni);
    environment.insert(QStringLiteral("KSX_TRACE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("KSX_MESSAGES"), QStringLiteral("stderr"));
    if (!exitAfterMs.isEmpty()) {
        environment.insert(QStringLiteral("KSX_TEST_EXIT_AFTER_MS"), exitAfterMs);
    }
    return environment;
}

class ModuleProcess {
public:
    static constexpr int kGenerousWaitMs = 60000; // only a failing test waits this long

    ModuleProcess(const QStringList& arguments, const QProcessEnvironment& environment) {
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral(KSX_MODULE_EXE), arguments);
    }
    ~ModuleProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            Kill();
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

    qsizetype Count(const QString& line) const { return m_lines.count(line); }
    bool HasLine(const QString& line) const { return m_lines.contains(line); }
    bool Running() const { return m_process.state() != QProcess::NotRunning; }
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

} // namespace testsupport
