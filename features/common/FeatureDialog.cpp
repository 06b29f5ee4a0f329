// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/FeatureDialog.h"

#include "features/common/ReportList.h"
#include "platform/Trace.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CFeatureDialog::CFeatureDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
}

CFeatureDialog::~CFeatureDialog() {
    platform::DebugTrace(platform::FramedTraceLine("DestroyWindow"));
    m_sessions.CloseAllAndTrace();
    for (std::unique_ptr<CFeatureData>& data : m_data) {
        data.reset();
    }
}

QPushButton* CFeatureDialog::StandardButton(QPointer<QPushButton>& button, const QString& text,
                                            const char* objectName) {
    if (button.isNull()) {
        button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(objectName));
        button->setAutoDefault(false);
    }
    return button;
}

QPushButton* CFeatureDialog::RefreshButton() {
    const bool made = m_refreshButton.isNull();
    QPushButton* button = StandardButton(m_refreshButton, tr("&Refresh"), "refreshButton");
    if (made) {
        connect(button, &QPushButton::clicked, this, [this] { Refresh(); });
    }
    return button;
}

QPushButton* CFeatureDialog::ApplyButton() {
    const bool made = m_applyButton.isNull();
    QPushButton* button = StandardButton(m_applyButton, tr("&Apply"), "applyButton");
    if (made) {
        connect(button, &QPushButton::clicked, this, [this] { Apply(); });
    }
    return button;
}

QPushButton* CFeatureDialog::CloseButton() {
    const bool made = m_closeButton.isNull();
    QPushButton* button = StandardButton(m_closeButton, tr("&Close"), "closeButton");
    if (made) {
        connect(button, &QPushButton::clicked, this, &QDialog::reject);
    }
    return button;
}

void CFeatureDialog::WalkIntoList(CTableWalk& walk, CReportList& list, RowCells cells,
                                  const QList<QWidget*>& busyWidgets,
                                  std::function<void(int status)> finished) {
    list.RemoveAllRows();
    SetWidgetsEnabled(busyWidgets, false);
    QList<QPointer<QWidget>> guarded;
    for (QWidget* widget : busyWidgets) {
        guarded.append(widget);
    }
    walk.OnRow([list = QPointer<CReportList>(&list), cells = std::move(cells)](const SnmpRow& row) {
        if (list.isNull()) {
            return;
        }
        const QStringList rowCells = cells(row, list->RowCount());
        if (!rowCells.isEmpty()) {
            list->AddRow(rowCells);
        }
    });
    walk.OnFinished([guarded, finished = std::move(finished)](int status) {
        for (const QPointer<QWidget>& widget : guarded) {
            if (!widget.isNull()) {
                widget->setEnabled(true);
            }
        }
        if (finished) {
            finished(status);
        }
    });
    walk.Start();
}

void CFeatureDialog::ShowWaiting(const QList<QWidget*>& valueFields) {
    for (QWidget* field : valueFields) {
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->setText(WaitText());
        } else if (auto* label = qobject_cast<QLabel*>(field)) {
            label->setText(WaitText());
        } else if (auto* combo = qobject_cast<QComboBox*>(field)) {
            combo->setPlaceholderText(WaitText());
            combo->setCurrentIndex(-1);
        }
    }
}

void CFeatureDialog::SetWidgetsEnabled(const QList<QWidget*>& widgets, bool enabled) {
    for (QWidget* widget : widgets) {
        if (widget != nullptr) {
            widget->setEnabled(enabled);
        }
    }
}

bool CFeatureDialog::PassesChecks(const std::vector<InputCheck>& checks) {
    for (const InputCheck& check : checks) {
        if (!check.passes()) {
            platform::ShowMessage(check.refusal, check.kind);
            if (check.afterRefusal) {
                check.afterRefusal();
            }
            return false;
        }
    }
    return true;
}

int CFeatureDialog::SendSet(CCommonSNMP& session, const CSetRequest& request, unsigned timeoutMs) {
    QPushButton* refresh = m_refreshButton.data();
    const bool refreshWasEnabled = refresh != nullptr && refresh->isEnabled();
    if (refresh != nullptr) {
        refresh->setEnabled(false);
    }
    const int status = request.Send(session, timeoutMs);
    platform::DebugTrace("set status = " + std::to_string(status));
    if (refresh != nullptr && refreshWasEnabled) {
        refresh->setEnabled(true);
    }
    return status;
}

int CFeatureDialog::ApplySet(CCommonSNMP& session, const CSetRequest& request, unsigned timeoutMs) {
    const int status = SendSet(session, request, timeoutMs);
    Refresh();
    return status;
}

void CFeatureDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shownBefore) {
        m_shownBefore = true;
        Refresh();
    }
}
