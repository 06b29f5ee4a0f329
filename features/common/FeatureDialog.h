// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Base of the feature dialogs (docs/adding-a-dialog.md). A dialog
// - owns its data objects (AddData) and, rarely, sessions of its own (AddSession); when it is
//   destroyed it writes "==================DestroyWindow===============", closes its own
//   sessions in the order they were added with one ".Close" line each, then ends its data
//   objects, which close theirs;
// - stays on top, and reads the switch (Refresh) when it is first shown;
// - knows what is in flight (the walks it watches, a set being sent) and the readings its writes
//   depend on, and derives every enabled state in one place, EnableControls(); a button that
//   writes is enabled only while nothing is in flight and every such reading is valid;
// - applies in the usual order: the data class's first refusal (ShowRefusal), its questions
//   (AskAll), the plan's set requests (SendSet: "set status = %d"), then Refresh.
#pragma once

#include "features/common/ApplyCheck.h"
#include "features/common/FeatureData.h"
#include "features/common/Messages.h"
#include "features/common/SnmpRequests.h"
#include "features/common/TableWalk.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class CReportList;
class CTrunkInfo;

class CFeatureDialog : public QDialog {
    Q_OBJECT

public:
    static QString WaitText() { return QStringLiteral("wait..."); }

    explicit CFeatureDialog(QWidget* parent = nullptr);
    ~CFeatureDialog() override;

    // The standard buttons, made on first use: "&Refresh" (objectName refreshButton) runs
    // Refresh, "&Apply" (applyButton) runs Apply, "&Close" (closeButton) closes the dialog.
    QPushButton* RefreshButton();
    QPushButton* ApplyButton();
    QPushButton* CloseButton();

    // Reads everything the dialog shows. Opening, the Refresh button and RunPlan run it in a
    // fresh round of reads (ReadRound.h): against a switch whose first answer does not come,
    // further reads fail at once and the module's read failure text is shown.
    virtual void Refresh() {}
    // Checks the input, writes it, reads again.
    virtual void Apply() {}

    // Escape and Close wait while a request or pause of this thread is in hand, then close.
    void reject() override;

    // A watched walk runs or a set is being sent.
    bool IsBusy() const;
    // Nothing is in flight and every reading the writes depend on is valid.
    bool CanWrite() const;

protected:
    // A session that lives until the dialog has closed it, under its member name.
    CCommonSNMP& AddSession(std::string memberName) {
        return m_sessions.Add(std::move(memberName));
    }
    // A data object that the dialog ends after closing its own sessions.
    template <class Data, class... Args> Data& AddData(Args&&... args) {
        static_assert(std::is_base_of_v<CFeatureData, Data>);
        auto data = std::make_unique<Data>(std::forward<Args>(args)...);
        Data& reference = *data;
        m_data.push_back(std::move(data));
        return reference;
    }

    // The walk's start and end update the widgets (UpdateWidgets), and IsBusy counts it.
    void Watch(CTableWalk& walk);
    // Readings the writes depend on: the trunk membership (checked against every port chosen),
    // the VLAN list of `trunks`, or any other reading by its validity. Until a reading is valid
    // every writing button stays disabled.
    void NeedsTrunks(CTrunkInfo& trunks);
    void NeedsVlans(CTrunkInfo& trunks);
    void NeedsReading(std::function<bool()> valid);
    // A button that writes to the switch (Apply is one): enabled only while CanWrite().
    QPushButton* WritingButton(QPushButton* button);

    // Enables what may be used now: EnableControls, then every writing button is disabled while
    // the dialog cannot write. Called whenever a watched walk starts or ends and around every
    // set; call it after a selection changes.
    void UpdateWidgets();
    // The dialog's own rules. The base enables Refresh when nothing is in flight and every
    // writing button when the dialog can write; a dialog with more rules overrides it and calls
    // the base first.
    virtual void EnableControls();
    // A read that is no table walk (one background get) is under way.
    void SetReading(bool reading);
    // The dialog has a message of its own for a first read that got no answer: the kit still
    // holds back the reads that would follow it, but shows nothing.
    void ReportsUnansweredReadsItself() { m_reportsUnansweredReads = true; }

