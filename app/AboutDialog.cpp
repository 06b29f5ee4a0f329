// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "app/AboutDialog.h"

#include "platform/Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QString::fromLatin1(kAboutCaption));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QString::fromLatin1(kAboutText), this);
    text->setObjectName(QStringLiteral("aboutText"));
    layout->addWidget(text);
    auto* version = new QLabel(QStringLiteral("Version ") + QLatin1String(kKsxVersion), this);
    version->setObjectName(QStringLiteral("aboutVersion"));
    layout->addWidget(version);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setObjectName(QStringLiteral("aboutButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
