// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "platform/Message.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

QString BoxTitle() {
    return QApplication::applicationName();
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
    return box.exec() == QMessageBox::Ok ? MessageResult::Ok : MessageResult::Cancel;
}

void SetMessageHandler(MessageHandler handler) {
    Handler() = std::move(handler);
}

} // namespace platform
