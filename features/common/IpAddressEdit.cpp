// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/IpAddressEdit.h"

#include "features/common/Messages.h"
#include "features/common/NumberEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kMaxOctet = 255;

QLineEdit* MakeField(QWidget* parent, int index) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("octet%1").arg(index + 1));
    field->setMaxLength(3);
    field->setAlignment(Qt::AlignCenter);
    // An octet above 255 is refused at once, never changed into another address.
    AcceptDigitsOnly(*field, kMaxOctet, [](const QString& refused) {
        ShowOk(QStringLiteral("%1 is not a valid entry. Please specify a value between 0 and 255.")
                   .arg(refused));
    });
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
    return field;
}

} // namespace

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        }
        QLineEdit* field = MakeField(this, i);
        m_fields[static_cast<std::size_t>(i)] = field;
        layout->addWidget(field);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textEdited, this, [this, i] { FieldEdited(i); });
    }
    setFocusProxy(m_fields[0]);
}

int CIpAddressEdit::FilledFieldCount() const {
    int filled = 0;
    for (const QLineEdit* field : m_fields) {
        filled += field->text().isEmpty() ? 0 : 1;
    }
    return filled;
}

std::array<int, 4> CIpAddressEdit::Fields() const {
    std::array<int, 4> numbers{};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        numbers[i] = m_fields[i]->text().toInt();
    }
    return numbers;
}

QString CIpAddressEdit::Address() const {
    const std::array<int, 4> numbers = Fields();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(numbers[0])
        .arg(numbers[1])
        .arg(numbers[2])
        .arg(numbers[3]);
}

void CIpAddressEdit::SetAddress(const QString& dotted) {
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        bool isNumber = false;
        const int number = i < static_cast<std::size_t>(parts.size())
                               ? parts[static_cast<int>(i)].toInt(&isNumber)
                               : 0;
        const bool valid = isNumber && number >= 0 && number <= kMaxOctet;
        m_fields[i]->setText(valid ? QString::number(number) : QString());
    }
}

void CIpAddressEdit::Clear() {
    for (QLineEdit* field : m_fields) {
        field->clear();
    }
}

void CIpAddressEdit::FieldEdited(int index) {
    QLineEdit* field = m_fields[static_cast<std::size_t>(index)];
    if (field->text().size() == 3) {
        FocusField(index + 1);
        m_advancedTo = index + 1;
    }
    emit addressEdited();
}

void CIpAddressEdit::FocusField(int index) {
    if (index >= 0 && index < static_cast<int>(m_fields.size())) {
        m_fields[static_cast<std::size_t>(index)]->setFocus();
        m_fields[static_cast<std::size_t>(index)]->selectAll();
    }
}

bool CIpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (watched != m_fields[i]) {
                continue;
            }
            // A "." right after a third digit has moved on already belongs to that move,
            // whatever the next field holds.
            const bool justAdvanced = m_advancedTo == static_cast<int>(i);
            m_advancedTo = -1;
            if (key->text() == QStringLiteral(".")) {
                if (!justAdvanced && !m_fields[i]->text().isEmpty()) {
                    FocusField(static_cast<int>(i) + 1);
                }
                return true;
            }
            // A digit typed at a lone "0" replaces it ("010" would read as 10 anyway).
            if (key->text().size() == 1 && key->text()[0] >= u'0' && key->text()[0] <= u'9' &&
                m_fields[i]->text() == QStringLiteral("0") && !m_fields[i]->hasSelectedText()) {
                m_fields[i]->clear();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
