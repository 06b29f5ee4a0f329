// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/DialogKit.h"

#include "features/common/ReportList.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

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

QComboBox* NumberCombo(QWidget* parent, const char* objectName, int first, int last) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(objectName));
    AddNumbers(*combo, first, last);
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    return combo;
}

void AddNumbers(QComboBox& combo, int first, int last) {
    for (int number = first; number <= last; ++number) {
        combo.addItem(QString::number(number), QVariant::fromValue(static_cast<qlonglong>(number)));
    }
}

bool SelectOffered(QComboBox& combo, long value) {
    const int index = combo.findData(QVariant::fromValue(static_cast<qlonglong>(value)));
    if (index >= 0) {
        combo.setCurrentIndex(index);
    }
    return index >= 0;
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

namespace {

// The value a two-valued widget shows although it is neither of its pair.
constexpr const char* kReportedStateProperty = "kitReportedState";
constexpr const char* kClickChoosesProperty = "kitClickChooses";

long ReportedState(const QObject& widget, long fallback) {
    const QVariant value = widget.property(kReportedStateProperty);
    return value.isValid() ? static_cast<long>(value.toLongLong()) : fallback;
}

void SetReportedState(QObject& widget, std::optional<long> value) {
    widget.setProperty(kReportedStateProperty,
                       value ? QVariant::fromValue(static_cast<qlonglong>(*value)) : QVariant());
}

void UncheckBoth(QRadioButton& on, QRadioButton& off) {
    QButtonGroup* group = on.group();
    if (group != nullptr) {
        group->setExclusive(false);
    }
    for (QRadioButton* button : {&on, &off}) {
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(exclusive);
    }
    if (group != nullptr) {
        group->setExclusive(true);
    }
}

} // namespace

void ShowState(QCheckBox& box, std::optional<long> reported, StatePair pair) {
    const long value = reported.value_or(pair.off);
    const bool known = value == pair.on || value == pair.off;
    SetReportedState(box, known ? std::nullopt : reported);
    box.setTristate(!known);
    box.setCheckState(!known ? Qt::PartiallyChecked
                             : (value == pair.on ? Qt::Checked : Qt::Unchecked));
    if (!known && !box.property(kClickChoosesProperty).toBool()) {
        // Once clicked the box is on or off again: the administrator chose.
        box.setProperty(kClickChoosesProperty, true);
        QObject::connect(&box, &QCheckBox::clicked, &box, [&box] { box.setTristate(false); });
    }
}

long StateValue(const QCheckBox& box, StatePair pair) {
    switch (box.checkState()) {
    case Qt::Checked:
        return pair.on;
    case Qt::Unchecked:
        return pair.off;
    default:
        return ReportedState(box, pair.off);
    }
}

void ShowState(QRadioButton& on, QRadioButton& off, std::optional<long> reported, StatePair pair) {
    const long value = reported.value_or(pair.off);
    const bool known = value == pair.on || value == pair.off;
    SetReportedState(on, known ? std::nullopt : reported);
    if (known) {
        (value == pair.on ? on : off).setChecked(true);
    } else {
        UncheckBoth(on, off);
    }
}

long StateValue(const QRadioButton& on, const QRadioButton& off, StatePair pair) {
    if (on.isChecked()) {
        return pair.on;
    }
    return off.isChecked() ? pair.off : ReportedState(on, pair.off);
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
