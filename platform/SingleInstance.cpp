// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/SingleInstance.h"

#include "platform/Trace.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace platform {
namespace {

constexpr char kActivateRequest[] = "activate\n";
constexpr qint64 kMaxRequestLength = 64;
constexpr int kSocketWaitMs = 1000;
// The holder of a fresh lock may not listen yet, or may be on its way out: try again for a
// while, then leave the device to it.
constexpr int kClaimAttempts = 20;
constexpr unsigned long kClaimRetryPauseMs = 100;

QString InstanceDirectory() {
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty()) {
        directory = QDir::tempPath();
    }
    return directory;
}

QString BaseName(const QString& instanceName) {
    const QByteArray digest =
        QCryptographicHash::hash(instanceName.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("ksx-module-%1-%2")
        .arg(::getuid())
        .arg(QString::fromLatin1(digest.left(32)));
}

} // namespace

SingleInstance::SingleInstance(const QString& instanceName, QObject* parent)
    : QObject(parent), m_basePath(InstanceDirectory() + u'/' + BaseName(instanceName)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::LockFilePath() const {
    return m_basePath + QStringLiteral(".lock");
}

QString SingleInstance::ServerPath() const {
    return m_basePath + QStringLiteral(".socket");
}

SingleInstance::Outcome SingleInstance::Claim() {
    for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
        switch (TryLock()) {
        case LockResult::Locked:
            StartServer();
            return Outcome::Serving;
        case LockResult::Unavailable:
            DebugTrace("Single instance: no lock file can be made, running unguarded");
            return Outcome::Serving;
        case LockResult::HeldByAnother:
            if (AskServerToActivate()) {
                return Outcome::AnotherIsServing;
            }
            break;
        }
        QThread::msleep(kClaimRetryPauseMs);
    }
    return Outcome::AnotherIsServing;
}

SingleInstance::LockResult SingleInstance::TryLock() {
    auto lock = std::make_unique<QLockFile>(LockFilePath());
    lock->setStaleLockTime(0); // stale only when its process is gone, never by age
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return LockResult::Locked;
    }
    return lock->error() == QLockFile::LockFailedError ? LockResult::HeldByAnother
                                                       : LockResult::Unavailable;
}

void SingleInstance::StartServer() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a process that died; the lock says it is ours now.
    QLocalServer::removeServer(ServerPath());
    if (!m_server->listen(ServerPath())) {
        DebugTrace("Single instance: cannot listen on " + ServerPath().toStdString() + ": " +
                   m_server->errorString().toStdString());
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
}

bool SingleInstance::AskServerToActivate() const {
    QLocalSocket socket;
    socket.connectToServer(ServerPath(), QIODevice::WriteOnly);
    if (!socket.waitForConnected(kSocketWaitMs)) {
        return false;
    }
    socket.write(kActivateRequest);
    const bool sent = socket.waitForBytesWritten(kSocketWaitMs);
    socket.disconnectFromServer();
    return sent;
}

void SingleInstance::AcceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequests(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        ReadRequests(socket);
    }
}

void SingleInstance::ReadRequests(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        if (socket->readLine(kMaxRequestLength + 1) == kActivateRequest) {
            emit activationRequested();
        }
    }
    if (socket->bytesAvailable() > kMaxRequestLength) {
        socket->abort(); // not one of ours
    }
}

} // namespace platform
