// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/security/Dot1xDialog.h"
#include "features/common/DialogKit.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/ReportList.h"
#include "features/security/Dot1xPortDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace dot1x;
using kit::Text;

namespace {

QLineEdit* KeyEditOf(QWidget* parent, const char* objectName) {
    QLineEdit* edit = kit::Edit(parent, objectName);
    edit->setEchoMode(QLineEdit::Password);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const KeyEdit cut = CutKey(text.toStdString(), edit->cursorPosition());
        const QString kept = QString::fromStdString(cut.text);
        if (kept != text) {
            edit->setText(kept);
            edit->setCursorPosition(cut.caret);
        }
    });
    return edit;
}

} // namespace

CDot1xDlg::CDot1xDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pServer = new CIpAddressEdit(this);
    m_pServer->setObjectName(QStringLiteral("radiusServer"));
    m_pKey = KeyEditOf(this, "key");
    m_pConfirm = KeyEditOf(this, "confirmKey");
    m_pReAuth = kit::Combo(this, "reAuthEnabled", ReAuthStates());
    m_pEnable = new QCheckBox(QStringLiteral("Enable 802.1X"), this);
    m_pEnable->setObjectName(QStringLiteral("enable8021x"));
    m_pPortSet = kit::Button(this, QStringLiteral("&PortSet"), "portSetButton");

    auto* form = new QGridLayout;
    form->addWidget(m_pEnable, 0, 0, 1, 2, Qt::AlignLeft);
    kit::AddFormRow(*form, 1, QStringLiteral("Radius Server IP:"), m_pServer);
    kit::AddFormRow(*form, 2, QStringLiteral("Key:"), m_pKey);
    kit::AddFormRow(*form, 3, QStringLiteral("Confirm Key:"), m_pConfirm);
    int row = 4;
    for (const TimerField& field : kTimerFields) {
        QLineEdit* edit = kit::Edit(this, field.objectName);
        m_timers.push_back(edit);
        kit::AddFormRow(*form, row++, QString::fromLatin1(field.label), edit);
    }
    kit::AddFormRow(*form, row, QStringLiteral("ReAuthEnabled"), m_pReAuth);
    FocusFor(kServerField, m_pServer);
    FocusFor(kKeyField, m_pKey);
    FocusFor(kConfirmField, m_pConfirm);
    FocusFor(kTimerField, [this](int value) -> QWidget* {
        for (std::size_t i = 0; i < m_timers.size(); ++i) {
            if (static_cast<int>(kTimerFields[i].value) == value) {
                return m_timers[i];
            }
        }
        return nullptr;
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(kit::ButtonRow({ApplyButton(), m_pPortSet, RefreshButton(), CloseButton()}));
    resize(440, 420);
    connect(m_pEnable, &QCheckBox::toggled, this, [this] { UpdateWidgets(); });
    connect(m_pPortSet, &QPushButton::clicked, this, [this] { OpenPortDialog(); });
    Watch(m_cMib.ReadWalk());
    UpdateWidgets();
}

void CDot1xDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool enabled = m_pEnable->isChecked();
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_pServer, m_pKey, m_pConfirm, m_pReAuth}) {
        widget->setEnabled(enabled);
    }
    for (QLineEdit* edit : m_timers) {
        edit->setEnabled(enabled);
    }
    m_pPortSet->setEnabled(enabled && !IsBusy());
}

void CDot1xDlg::Refresh() {
    m_cMib.StartRead(this, [this](const Settings& settings) {
        kit::ShowState(*m_pEnable, settings.state);
        m_pServer->SetAddress(Text(settings.server));
        m_pKey->setText(Text(CutKey(settings.key, 0).text));
        m_pConfirm->setText(m_pKey->text());
        for (std::size_t i = 0; i < m_timers.size(); ++i) {
            m_timers[i]->setText(Text(settings.timers[kTimerFields[i].value]));
        }
        kit::SelectValue(*m_pReAuth, settings.reAuthEnabled.value_or(2));
    });
}

void CDot1xDlg::Apply() {
    SettingsInput input;
    input.state = kit::StateValue(*m_pEnable);
    input.filledServerFields = m_pServer->FilledFieldCount();
    input.server = m_pServer->Address().toStdString();
    input.key = m_pKey->text().toStdString();
    input.confirm = m_pConfirm->text().toStdString();
    for (std::size_t i = 0; i < m_timers.size(); ++i) {
        input.timers[kTimerFields[i].value] = m_timers[i]->text().toStdString();
    }
    input.reAuthEnabled = kit::ComboValue(*m_pReAuth).value_or(2);
    RunPlan(m_cMib.SetSession(), PlanSettings(input));
}

QStringList CDot1xDlg::TimerTexts() const {
    QStringList texts;
    for (std::size_t value = 0; value < 6; ++value) {
        for (std::size_t i = 0; i < m_timers.size(); ++i) {
            if (kTimerFields[i].value == value) {
                texts << m_timers[i]->text();
            }
        }
    }
    texts << m_pReAuth->currentText();
    return texts;
}

void CDot1xDlg::OpenPortDialog() {
    CDot1xPortDlg ports(TimerTexts(), this);
    ports.exec();
}
