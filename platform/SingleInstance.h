// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace platform {

// Keeps one process per instance name and user. The process that serves the name holds a lock
// file and listens on a local socket, both named after it in the user's runtime directory (the
// temp directory when there is none); a later start connects and asks it to come forward. A
// lock left behind by a process that died is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Serving,          // this process holds the name (or no lock can be made at all)
        AnotherIsServing, // a live process holds it and has been asked to come forward
    };

    explicit SingleInstance(const QString& instanceName, QObject* parent = nullptr);
    ~SingleInstance() override;

    Outcome Claim();

    // Where the lock and the socket live; the name part is a digest of the instance name,
    // which may hold any character and be longer than a socket path allows.
    QString LockFilePath() const;
    QString ServerPath() const;

signals:
    // Another start of the same instance asked this one to come to the front.
    void activationRequested();

private:
    enum class LockResult { Locked, HeldByAnother, Unavailable };

    LockResult TryLock();
    void StartServer();
    bool AskServerToActivate() const;
    void AcceptConnections();
    void ReadRequests(QLocalSocket* socket);

    QString m_basePath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace platform
