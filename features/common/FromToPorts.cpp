// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/FromToPorts.h"

#include "features/common/Messages.h"

#include <QComboBox>

namespace {

QComboBox* MakePortCombo(QWidget* parent, const char* name, int portCount) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    for (int port = 1; port <= portCount; ++port) {
        combo->addItem(QString::number(port));
    }
    return combo;
}

} // namespace

CFromToPorts::CFromToPorts(QWidget* parent, int portCount, QString message)
    : QObject(parent), m_from(MakePortCombo(parent, "fromPort", portCount)),
      m_to(MakePortCombo(parent, "toPort", portCount)), m_message(std::move(message)) {
    Reset();
    connect(m_from, &QComboBox::activated, this, &CFromToPorts::FromChosen);
    connect(m_to, &QComboBox::activated, this, &CFromToPorts::ToChosen);
}

int CFromToPorts::FromPort() const {
    return m_from->currentText().toInt();
}

int CFromToPorts::ToPort() const {
    return m_to->currentText().toInt();
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
    const int at = m_from->findText(QString::number(port));
    if (at < 0) {
        return false;
    }
    m_from->setCurrentIndex(at);
    m_to->setCurrentIndex(at);
    return true;
}
