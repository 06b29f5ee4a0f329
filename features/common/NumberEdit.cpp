// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/NumberEdit.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <utility>

CDigitsValidator::CDigitsValidator(QObject* parent, std::optional<int> largest)
    : QValidator(parent), m_largest(largest) {}

QValidator::State CDigitsValidator::validate(QString& input, int& /*position*/) const {
    if (!std::ranges::all_of(input, [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        m_refusal = Refusal::NotANumber;
    } else if (m_largest && !input.isEmpty() && input.toLongLong() > *m_largest) {
        m_refusal = Refusal::AboveLargest;
    } else {
        return Acceptable;
    }
    m_refusedText = input;
    return Invalid;
}

CDigitsValidator::Refusal CDigitsValidator::TakeRefusal() {
    return std::exchange(m_refusal, Refusal::None);
}

namespace {

constexpr int kHintShownMs = 4000;

// Hides the balloon when its field loses the focus.
class CHintCloser : public QObject {
public:
    CHintCloser(QLineEdit& edit, QLabel& balloon) : QObject(&balloon), m_balloon(balloon) {
        edit.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut || event->type() == QEvent::Hide) {
            m_balloon.hide();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel& m_balloon;
};

QLabel* HintBalloon(QLineEdit& edit) {
    const QString name = QStringLiteral("fieldHint");
    if (auto* existing = edit.findChild<QLabel*>(name, Qt::FindDirectChildrenOnly)) {
        return existing;
    }
    auto* balloon = new QLabel(&edit, Qt::ToolTip | Qt::FramelessWindowHint);
    balloon->setObjectName(name);
    balloon->setPalette(QToolTip::palette());
    balloon->setAutoFillBackground(true);
    balloon->setFrameStyle(QFrame::Box | QFrame::Plain);
    balloon->setMargin(4);
    auto* timer = new QTimer(balloon);
    timer->setObjectName(QStringLiteral("hintTimer"));
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, balloon, &QWidget::hide);
    QObject::connect(&edit, &QLineEdit::textEdited, balloon, &QWidget::hide);
    new CHintCloser(edit, *balloon);
    return balloon;
}

} // namespace

void ShowFieldHint(QLineEdit& edit, const QString& text) {
    QLabel* balloon = HintBalloon(edit);
    balloon->setText(text);
    balloon->adjustSize();
    balloon->move(edit.mapToGlobal(QPoint(0, edit.height() + 2)));
    balloon->show();
    balloon->findChild<QTimer*>()->start(kHintShownMs);
}

void AcceptDigitsOnly(QLineEdit& edit, std::optional<int> largest,
                      std::function<void(const QString& refused)> aboveLargest) {
    auto* validator = new CDigitsValidator(&edit, largest);
    edit.setValidator(validator);
    // Emitted only for what the user typed or pasted, never for a text the program sets.
    QObject::connect(&edit, &QLineEdit::inputRejected, &edit,
                     [&edit, validator, aboveLargest = std::move(aboveLargest)] {
                         switch (validator->TakeRefusal()) {
                         case CDigitsValidator::Refusal::NotANumber:
                             ShowFieldHint(edit, QString::fromLatin1(kOnlyNumbersHint));
                             break;
                         case CDigitsValidator::Refusal::AboveLargest:
                             if (aboveLargest) {
                                 aboveLargest(validator->RefusedText());
                             }
                             break;
                         case CDigitsValidator::Refusal::None:
                             break;
                         }
                     });
}

CNumberEdit::CNumberEdit(QWidget* parent, int maxDigits) : QLineEdit(parent) {
    AcceptDigitsOnly(*this);
    if (maxDigits > 0) {
        setMaxLength(maxDigits);
    }
}

std::optional<long long> CNumberEdit::Number() const {
    bool isNumber = false;
    const long long number = text().toLongLong(&isNumber);
    return isNumber ? std::optional<long long>(number) : std::nullopt;
}
