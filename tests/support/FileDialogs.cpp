// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "tests/support/FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace testsupport {

namespace {

void Answer(const QString& objectName, const QString& path, QStringList* offered,
            QStringList next) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, objectName, path, offered, next] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog->objectName() != objectName) {
            return;
        }
        timer->deleteLater();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        if (offered != nullptr) {
            *offered = {name->text(), dialog->directory().absolutePath()};
        }
        if (!path.isEmpty()) {
            name->setText(path); // typed into the dialog's file name field, as a user would
        }
        static_cast<QDialog*>(dialog)->done(path.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
        if (!next.isEmpty()) {
            Answer(objectName, next.front(), nullptr, next.mid(1));
        }
    });
    timer->start(20);
}

} // namespace

void AnswerFileDialog(const QString& objectName, const QString& path, QStringList* offered) {
    Answer(objectName, path, offered, {});
}

void AnswerFileDialogs(const QString& objectName, const QStringList& paths) {
    if (!paths.isEmpty()) {
        Answer(objectName, paths.front(), nullptr, paths.mid(1));
    }
}

} // namespace testsupport
