// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "Port Traffic": every port's rates, utilisation and errors, sampled every few seconds, and a
// chart of the chosen ports (up to eight) over the last ten minutes.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/maintenance/PortTrafficMib.h"

#include <QTimer>

#include <map>

class CRateChart;
class CReportList;
class QComboBox;
class QLabel;

class CPortTrafficDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Port Traffic";
    static constexpr int kMaxChartedPorts = 8;

    explicit CPortTrafficDlg(QWidget* parent = nullptr);

    void Refresh() override;

private:
    void EnableControls() override;
    void OnSample(const CPortTrafficMib::Sample& sample);
    void ShowRow(const CPortTrafficMib::PortRates& port);
    void ShowLastLinksWithoutRates();
    void UpdateChart();
    void TogglePause();
    void RestartTimer();
    void ExportSamples();

    CPortTrafficMib& m_cMib;
    CReportList* m_pList = nullptr;
    CRateChart* m_pChart = nullptr;
    QComboBox* m_pInterval = nullptr;
    QPushButton* m_pPause = nullptr;
    QPushButton* m_pExport = nullptr;
    QLabel* m_pStatus = nullptr;
    QTimer m_sampleTimer;
    bool m_paused = false;
    bool m_firstSampleRead = false;
};
