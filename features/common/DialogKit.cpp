// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/DialogKit.h"

#include "features/common/ReportList.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace kit {

QGroupBox* Group(QWidget* parent, const QString& title, const char* objectName) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(QString::fromLatin1(objectName));
    return group;
}

QLineEdit* Edit(QWidget* parent, const char* objectName, bool readOnly, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    if (readOnly) {
        MakeReadOnly(*edit);
    }
    if (maxLength >= 0) {
        edit->setMaxLength(maxLength);
    }
    return edit;
}

void MakeReadOnly(QLineEdit& edit) {
    edit.setReadOnly(true);
    QPalette palette = edit.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Window));
    }
    edit.setPalette(palette);
}

QComboBox* Combo(QWidget* parent, const char* objectName, const CEnumTable& table) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    for (const EnumEntry& entry : table.ComboEntries()) {
        combo->addItem(
            QString::fromUtf8(entry.combo.data(), static_cast<qsizetype>(entry.combo.size())),
            QVariant::fromValue(static_cast<qlonglong>(entry.value)));
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    return combo;
}

QComboBox* Combo(QWidget* parent, const char* objectName, std::initializer_list<QString> items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    qlonglong index = 0;
    for (const QString& item : items) {
        combo->addItem(item, QVariant::fromValue(index++));
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    return combo;
}

std::optional<long> ComboValue(const QComboBox& combo) {
    const QVariant data = combo.currentData();
    bool ok = false;
    const qlonglong value = data.toLongLong(&ok);
    if (combo.currentIndex() < 0 || !ok) {
        return std::nullopt;
    }
    return static_cast<long>(value);
}

namespace {

// Marks the item SelectValue added for a value outside the combo's table.
constexpr int kReportedValueRole = Qt::UserRole + 1;

void RemoveReportedValues(QComboBox& combo) {
    for (int i = combo.count() - 1; i >= 0; --i) {
        if (combo.itemData(i, kReportedValueRole).toBool()) {
            combo.removeItem(i);
        }
    }
}

} // namespace

bool SelectValue(QComboBox& combo, long value) {
    const QVariant data = QVariant::fromValue(static_cast<qlonglong>(value));
    int index = combo.findData(data);
    if (index >= 0 && combo.itemData(index, kReportedValueRole).toBool()) {
        combo.setCurrentIndex(index);
        return false;
    }
    RemoveReportedValues(combo);
    index = combo.findData(data);
    const bool known = index >= 0;
    if (!known) {
        combo.addItem(QString::number(value), data);
        index = combo.count() - 1;
        combo.setItemData(index, true, kReportedValueRole);
    }
    combo.setCurrentIndex(index);
    return known;
}

QLabel* AddFormRow(QGridLayout& grid, int row, const QString& label, QWidget* field, int column) {
    auto* text = new QLabel(label, field != nullptr ? field->parentWidget() : nullptr);
    text->setBuddy(field);
    grid.addWidget(text, row, 2 * column);
    grid.addWidget(field, row, 2 * column + 1);
    grid.setColumnStretch(2 * column + 1, 1);
    return text;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons) {
        row->addWidget(button);
    }
    return row;
}

QPushButton* Button(QWidget* parent, const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

CReportList* CentredList(QWidget* parent, const char* objectName,
                         const std::vector<std::pair<QString, int>>& columns) {
    auto* list = new CReportList(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    QList<ReportColumn> reportColumns;
    for (const auto& [header, width] : columns) {
        reportColumns.push_back({header, width, Qt::AlignCenter});
    }
    list->SetColumns(reportColumns);
    list->ShowGridLines();
    return list;
}

WaitCursor::WaitCursor() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    QGuiApplication::restoreOverrideCursor();
}

} // namespace kit
