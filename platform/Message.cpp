// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Message.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace platform {
namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

QString& Title() {
    static QString title;
    return title;
}

QString BoxTitle() {
    return Title().isEmpty() ? QApplication::applicationName() : Title();
}

} // namespace

MessageResult ShowMessage(const QString& text, MessageKind kind) {
    if (Handler()) {
        return Handler()(text, kind);
    }
    QMessageBox box;
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowTitle(BoxTitle());
    box.setText(text);
    switch (kind) {
    case MessageKind::Ok:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageKind::OkCancelQuestion:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        break;
    case MessageKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    // The window that was active gets the keyboard back, as it would from a window manager
    // that knows the box belongs to it.
    const QPointer<QWidget> active = QApplication::activeWindow();
    const MessageResult result =
        box.exec() == QMessageBox::Ok ? MessageResult::Ok : MessageResult::Cancel;
    if (!active.isNull() && active->isVisible()) {
        active->activateWindow();
    }
    return result;
}

void SetMessageTitle(const QString& title) {
    Title() = title;
}

void SetMessageHandler(MessageHandler handler) {
    Handler() = std::move(handler);
}

} // namespace platform