    // The cells of one walked row; the row number is the list's row count before the row
    // is added. No cells: the row is not shown.
    using RowCells = std::function<QStringList(const SnmpRow& row, int rowNumber)>;
    // Empties `list` and walks (watched); each row goes into the list on the UI thread, and
    // the end of the walk calls `finished` with the walk's status.
    void WalkIntoList(CTableWalk& walk, CReportList& list, RowCells cells,
                      std::function<void(int status)> finished = {});

    // The waiting state: "wait..." in every value field (edits, labels, combos).
    static void ShowWaiting(const QList<QWidget*>& valueFields);

    // Shows the refusal, if any, then puts the focus on the input it is about (FocusFor);
    // true when there was one (the Apply stops there).
    bool ShowRefusal(const std::optional<Refusal>& refusal);
    // The input a refusal about `field` focuses: one widget, or one of a row of like inputs
    // picked by the refusal's index (nullptr: none).
    void FocusFor(const std::string& field, QWidget* widget);
    void FocusFor(const std::string& field, std::function<QWidget*(int index)> widgetAt);
    // An OK/Cancel question with Cancel as the default; true for OK.
    static bool Confirm(const QString& question) { return AskOkCancel(question); }
    static bool Confirm(const std::string& question) {
        return Confirm(QString::fromStdString(question));
    }
    // Every question in order; false at the first Cancel.
    static bool AskAll(const std::vector<std::string>& questions);

    // Sends the set request (Refresh disabled meanwhile) and writes "set status = %d". A set the
    // switch refused or did not answer is never passed over in silence: the module's failure
    // text is shown (WriteFailureText), unless the caller reports it itself (one box for a
    // series of sets).
    enum class Failure { Show, CallerReports };
    RequestStatus SendSet(CCommonSNMP& session, const CSetRequest& request, unsigned timeoutMs = 0,
                          Failure failure = Failure::Show,
                          const std::string& trace = "set status = %d");
    // The whole Apply of a plan: its refusal, or its questions and then its steps in order
    // (SendSet each, the pause after it), the first failure shown once (WriteFailureText),
    // then Refresh. The first failure or success, or nothing when the plan
    // stopped before sending. `written` runs before Refresh when the plan wrote something and
    // the switch took all of it.
    std::optional<RequestStatus> RunPlan(CCommonSNMP& session, const ApplyPlan& plan,
                                         const std::function<void()>& written = {});
    // RunPlan without the Refresh (a sub-dialog that closes once its write was taken).
    std::optional<RequestStatus> WritePlan(CCommonSNMP& session, const ApplyPlan& plan);

    void showEvent(QShowEvent* event) override;

    // Refresh in a fresh round of reads: the first read that gets no answer ends the round's
    // reading, and the module's read failure text is shown once (a silent switch is never
    // taken for an empty one). RunPlan ends with it.
    void ReadAfresh();

private:
    // Busy (writing buttons and Refresh disabled) from the first request to the last pause.
    class SendingScope;
    // The plan's row and steps alone, nothing shown: success, or the first failure.
    RequestStatus SendWrites(CCommonSNMP& session, const ApplyPlan& plan);
    QPushButton* StandardButton(QPointer<QPushButton>& button, const QString& text,
                                const char* objectName);

    std::map<std::string, std::function<QWidget*(int index)>> m_focusTargets;
    CSessionSet m_sessions;
    std::vector<std::unique_ptr<CFeatureData>> m_data;
    std::vector<const CTableWalk*> m_watchedWalks;
    std::vector<std::function<bool()>> m_readings;
    QList<QPointer<QPushButton>> m_writingButtons;
    bool m_sending = false;
    bool m_reading = false;
    QPointer<QPushButton> m_refreshButton;
    QPointer<QPushButton> m_applyButton;
    QPointer<QPushButton> m_closeButton;
    bool m_shownBefore = false;
    bool m_reportsUnansweredReads = false;
    bool m_closePending = false;
    bool m_firstReadPending = false;
};
