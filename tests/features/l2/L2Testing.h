// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// What the layer-2 dialog tests share: a simulator of a chosen model with data over its
// defaults, the set log as binding texts, and Apply with the boxes it showed.
#pragma once

#include "tests/support/DialogFixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

namespace l2test {

inline const std::string P = "1.3.6.1.4.1.99999.10.76.17";
inline const std::string B = "1.3.6.1.2.1.17.2";

inline std::string Int(const std::string& oid, long value) {
    return oid + " = INTEGER: " + std::to_string(value);
}
inline std::string Line(const std::string& oid, long value) {
    return oid + "|2|" + std::to_string(value);
}
// Trunk group `group` made of the ports of the hex PortList text.
inline std::string Trunk(int group, const std::string& hex) {
    return P + ".8.1.3.1.2." + std::to_string(group) + "|4x|" + hex;
}

class L2DialogTest : public testsupport::DialogFixture {
protected:
    // Toggles a check box or picks a radio button as a click on its text does.
    static bool Tick(QWidget* dialog, const char* button) {
        auto* widget = testsupport::Find<QAbstractButton>(dialog, QString::fromLatin1(button));
        const bool usable = widget != nullptr && widget->isEnabled();
        if (usable) {
            widget->click();
        }
        return usable;
    }
};

// The text of a line edit.
inline std::string Text(QWidget* dialog, const char* edit) {
    return testsupport::Find<QLineEdit>(dialog, QString::fromLatin1(edit))->text().toStdString();
}

} // namespace l2test
