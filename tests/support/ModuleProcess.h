// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A real ksx-module process (or another program), its debug lines and message boxes read from
// its output.
#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <functional>
#include <string>

namespace testsupport {

class ModuleProcess {
public:
    static constexpr int kGenerousWaitMs = 120000; // only a failing test waits this long

    // Traces and messages printed, the User.ini at `iniPath`, runtime files in `runtimeDir`.
    static QProcessEnvironment Environment(const QString& iniPath, const QString& runtimeDir,
                                           const QString& platform = "offscreen") {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair<QString, QString>{"QT_QPA_PLATFORM", platform},
                                          {"XDG_RUNTIME_DIR", runtimeDir},
                                          {"KSX_USER_INI", iniPath},
                                          {"KSX_TRACE", "1"},
                                          {"KSX_MESSAGES", "stderr"}}) {
            environment.insert(name, value);
        }
        return environment;
    }

    ModuleProcess(const QStringList& arguments, const QProcessEnvironment& environment,
                  const QString& program = QStringLiteral(KSX_MODULE_EXE)) {
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(program, arguments);
    }
    ~ModuleProcess() { Kill(); }

    // Waits until the process printed `line` (a whole line) `times` times; false if it ended
    // before.
    bool WaitForLine(const QString& line, qsizetype times = 1) {
        return WaitFor([&] { return Count(line) >= times; });
    }
    bool WaitFor(const std::function<bool()>& done) {
        QDeadlineTimer deadline(kGenerousWaitMs);
        while (!done() && Running() && !deadline.hasExpired()) {
            m_process.waitForReadyRead(100);
        }
        return done();
    }

    // The exit code once the process has ended by itself; -1 when it did not start, did not
    // end or crashed.
    int WaitForExit() {
        m_process.waitForFinished(kGenerousWaitMs);
        const bool ended = !Running() && m_process.error() != QProcess::FailedToStart &&
                           m_process.exitStatus() == QProcess::NormalExit;
        return ended ? m_process.exitCode() : -1;
    }

    // The whole lines printed so far (the last one too once the process has ended).
    QStringList Lines() {
        m_output += QString::fromUtf8(m_process.readAll());
        QStringList lines = m_output.split(u'\n');
        if (Running()) {
            lines.removeLast(); // not ended yet
        }
        return lines;
    }
    qsizetype Count(const QString& line) { return Lines().count(line); }
    bool HasLine(const QString& line) { return Lines().contains(line); }
    QString Text() { return Lines().join(u'\n'); }
    std::string Output() { return Text().toStdString(); }
    bool Running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 Pid() const { return m_process.processId(); }
    void Terminate() { m_process.terminate(); }
    void Kill() {
        m_process.kill();
        m_process.waitForFinished(kGenerousWaitMs);
    }

private:
    QProcess m_process;
    QString m_output;
};

} // namespace testsupport
