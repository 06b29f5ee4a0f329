// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Bandwidth Control: the rate limits of every port, and one rate written to a range of ports
// for receiving, transmitting or both.
#pragma once

#include "features/common/FeatureDialog.h"

class CBandwidthMib;
class CFromToPorts;
class CNumberEdit;
class CReportList;
class QComboBox;

class CBandwidthDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "BandWidth Control";
    static QString ToPortMessage() {
        return QStringLiteral(" \"To port\"cannot be smaller than \"From Port\" ");
    }

    explicit CBandwidthDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

    CReportList* RateList() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    CBandwidthMib& m_cMib;
    CFromToPorts* m_pPorts = nullptr;
    QComboBox* m_pType = nullptr;
    QComboBox* m_pNoLimit = nullptr;
    CNumberEdit* m_pRate = nullptr;
    CReportList* m_pList = nullptr;
};
