// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/PortGrid.h"

#include "features/common/Messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <QKeyEvent>

#include <algorithm>
#include <functional>

namespace {

class CEnterTaker : public QObject {
public:
    CEnterTaker(QLineEdit& edit, std::function<void()> take)
        : QObject(&edit), m_take(std::move(take)) {
        edit.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_take();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_take;
};

} // namespace

CPortGrid::CPortGrid(int portCount, QWidget* parent)
    : QWidget(parent), m_portCount(std::max(0, portCount)) {
    Build({{QString(), QStringLiteral("port")}}, false);
}

CPortGrid::CPortGrid(const QList<PortChoice>& choices, int portCount, QWidget* parent)
    : QWidget(parent), m_portCount(std::max(0, portCount)), m_radio(true) {
    Build(choices, true);
}

int CPortGrid::SecondRowStart(int portCount) {
    return portCount > kPortsInOneRow ? portCount / 2 + 1 : 0;
}

void CPortGrid::Build(const QList<PortChoice>& choices, bool radio) {
    m_choices = choices;
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    const int secondRow = SecondRowStart(m_portCount);
    const int rowsPerBlock = static_cast<int>(choices.size()) + 1; // numbers, then buttons
    const bool titled = std::any_of(choices.begin(), choices.end(), [](const PortChoice& choice) {
        return !choice.title.isEmpty();
    });
    const int firstColumn = titled ? 1 : 0;
    m_buttons.assign(static_cast<std::size_t>(choices.size()), {});
    std::vector<QButtonGroup*> groups;
    for (int port = 1; port <= m_portCount; ++port) {
        const bool lower = secondRow != 0 && port >= secondRow;
        const int top = lower ? rowsPerBlock : 0;
        const int column = firstColumn + (lower ? port - secondRow : port - 1);
        auto* number = new QLabel(QString::number(port), this);
        number->setObjectName(QStringLiteral("portLabel%1").arg(port));
        number->setAlignment(Qt::AlignCenter);
        layout->addWidget(number, top, column);
        QButtonGroup* group = radio ? new QButtonGroup(this) : nullptr;
        for (int choice = 0; choice < choices.size(); ++choice) {
            QAbstractButton* button =
                radio ? static_cast<QAbstractButton*>(new QRadioButton(this)) : new QCheckBox(this);
            button->setObjectName(choices[choice].namePrefix + QString::number(port));
            if (group != nullptr) {
                group->addButton(button);
            }
            connect(button, &QAbstractButton::clicked, this,
                    [this, port] { emit portClicked(port); });
            layout->addWidget(button, top + 1 + choice, column, Qt::AlignCenter);
            m_buttons[static_cast<std::size_t>(choice)].push_back(button);
        }
    }
    if (titled) {
        for (int block = 0; block < (secondRow != 0 ? 2 : 1); ++block) {
            for (int choice = 0; choice < choices.size(); ++choice) {
                layout->addWidget(new QLabel(choices[choice].title, this),
                                  block * rowsPerBlock + 1 + choice, 0);
            }
        }
    }
}

QAbstractButton* CPortGrid::Button(int port, int choice) const {
    if (choice < 0 || choice >= ChoiceCount() || port < 1 || port > m_portCount) {
        return nullptr;
    }
    return m_buttons[static_cast<std::size_t>(choice)][static_cast<std::size_t>(port - 1)];
}

PortFlags CPortGrid::CheckedPorts(int choice) const {
    PortFlags flags(static_cast<std::size_t>(m_portCount), 0);
    for (int port = 1; port <= m_portCount; ++port) {
        const QAbstractButton* button = Button(port, choice);
        flags[static_cast<std::size_t>(port - 1)] =
            button != nullptr && button->isChecked() ? 1 : 0;
    }
    return flags;
}

void CPortGrid::SetCheckedPorts(const PortFlags& flags, int choice) {
    for (int port = 1; port <= m_portCount; ++port) {
        const auto index = static_cast<std::size_t>(port - 1);
        const bool member = index < flags.size() && flags[index] != 0;
        if (QAbstractButton* button = Button(port, choice);
            button != nullptr && (member || !m_radio)) {
            button->setChecked(member);
        }
    }
}

void CPortGrid::SetAllChecked(bool checked) {
    if (m_radio) {
        return;
    }
    for (QAbstractButton* button : m_buttons.front()) {
        button->setChecked(checked);
    }
}

int CPortGrid::ChoiceOf(int port) const {
    for (int choice = 0; choice < ChoiceCount(); ++choice) {
        const QAbstractButton* button = Button(port, choice);
        if (button != nullptr && button->isChecked()) {
            return choice;
        }
    }
    return -1;
}

void CPortGrid::SetChoice(int port, int choice) {
    if (QAbstractButton* button = Button(port, choice)) {
        button->setChecked(true);
    }
}

void CPortGrid::ClickPorts(const PortFlags& ports, int choice) {
    for (int port = 1; port <= m_portCount && port <= static_cast<int>(ports.size()); ++port) {
        QAbstractButton* button = Button(port, choice);
        if (ports[static_cast<std::size_t>(port - 1)] != 0 && button != nullptr &&
            button->isEnabled()) {
            button->setChecked(true);
            emit portClicked(port);
        }
    }
}

QWidget* CPortGrid::MakeBulkControls(QWidget* parent, AllButton allButton) {
    auto* bulk = new QWidget(parent);
    bulk->setObjectName(QStringLiteral("bulkControls"));
    auto* layout = new QGridLayout(bulk);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int choice = 0; choice < static_cast<int>(m_choices.size()); ++choice) {
        const PortChoice& row = m_choices[choice];
        const QString title = row.title.isEmpty() ? QStringLiteral("Ports:") : row.title;
        auto* range = new QLineEdit(bulk);
        range->setObjectName(row.namePrefix + QStringLiteral("Range"));
        range->setPlaceholderText(QStringLiteral("1-8,12"));
        auto* set = new QPushButton(QStringLiteral("Set"), bulk);
        set->setObjectName(row.namePrefix + QStringLiteral("Set"));
        set->setAutoDefault(false);
        if (allButton == AllButton::Shown) {
            auto* all = new QPushButton(QStringLiteral("All"), bulk);
            all->setObjectName(row.namePrefix + QStringLiteral("All"));
            all->setAutoDefault(false);
            connect(all, &QPushButton::clicked, this, [this, choice] {
                ClickPorts(PortFlags(static_cast<std::size_t>(m_portCount), 1), choice);
            });
            layout->addWidget(all, choice, 1);
        }
        const auto setRange = [this, range, choice] {
            if (const std::optional<PortFlags> ports =
                    PortRangesToFlags(range->text().toStdString(), m_portCount)) {
                ClickPorts(*ports, choice);
            } else {
                ShowOk(QStringLiteral("Invalid Portlist"));
            }
        };
        connect(set, &QPushButton::clicked, this, setRange);
        // Enter takes the entry; it must not reach the dialog's default button.
        new CEnterTaker(*range, setRange);
        layout->addWidget(new QLabel(title, bulk), choice, 0);
        layout->addWidget(range, choice, 2);
        layout->addWidget(set, choice, 3);
    }
    layout->setColumnStretch(4, 1);
    return bulk;
}

QAbstractButton* CPortGrid::FirstEnabledButton() const {
    for (const auto& choice : m_buttons) {
        for (QAbstractButton* button : choice) {
            if (button->isEnabled()) {
                return button;
            }
        }
    }
    return nullptr;
}
