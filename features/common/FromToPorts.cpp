// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/FromToPorts.h"

#include "features/common/DialogKit.h"
#include "features/common/Messages.h"

#include <QComboBox>

CFromToPorts::CFromToPorts(QWidget* parent, int portCount, QString message)
    : QObject(parent), m_from(kit::NumberCombo(parent, "fromPort", 1, portCount)),
      m_to(kit::NumberCombo(parent, "toPort", 1, portCount)), m_message(std::move(message)) {
    Reset();
    connect(m_from, &QComboBox::activated, this, &CFromToPorts::FromChosen);
    connect(m_to, &QComboBox::activated, this, &CFromToPorts::ToChosen);
}

int CFromToPorts::FromPort() const {
    return static_cast<int>(kit::ComboValue(*m_from).value_or(0));
}

int CFromToPorts::ToPort() const {
    return static_cast<int>(kit::ComboValue(*m_to).value_or(0));
}

void CFromToPorts::Reset() {
    m_from->setCurrentIndex(m_from->count() > 0 ? 0 : -1);
    m_to->setCurrentIndex(m_to->count() - 1);
}

void CFromToPorts::FromChosen() {
    if (m_toFollowsFrom) {
        m_to->setCurrentIndex(m_from->currentIndex());
    }
}

void CFromToPorts::ToChosen() {
    if (ToPort() < FromPort()) {
        ShowOk(m_message);
        m_to->setCurrentIndex(m_from->currentIndex());
    }
}

bool CFromToPorts::SelectPort(long port) {
    if (!kit::SelectOffered(*m_from, port)) {
        return false;
    }
    m_to->setCurrentIndex(m_from->currentIndex());
    return true;
}
