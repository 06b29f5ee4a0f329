// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "features/common/ReportList.h"
#include "tests/support/DialogFixture.h"

#include <QPushButton>

#include <string>
#include <vector>

namespace securitytest {

inline const std::string P = "1.3.6.1.4.1.99999.10.76.17";

class SecurityFixture : public testsupport::DialogFixture {
protected:
    testsupport::SimFixture::Options SimulatorOptions() override { return {"KSX-7700-28", {}}; }

    // Types a dotted address into the four fields of an address control.
    static bool TypeAddress(QWidget* dialog, const char* control, const std::string& dotted) {
        QWidget* edit = testsupport::FindAny(dialog, QString::fromLatin1(control));
        const QStringList parts = QString::fromStdString(dotted).split('.');
        for (int i = 0; i < 4 && edit != nullptr; ++i) {
            if (!testsupport::Type(edit, QStringLiteral("octet%1").arg(i + 1),
                                   i < parts.size() ? parts[i] : QString())) {
                return false;
            }
        }
        return edit != nullptr;
    }
};

} // namespace securitytest
