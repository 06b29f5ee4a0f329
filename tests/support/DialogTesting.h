// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Driving dialogs in tests, headless: message boxes answered from a script and recorded,
// the debug trace captured, widgets found by objectName, typed into and clicked, and the
// event loop run until something has happened.
#pragma once

#include "platform/Message.h"

#include <QByteArray>
#include <QComboBox>
#include <QDialog>
#include <QScopeGuard>
#include <QString>
#include <QTreeWidget>
#include <QWidget>

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// Answers every message box instead of showing it: with the scripted answers in turn, then
// with OK. Records each text and kind. One at a time; removes itself when destroyed.
class MessageScript {
public:
    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    // The answers of the next boxes, in order.
    void Answer(std::initializer_list<platform::MessageResult> answers);
    // Texts shown so far (and forgets them).
    std::vector<std::string> TakeTexts();
    const std::vector<std::string>& Texts() const { return m_texts; }
    const std::vector<platform::MessageKind>& Kinds() const { return m_kinds; }

private:
    std::deque<platform::MessageResult> m_answers;
    std::vector<std::string> m_texts;
    std::vector<platform::MessageKind> m_kinds;
};

// Collects the debug trace lines of every thread while it exists.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::vector<std::string> Lines() const;
    bool Contains(const std::string& line) const;
    // The lines from the first one equal to `first` on (empty when it never came).
    std::vector<std::string> LinesFrom(const std::string& first) const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

// Runs the event loop until `condition` holds; false when it still does not after limitMs.
bool WaitUntil(const std::function<bool()>& condition, int limitMs = 20000);
// Runs the events that are due now.
void ProcessEvents();
// Runs `act` once a modal dialog other than `below` is shown (the button that opens it may
// read the switch first, the window repainting meanwhile); a failure when none comes.
void WhenModalOpens(const QWidget* below, std::function<void(QDialog& opened)> act);

// The child of `root` with this objectName and type; null (and a test failure) when none.
template <class Widget> Widget* Find(const QWidget* root, const QString& objectName);
QWidget* FindAny(const QWidget* root, const QString& objectName);

// A left click in the middle of the widget. False when it is missing, hidden or disabled.
bool Click(const QWidget* root, const QString& objectName);
// Shows a window (a dialog opened headless) and makes it the active one, so that it has the
// keyboard focus. False when it does not become active.
bool ShowActive(QWidget* window);
// Empties the edit and types `text` key by key.
bool Type(const QWidget* root, const QString& objectName, const QString& text);
// Types `text` key by key into whatever has the focus, as it moves.
bool TypeKeys(const QString& text);
// Opens the combo's list and takes the item that reads `text`, as a user does.
bool Choose(QComboBox* combo, const QString& text);
bool Choose(const QWidget* root, const QString& objectName, const QString& text);

// A left click on the list's row (scrolled into view); false when there is no such row or it
// did not become the current one.
bool ClickRow(QTreeWidget* list, int row);

// Message texts, the bindings of a request and the like.
using Texts = std::vector<std::string>;
// The texts of a list, row by row and cell by cell, and of its header.
using TextRows = std::vector<std::vector<std::string>>;
TextRows ListRows(const QTreeWidget* list);
std::vector<std::string> ListHeaders(const QTreeWidget* list);

// Sets an environment variable (removes it, given nullopt) until the guard ends.
QScopeGuard<std::function<void()>> SetEnvironment(const char* name,
                                                  const std::optional<QByteArray>& value);

// Sets up what a dialog test process needs (an offscreen QApplication, the SNMP library) and
// runs the tests.
int RunDialogTests(int argc, char** argv);

void ReportMissingWidget(const QString& objectName);

template <class Widget> Widget* Find(const QWidget* root, const QString& objectName) {
    auto* widget = qobject_cast<Widget*>(FindAny(root, objectName));
    if (widget == nullptr) {
        ReportMissingWidget(objectName);
    }
    return widget;
}

} // namespace testsupport
