// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// An IPv4 address entered in four fields of up to three digits (objectNames "octet1" to
// "octet4"). A field holds 0..255 or nothing; a third digit, or a "." after a number, moves on
// to the next one. A number above 255 is refused with a message and the field keeps what it
// held; anything but digits gets the hint of number-only fields; a digit typed at a lone "0"
// replaces it.
#pragma once

#include <QWidget>

#include <array>

class QLineEdit;

class CIpAddressEdit : public QWidget {
    Q_OBJECT

public:
    explicit CIpAddressEdit(QWidget* parent = nullptr);

    // How many of the four fields hold a number.
    int FilledFieldCount() const;
    // The four numbers, first field first; an empty field counts as 0.
    std::array<int, 4> Fields() const;
    // "a.b.c.d" of Fields().
    QString Address() const;
    // Fills the fields from a dotted text; parts that are not 0..255 leave their field empty.
    void SetAddress(const QString& dotted);
    void Clear();
    QLineEdit* Field(int index) const { return m_fields[static_cast<std::size_t>(index)]; }

signals:
    void addressEdited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FieldEdited(int index);
    void FocusField(int index);

    std::array<QLineEdit*, 4> m_fields{};
    int m_advancedTo = -1; // the field a third digit moved the focus to, until the next key
};
