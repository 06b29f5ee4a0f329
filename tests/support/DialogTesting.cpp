// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/support/DialogTesting.h"

#include "features/common/Repainting.h"
#include "platform/Trace.h"
#include "snmp/Snmp.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

#if defined(__SANITIZE_THREAD__)
// Qt of the distribution is not built with the thread sanitizer: the locks that order what
// its own code allocates, copies and frees are invisible, so only the program's own accesses
// are checked.
extern "C" const char* __tsan_default_options() {
    return "ignore_noninstrumented_modules=1";
}
#endif

namespace testsupport {

MessageScript::MessageScript() {
    platform::SetMessageHandler([this](const QString& text, platform::MessageKind kind) {
        m_texts.push_back(text.toStdString());
        m_kinds.push_back(kind);
        if (m_answers.empty()) {
            return platform::MessageResult::Ok;
        }
        const platform::MessageResult answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    });
}

MessageScript::~MessageScript() {
    platform::SetMessageHandler({});
}

void MessageScript::Answer(std::initializer_list<platform::MessageResult> answers) {
    m_answers.insert(m_answers.end(), answers.begin(), answers.end());
}

std::vector<std::string> MessageScript::TakeTexts() {
    m_kinds.clear();
    return std::exchange(m_texts, {});
}

TraceCapture::TraceCapture() {
    platform::SetTraceSink([this](const std::string& line) {
        std::lock_guard lock(m_mutex);
        m_lines.push_back(line);
    });
}

TraceCapture::~TraceCapture() {
    platform::SetTraceSink({});
}

std::vector<std::string> TraceCapture::Lines() const {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

bool TraceCapture::Contains(const std::string& line) const {
    std::lock_guard lock(m_mutex);
    return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
}

std::vector<std::string> TraceCapture::LinesFrom(const std::string& first) const {
    std::lock_guard lock(m_mutex);
    const auto start = std::find(m_lines.begin(), m_lines.end(), first);
    return std::vector<std::string>(start, m_lines.end());
}

void TraceCapture::Clear() {
    std::lock_guard lock(m_mutex);
    m_lines.clear();
}

bool WaitUntil(const std::function<bool()>& condition, int limitMs) {
    QDeadlineTimer deadline(limitMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents();
        QTest::qSleep(1);
    }
    return true;
}

void ProcessEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

void ReportMissingWidget(const QString& objectName) {
    ADD_FAILURE() << "no widget named " << objectName.toStdString();
}

QWidget* FindAny(const QWidget* root, const QString& objectName) {
    return root == nullptr ? nullptr : root->findChild<QWidget*>(objectName);
}

bool Click(const QWidget* root, const QString& objectName) {
    QWidget* widget = Find<QWidget>(root, objectName);
    if (widget == nullptr || !widget->isVisible() || !widget->isEnabled()) {
        return false;
    }
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    return true;
}

bool Type(const QWidget* root, const QString& objectName, const QString& text) {
    auto* edit = Find<QLineEdit>(root, objectName);
    if (edit == nullptr || !edit->isEnabled()) {
        return false;
    }
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    return true;
}

bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

bool TypeKeys(const QString& text) {
    for (const QChar key : text) {
        QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            return false;
        }
        QTest::keyClick(focus, key.toLatin1());
    }
    return true;
}

bool Choose(QComboBox* combo, const QString& text) {
    if (combo == nullptr || !combo->isVisible() || !combo->isEnabled()) {
        return false;
    }
    const int index = combo->findText(text);
    if (index < 0) {
        return false;
    }
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    // Down the open list to the item, then Enter (a click right after opening is ignored).
    view->setCurrentIndex(view->model()->index(index, combo->modelColumn(), view->rootIndex()));
    QTest::keyClick(view, Qt::Key_Return);
    ProcessEvents();
    return combo->currentIndex() == index;
}

bool Choose(const QWidget* root, const QString& objectName, const QString& text) {
    return Choose(Find<QComboBox>(root, objectName), text);
}

bool ClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    if (item == nullptr) {
        return false;
    }
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(item).center());
    return list->currentItem() == item;
}

TextRows ListRows(const QTreeWidget* list) {
    TextRows rows;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        std::vector<std::string>& cells = rows.emplace_back();
        for (int column = 0; column < list->columnCount(); ++column) {
            cells.push_back(list->topLevelItem(row)->text(column).toStdString());
        }
    }
    return rows;
}

std::vector<std::string> ListHeaders(const QTreeWidget* list) {
    std::vector<std::string> headers;
    for (int column = 0; column < list->columnCount(); ++column) {
        headers.push_back(list->headerItem()->text(column).toStdString());
    }
    return headers;
}

QScopeGuard<std::function<void()>> SetEnvironment(const char* name,
                                                  const std::optional<QByteArray>& value) {
    const auto put = [name](const std::optional<QByteArray>& text) {
        return text ? qputenv(name, *text) : qunsetenv(name);
    };
    const std::optional<QByteArray> old =
        qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    put(value);
    return QScopeGuard<std::function<void()>>([put, old] { put(old); });
}

void WhenModalOpens(const QWidget* below, std::function<void(QDialog& opened)> act) {
    constexpr int kPollMs = 5;
    constexpr int kGiveUpPolls = 60000 / kPollMs;
    auto* timer = new QTimer;
    timer->setInterval(kPollMs);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, below, act = std::move(act), polls = 0]() mutable {
                         auto* opened = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                         // Not while a read waits below on the stack: `act` may wait for the
                         // dialog's reads.
                         if (opened == nullptr || opened == below || !opened->isVisible() ||
                             kit::IsWaitingRepainting()) {
                             if (++polls == kGiveUpPolls) {
                                 ADD_FAILURE() << "no dialog opened";
                                 timer->deleteLater();
                                 timer->stop();
                             }
                             return;
                         }
                         timer->stop();
                         timer->deleteLater();
                         act(*opened);
                     });
    timer->start();
}

int RunDialogTests(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    SnmpInit();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace testsupport
