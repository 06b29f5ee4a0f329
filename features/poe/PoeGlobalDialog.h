// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// "PoE Global Settings": the system power threshold and shut-off sequence, and the power
// budget. The read runs in the background with "wait..." in every field.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/poe/PoeMib.h"

class QComboBox;
class QLineEdit;

class CPoeGlobalDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "PoE Global Settings";
    explicit CPoeGlobalDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

protected:
    void EnableControls() override;

private:
    void Show(const SnmpResult<std::vector<std::string>>& result);

    CPoeGlobalMib& m_cMib = AddData<CPoeGlobalMib>();
    poe::GlobalSettings m_stored;
    bool m_bRead = false;
    QLineEdit* m_pThreshold = nullptr;
    QComboBox* m_pSequence = nullptr;
    QLineEdit* m_pBudget = nullptr;
    QLineEdit* m_pUsed = nullptr;
    QLineEdit* m_pLeft = nullptr;
    QLineEdit* m_pPercent = nullptr;
    QLineEdit* m_pRps = nullptr;
};
