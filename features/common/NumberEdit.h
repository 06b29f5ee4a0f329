// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Edits that take digits only. A character that is not a digit is refused with a hint at the
// field at once (never dropped silently: "1-3" must not quietly become 13).
#pragma once

#include <QLineEdit>
#include <QValidator>

#include <functional>
#include <optional>

inline constexpr char kOnlyNumbersHint[] = "You can only type a number here.";

// Digits only, and (when a largest value is given) no number above it. Remembers why it
// refused a text until the edit's inputRejected signal takes it.
class CDigitsValidator : public QValidator {
    Q_OBJECT

public:
    enum class Refusal { None, NotANumber, AboveLargest };

    explicit CDigitsValidator(QObject* parent, std::optional<int> largest = std::nullopt);
    State validate(QString& input, int& position) const override;

    // Why the last text was refused (None once taken), and that text.
    Refusal TakeRefusal();
    const QString& RefusedText() const { return m_refusedText; }

private:
    std::optional<int> m_largest;
    mutable Refusal m_refusal = Refusal::None;
    mutable QString m_refusedText;
};

// Puts a CDigitsValidator on `edit` and shows kOnlyNumbersHint beside it when the user types
// or pastes anything else; a number above `largest` goes to `aboveLargest` (the edit keeps
// what it held).
void AcceptDigitsOnly(QLineEdit& edit, std::optional<int> largest = std::nullopt,
                      std::function<void(const QString& refused)> aboveLargest = {});

// Shows `text` in a balloon under `edit` (a QLabel child named "fieldHint"); it goes after a
// few seconds, with the next accepted edit, or when the field loses the focus. (A tooltip
// would vanish with the release of the very key that was refused.)
void ShowFieldHint(QLineEdit& edit, const QString& text);

class CNumberEdit : public QLineEdit {
    Q_OBJECT

public:
    // maxDigits 0: no limit beyond the edit's own.
    explicit CNumberEdit(QWidget* parent = nullptr, int maxDigits = 0);

    // The number typed, empty when the edit is empty or the number does not fit.
    std::optional<long long> Number() const;
    void SetNumber(long long number) { setText(QString::number(number)); }
};
