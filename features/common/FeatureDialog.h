// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Base of the feature dialogs. A dialog
// - owns its sessions (AddSession) and data objects (AddData); when it is destroyed it writes
//   "==================DestroyWindow===============", closes its sessions in the order they
//   were added with one ".Close" line each, and then ends its data objects, which close
//   theirs;
// - stays on top, and reads the switch (Refresh) when it is first shown;
// - walks tables into its report list with its buttons disabled until the end (WalkIntoList);
// - applies in the usual order: checks that stop at the first refusal (PassesChecks),
//   confirmations (Confirm), one set request (ApplySet: "set status = %d", then Refresh).
//
//   class CStormDialog : public CFeatureDialog {
//       CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
//       CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
//       CTableWalk m_cWalk{m_cCommonSNMPTable, {PrivateOid("1.13.1.2")}};
//       ...
//   };
#pragma once

#include "features/common/FeatureData.h"
#include "features/common/Messages.h"
#include "features/common/SnmpRequests.h"
#include "features/common/TableWalk.h"
#include "platform/Message.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

class CReportList;

// One input check of an Apply: when `passes` returns false, `refusal` is shown, then
// `afterRefusal` runs (to put the focus on the field, reset a combo, ...), and the checks
// after it do not run.
struct InputCheck {
    std::function<bool()> passes;
    QString refusal;
    platform::MessageKind kind = platform::MessageKind::Ok;
    std::function<void()> afterRefusal = {};
};

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

    // Reads everything the dialog shows.
    virtual void Refresh() {}
    // Checks the input, writes it, reads again.
    virtual void Apply() {}

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

    // The cells of one walked row; the row number is the list's row count before the row
    // is added. No cells: the row is not shown.
    using RowCells = std::function<QStringList(const SnmpRow& row, int rowNumber)>;
    // Empties `list`, disables `busyWidgets` and walks; each row goes into the list on the
    // UI thread, and the end of the walk enables the widgets again and calls `finished`.
    void WalkIntoList(CTableWalk& walk, CReportList& list, RowCells cells,
                      const QList<QWidget*>& busyWidgets,
                      std::function<void(int status)> finished = {});

    // The waiting state: "wait..." in every value field (edits, labels, combos).
    static void ShowWaiting(const QList<QWidget*>& valueFields);
    static void SetWidgetsEnabled(const QList<QWidget*>& widgets, bool enabled);

    // Runs the checks in order; the first refusal is shown and ends the run with false.
    static bool PassesChecks(const std::vector<InputCheck>& checks);
    // An OK/Cancel question with Cancel as the default; true for OK.
    static bool Confirm(const QString& question) { return AskOkCancel(question); }
    // Sends the set request with Refresh disabled and writes "set status = %d". The status.
    int SendSet(CCommonSNMP& session, const CSetRequest& request, unsigned timeoutMs = 0);
    // SendSet, then Refresh whatever the status.
    int ApplySet(CCommonSNMP& session, const CSetRequest& request, unsigned timeoutMs = 0);

    void showEvent(QShowEvent* event) override;

private:
    QPushButton* StandardButton(QPointer<QPushButton>& button, const QString& text,
                                const char* objectName);

    CSessionSet m_sessions;
    std::vector<std::unique_ptr<CFeatureData>> m_data;
    QPointer<QPushButton> m_refreshButton;
    QPointer<QPushButton> m_applyButton;
    QPointer<QPushButton> m_closeButton;
    bool m_shownBefore = false;
};
