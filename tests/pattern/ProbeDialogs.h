// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Small feature dialogs built on the pattern the way the real ones are, observed through
// counters that outlive them.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"
#include "features/common/TrunkInfo.h"

#include <QApplication>
#include <QThread>
#include <QVBoxLayout>

#include <memory>

struct WalkCounters {
    int rowsDelivered = 0;
    int rowsOffUiThread = 0;
    int walksFinished = 0;
    int lastStatus = 0;
};

// A table in a list, read on opening and by Refresh; it owns a data object as well.
class CWalkProbeDialog : public CFeatureDialog {
public:
    CWalkProbeDialog(std::vector<std::string> columns, std::shared_ptr<WalkCounters> counters,
                     unsigned stepTimeoutMs = CTableWalk::kDefaultStepTimeoutMs)
        : m_cWalk(m_cCommonSNMPTable, std::move(columns), stepTimeoutMs),
          m_counters(std::move(counters)) {
        m_list = new CReportList(this);
        m_list->setObjectName(QStringLiteral("list"));
        m_list->SetColumns(
            {QStringLiteral("Index "), QStringLiteral("Suffix "), QStringLiteral("Value ")});
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_list);
        layout->addWidget(RefreshButton());
        layout->addWidget(ApplyButton());
        layout->addWidget(CloseButton());
    }

    void Refresh() override {
        WalkIntoList(
            m_cWalk, *m_list,
            [counters = m_counters](const SnmpRow& row, int rowNumber) {
                ++counters->rowsDelivered;
                if (QThread::currentThread() != QApplication::instance()->thread()) {
                    ++counters->rowsOffUiThread;
                }
                return QStringList{QString::number(rowNumber + 1),
                                   QString::fromStdString(row.suffix),
                                   QString::fromStdString(row.Value(row.values.size() - 1))};
            },
            [counters = m_counters](int status) {
                ++counters->walksFinished;
                counters->lastStatus = status;
            });
    }

    CReportList* List() const { return m_list; }
    CTableWalk& Walk() { return m_cWalk; }

private:
    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
    CTrunkInfo& m_cTrunkInfo = AddData<CTrunkInfo>();
    CTableWalk m_cWalk;
    std::shared_ptr<WalkCounters> m_counters;
    CReportList* m_list = nullptr;
};
