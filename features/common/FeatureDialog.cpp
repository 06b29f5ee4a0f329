// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/FeatureDialog.h"

#include "features/common/ReadRound.h"
#include "features/common/Repainting.h"
#include "features/common/ReportList.h"
#include "features/common/TrunkInfo.h"
#include "platform/Trace.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {
constexpr int kCloseRetryMs = 20;
} // namespace

CFeatureDialog::CFeatureDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
}

CFeatureDialog::~CFeatureDialog() {
    kit::EndReadRound(this);
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
        connect(button, &QPushButton::clicked, this, [this] { ReadAfresh(); });
    }
    return button;
}

QPushButton* CFeatureDialog::ApplyButton() {
    const bool made = m_applyButton.isNull();
    QPushButton* button = StandardButton(m_applyButton, tr("&Apply"), "applyButton");
    if (made) {
        WritingButton(button);
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

bool CFeatureDialog::IsBusy() const {
    return m_sending || m_reading || m_firstReadPending ||
           std::any_of(m_watchedWalks.begin(), m_watchedWalks.end(),
                       [](const CTableWalk* walk) { return walk->IsRunning(); });
}

void CFeatureDialog::Watch(CTableWalk& walk) {
    if (std::find(m_watchedWalks.begin(), m_watchedWalks.end(), &walk) != m_watchedWalks.end()) {
        return;
    }
    m_watchedWalks.push_back(&walk);
    walk.OnStateChanged(this, [this] { UpdateWidgets(); });
}

bool CFeatureDialog::CanWrite() const {
    return !IsBusy() && std::all_of(m_readings.begin(), m_readings.end(),
                                    [](const std::function<bool()>& valid) { return valid(); });
}

void CFeatureDialog::NeedsTrunks(CTrunkInfo& trunks) {
    Watch(trunks.TrunkWalk());
    NeedsReading([&trunks] { return trunks.IsTrunkInfoValid(); });
}

void CFeatureDialog::NeedsVlans(CTrunkInfo& trunks) {
    Watch(trunks.VlanWalk());
    NeedsReading([&trunks] { return trunks.IsVlanInfoValid(); });
}

void CFeatureDialog::NeedsReading(std::function<bool()> valid) {
    m_readings.push_back(std::move(valid));
}

QPushButton* CFeatureDialog::WritingButton(QPushButton* button) {
    if (!m_writingButtons.contains(button)) {
        m_writingButtons.append(button);
    }
    return button;
}

void CFeatureDialog::SetReading(bool reading) {
    m_reading = reading;
    UpdateWidgets();
}

void CFeatureDialog::UpdateWidgets() {
    EnableControls();
    if (CanWrite()) {
        return;
    }
    for (QPushButton* button : m_writingButtons) {
        if (button != nullptr) {
            button->setEnabled(false);
        }
    }
}

void CFeatureDialog::EnableControls() {
    if (m_refreshButton != nullptr) {
        m_refreshButton->setEnabled(!IsBusy());
    }
    for (QPushButton* button : m_writingButtons) {
        if (button != nullptr) {
            button->setEnabled(CanWrite());
        }
    }
}

void CFeatureDialog::WalkIntoList(CTableWalk& walk, CReportList& list, RowCells cells,
                                  std::function<void(int status)> finished) {
    Watch(walk);
    list.RemoveAllRows();
    walk.OnRow(this, [&list, cells = std::move(cells)](const SnmpRow& row) {
        const QStringList rowCells = cells(row, list.RowCount());
        if (!rowCells.isEmpty()) {
            list.AddRow(rowCells);
        }
    });
    walk.OnFinished(this, [finished = std::move(finished)](int status) {
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

bool CFeatureDialog::ShowRefusal(const std::optional<Refusal>& refusal) {
    if (!refusal) {
        return false;
    }
    platform::ShowMessage(QString::fromStdString(refusal->text), refusal->kind);
    const auto target = m_focusTargets.find(refusal->field);
    if (target != m_focusTargets.end()) {
        if (QWidget* widget = target->second(refusal->index)) {
            widget->setFocus();
        }
    }
    return true;
}

void CFeatureDialog::FocusFor(const std::string& field, QWidget* widget) {
    QPointer<QWidget> guarded(widget);
    FocusFor(field, [guarded](int) { return guarded.data(); });
}

void CFeatureDialog::FocusFor(const std::string& field,
                              std::function<QWidget*(int index)> widgetAt) {
    m_focusTargets[field] = std::move(widgetAt);
}

bool CFeatureDialog::AskAll(const std::vector<std::string>& questions) {
    return std::all_of(questions.begin(), questions.end(),
                       [](const std::string& question) { return Confirm(question); });
}

class CFeatureDialog::SendingScope {
public:
    explicit SendingScope(CFeatureDialog& dialog) : m_dialog(dialog), m_outer(dialog.m_sending) {
        Set(true);
    }
    ~SendingScope() { Set(m_outer); }
    SendingScope(const SendingScope&) = delete;
    SendingScope& operator=(const SendingScope&) = delete;

private:
    void Set(bool sending) {
        if (m_dialog.m_sending != sending) {
            m_dialog.m_sending = sending;
            m_dialog.UpdateWidgets();
        }
    }
    CFeatureDialog& m_dialog;
    bool m_outer;
};

RequestStatus CFeatureDialog::SendSet(CCommonSNMP& session, const CSetRequest& request,
                                      unsigned timeoutMs, Failure failure,
                                      const std::string& trace) {
    RequestStatus status;
    {
        const SendingScope sending(*this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        kit::RunRepainting([&] { status = request.Send(session, timeoutMs); });
        QApplication::restoreOverrideCursor();
        std::string line = trace;
        if (const std::size_t at = line.find("%d"); at != std::string::npos) {
            line.replace(at, 2, std::to_string(status.Code()));
        }
        platform::DebugTrace(line);
    }
    if (!status.Ok() && failure == Failure::Show) {
        ShowWriteFailure(status);
    }
    return status;
}

RequestStatus CFeatureDialog::SendWrites(CCommonSNMP& session, const ApplyPlan& plan) {
    using OnFailure = SetStep::OnFailure;
    const SendingScope sending(*this);
    if (plan.row) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const RequestStatus made = CreateRow(session, *plan.row);
        QApplication::restoreOverrideCursor();
        if (!made.Ok()) {
            return made;
        }
    }
    std::optional<RequestStatus> firstFailure;
    for (const SetStep& step : plan.steps) {
        if (step.request.IsEmpty()) {
            continue;
        }
        const RequestStatus status =
            SendSet(session, step.request, step.timeoutMs, Failure::CallerReports, step.trace);
        if (!status.Ok() && step.onFailure != OnFailure::Ignore) {
            firstFailure = firstFailure.value_or(status);
            if (step.onFailure == OnFailure::PutBack) {
                for (const CSetRequest& putBack : step.putBack) {
                    SendSet(session, putBack, 0, Failure::CallerReports);
                }
            }
            // Going on past a step the switch did not answer would only make every further
            // step wait its whole time-out as well.
            if (step.onFailure != OnFailure::GoOn || status.Outcome() == SnmpOutcome::NoAnswer) {
                break;
            }
        }
        kit::PauseRepainting(step.pauseMs);
    }
    return firstFailure.value_or(RequestStatus(0));
}

std::optional<RequestStatus> CFeatureDialog::WritePlan(CCommonSNMP& session,
                                                       const ApplyPlan& plan) {
    if (ShowRefusal(plan.refusal) || !AskAll(plan.questions)) {
        return std::nullopt;
    }
    const RequestStatus status = SendWrites(session, plan);
    if (!status.Ok()) {
        ShowWriteFailure(status);
    }
    return status;
}

std::optional<RequestStatus> CFeatureDialog::RunPlan(CCommonSNMP& session, const ApplyPlan& plan,
                                                     const std::function<void()>& written) {
    const std::optional<RequestStatus> status = WritePlan(session, plan);
    if (!status) {
        return std::nullopt;
    }
    if (status->Ok() && written && plan.HasWrites()) {
        written();
    }
    ReadAfresh();
    return status;
}

void CFeatureDialog::ReadAfresh() {
    if (m_firstReadPending) {
        m_firstReadPending = false;
        UpdateWidgets();
    }
    kit::BeginReadRound(this, [this] {
        if (!m_reportsUnansweredReads) {
            ShowOk(ReadFailureText(RequestStatus(kSnmpTimeout)));
        }
        UpdateWidgets();
    });
    Refresh();
}

void CFeatureDialog::reject() {
    // The request in hand finishes first: its caller still runs on this dialog's stack. The
    // dialog closes as soon as it has.
    if (kit::IsWaitingRepainting()) {
        if (!m_closePending) {
            m_closePending = true;
            QTimer::singleShot(kCloseRetryMs, this, [this] {
                m_closePending = false;
                reject();
            });
        }
        return;
    }
    QDialog::reject();
}

void CFeatureDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shownBefore) {
        m_shownBefore = true;
        // After the window is on the screen: a read that waits repaints it meanwhile. Until
        // then the dialog counts as reading.
        m_firstReadPending = true;
        UpdateWidgets();
        QMetaObject::invokeMethod(this, &CFeatureDialog::ReadAfresh, Qt::QueuedConnection);
    }
}
