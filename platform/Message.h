// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include <QString>

#include <functional>

namespace platform {

enum class MessageKind {
    Ok,               // warning box, OK button only
    OkCancelQuestion, // question icon, OK and Cancel, Cancel is the default
    Information,      // information icon, OK button only
};

enum class MessageResult { Ok, Cancel };

// Every message box of the program goes through here. The GUI shows a topmost QMessageBox;
// a handler installed by a test answers instead and sees the exact text.
MessageResult ShowMessage(const QString& text, MessageKind kind = MessageKind::Ok);

// The title of every message box from now on (start-up names the device the module serves,
// so that with several modules open each box says which switch it is about). Until it is set
// the boxes carry the program's name.
void SetMessageTitle(const QString& title);

using MessageHandler = std::function<MessageResult(const QString& text, MessageKind kind)>;
// Installs a handler (an empty function restores the message boxes). Call on the UI thread.
void SetMessageHandler(MessageHandler handler);

} // namespace platform
