// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/TransferDialog.h"

#include "features/common/IpAddressEdit.h"
#include "platform/Trace.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include <array>

namespace {

const char* const kUpgradeWarning =
    "The connection will be disconnected.\nPlease do not apply other changes when "
    "uploading.\nReconnect to the device later when uploading completes.";
const char* const kFileNameTooLong = "The maximum length of file name is 64!";

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

} // namespace

CTransferDialog::CTransferDialog(QWidget* parent) : CFeatureDialog(parent) {
    setObjectName(QStringLiteral("firmwareTransferDialog"));
    setWindowTitle(QString::fromLatin1(kCaption));
    BuildControls();
    FocusFor(CTransferData::kServerField, m_pServer);
    FocusFor(CTransferData::kFileField, m_pFileName);
    m_cTransfer.OnProgress(this, [this](int value) { m_pProgress->setValue(value); });
    m_cTransfer.OnEnded(this, [](const std::string& message) {
        if (!message.empty()) {
            ShowOk(QString::fromStdString(message));
        }
    });
    m_cTransfer.OnReady(this, [this] { LockInputs(false); });
}

void CTransferDialog::BuildControls() {
    m_pServer = new CIpAddressEdit(this);
    m_pServer->setObjectName(QStringLiteral("serverAddress"));
    m_pFileName = new QLineEdit(this);
    m_pFileName->setObjectName(QStringLiteral("fileName"));
    connect(m_pFileName, &QLineEdit::textChanged, this, &CTransferDialog::OnFileNameChanged);
    m_pOperation = new QComboBox(this);
    m_pOperation->setObjectName(QStringLiteral("operationType"));
    m_pOperation->addItems({QStringLiteral("Upgrade"), QStringLiteral("Backup")});
    m_pFileType = new QComboBox(this);
    m_pFileType->setObjectName(QStringLiteral("fileType"));
    m_pFileType->addItems({QStringLiteral("Configuration"), QStringLiteral("Firmware")});
    m_pOperation->setCurrentIndex(0);
    m_pFileType->setCurrentIndex(0);

    m_pProgressLabel = new QLabel(QStringLiteral("Upgrade/BackUp:"), this);
    m_pProgressLabel->setObjectName(QStringLiteral("progressLabel"));
    m_pProgress = new QProgressBar(this);
    m_pProgress->setObjectName(QStringLiteral("progressBar"));
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);
    m_pProgress->setTextVisible(false);
    m_pProgressLabel->hide();
    m_pProgress->hide();

    auto* form = new QGridLayout;
    const std::array<std::pair<const char*, QWidget*>, 4> rows{{
        {"TFTP Server IP:", m_pServer},
        {"File Name:", m_pFileName},
        {"Operation Type:", m_pOperation},
        {"FileType:", m_pFileType},
    }};
    int row = 0;
    for (const auto& [caption, field] : rows) {
        form->addWidget(new QLabel(Text(caption), this), row, 0);
        form->addWidget(field, row, 1);
        ++row;
    }
    form->addWidget(m_pProgressLabel, row, 0);
    form->addWidget(m_pProgress, row, 1);
    form->setColumnMinimumWidth(1, 220);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ApplyButton());
    buttons->addWidget(CloseButton());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

void CTransferDialog::OnFileNameChanged(const QString& text) {
    constexpr int kMax = CTransferData::kMaxFileNameLength;
    if (text.size() <= kMax) {
        return;
    }
    const int caret = std::min(m_pFileName->cursorPosition(), kMax);
    const QString cut = text.left(kMax);
    ShowOk(Text(kFileNameTooLong));
    m_pFileName->setText(cut);
    m_pFileName->setCursorPosition(caret);
}

CTransferData::Input CTransferDialog::TypedInput() const {
    CTransferData::Input input;
    if (m_pServer->FilledFieldCount() == 4) {
        input.server = m_pServer->Fields();
    }
    input.file = m_pFileName->text().toStdString();
    input.kind =
        m_pFileType->currentIndex() == 1 ? TransferKind::Firmware : TransferKind::Configuration;
    input.upgrade = m_pOperation->currentIndex() == 0;
    return input;
}

// The inputs and Apply stay disabled from the start of a transfer until its end has been shown.
void CTransferDialog::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !m_bInputsLocked;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_pServer, m_pFileName, m_pOperation, m_pFileType, ApplyButton(), CloseButton()}) {
        if (widget != nullptr) {
            widget->setEnabled(idle);
        }
    }
}

void CTransferDialog::LockInputs(bool locked) {
    m_bInputsLocked = locked;
    UpdateWidgets();
}

void CTransferDialog::Apply() {
    if (IsTransferRunning()) {
        return; // the controls are disabled meanwhile; a second start would mix two transfers
    }
    const CTransferData::Input input = TypedInput();
    if (input.upgrade && !Confirm(Text(kUpgradeWarning))) {
        return;
    }
    m_pProgressLabel->show();
    m_pProgress->show();
    if (ShowRefusal(CTransferData::CheckInput(input))) {
        return;
    }
    m_cTransfer.Start(input);
    LockInputs(true);
}
