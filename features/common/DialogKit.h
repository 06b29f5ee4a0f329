// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Construction helpers of the feature dialogs: one layout style for all of them.
//
//   auto* group = kit::Group(this, "Port Configuration", "portConfigurationGroup");
//   auto* form = new QGridLayout(group);
//   m_pPortIdEdit = kit::Edit(group, "portIdEdit", /*readOnly=*/true);
//   kit::AddFormRow(*form, 0, "Port ID:", m_pPortIdEdit);
//   m_pSpeedCombo = kit::Combo(group, "speedCombo", portconfig::kSpeed);
//   layout->addLayout(kit::ButtonRow({RefreshButton(), ApplyButton(), CloseButton()}));
//
// Combos made from a CEnumTable carry the raw value as item data: ComboValue reads it back
// and SelectValue picks the item of a value, so no display text is parsed.
#pragma once

#include "features/common/EnumTable.h"

#include <QString>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CReportList;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kit {

QGroupBox* Group(QWidget* parent, const QString& title, const char* objectName);
QLineEdit* Edit(QWidget* parent, const char* objectName, bool readOnly = false, int maxLength = -1);
// Makes a field read-only and look it: the window's background instead of the white of a
// field that takes input (the text can still be selected and copied).
void MakeReadOnly(QLineEdit& edit);
// The combo texts of `table` in table order, each with its value as item data; the first
// item is current.
QComboBox* Combo(QWidget* parent, const char* objectName, const CEnumTable& table);
// Plain text items (a port list, years, ...) with their index as item data.
QComboBox* Combo(QWidget* parent, const char* objectName, std::initializer_list<QString> items);

// The numbers from `first` to `last`, each with its number as item data; the first is current.
QComboBox* NumberCombo(QWidget* parent, const char* objectName, int first, int last);
// Adds the numbers from `first` to `last` to `combo`, each with its number as item data.
void AddNumbers(QComboBox& combo, int first, int last);

// The value of the current item; nothing when no item is current.
std::optional<long> ComboValue(const QComboBox& combo);
// Makes the item of `value` current when the combo has one; false (nothing changes) otherwise.
bool SelectOffered(QComboBox& combo, long value);
// Makes the item of `value` current. A value the combo has no item for (the switch reported a
// value outside the table) gets an item of its own showing its number, so that what is shown is
// what the switch holds and an Apply writes it back unchanged; that item goes away once another
// value is selected. False for such a value.
bool SelectValue(QComboBox& combo, long value);

// A two-valued object (enabled 1 / disabled 2, on / off, ...) in a check box or a pair of radio
// buttons. A value that is neither (the switch reported one outside the pair) shows the box
// partly checked, or neither button checked, and StateValue gives that value back unchanged
// until the administrator chooses; an Apply without a change writes it back as it was. No value
// (none could be read) shows the box unchecked, the buttons as "off".
struct StatePair {
    long on = 1;
    long off = 2;
};
void ShowState(QCheckBox& box, std::optional<long> value, StatePair pair = {});
long StateValue(const QCheckBox& box, StatePair pair = {});
void ShowState(QRadioButton& on, QRadioButton& off, std::optional<long> value, StatePair pair = {});
long StateValue(const QRadioButton& on, const QRadioButton& off, StatePair pair = {});

// A label and its field in one row of a form grid, the label as the field's buddy (its
// mnemonic moves the focus there). Returns the label. `column` counts label-field pairs.
QLabel* AddFormRow(QGridLayout& grid, int row, const QString& label, QWidget* field,
                   int column = 0);

// The dialog's button row: right-aligned, in the order given.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);

// A push button that is never the default of the dialog (Enter in a field does not press it).
QPushButton* Button(QWidget* parent, const QString& text, const char* objectName);

// A report list with centred columns of fixed widths {header, width}, grid lines drawn.
CReportList* CentredList(QWidget* parent, const char* objectName,
                         const std::vector<std::pair<QString, int>>& columns);

// The wait cursor while it lives (a synchronous write).
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// A text of a data class as the widgets show it.
inline QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace kit
