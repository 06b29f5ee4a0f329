// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "Power Saving Settings ": the two detections, and per action its state, time profiles and
// ports, with a summary of all four actions.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/poe/PowerSavingMib.h"

#include <vector>

class CReportList;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CPowerSavingDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Power Saving Settings ";
    explicit CPowerSavingDlg(QWidget* parent = nullptr);

    void Refresh() override;
    // The Apply beside the Port edit: the chosen action.
    void Apply() override;
    // The Apply of the two detections.
    void ApplyDetections();

    CReportList* Summary() const { return m_pSummary; }

protected:
    void EnableControls() override;

private:
    void ProfilesRead();
    void TypeChosen();
    int ChosenType() const;
    bool ChosenEnabled() const;

    CPowerSavingMib& m_cMib = AddData<CPowerSavingMib>();
    bool m_bSettingsRead = false;

    QCheckBox* m_pCableLength = nullptr;
    QCheckBox* m_pLinkStatus = nullptr;
    QPushButton* m_pDetectionApply = nullptr;
    QComboBox* m_pType = nullptr;
    QComboBox* m_pState = nullptr;
    QComboBox* m_pProfile1 = nullptr;
    QComboBox* m_pProfile2 = nullptr;
    QLineEdit* m_pPorts = nullptr;
    CReportList* m_pSummary = nullptr;
};
