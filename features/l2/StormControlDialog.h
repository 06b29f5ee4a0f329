// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Storm Control: the state, the storm type and the threshold as 64 Kbit/s times N.
#pragma once

#include "features/common/FeatureDialog.h"

class CNumberEdit;
class CStormControlMib;
class QCheckBox;
class QComboBox;
class QLineEdit;

class CStormControlDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Storm Control";
    explicit CStormControlDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

protected:
    void EnableControls() override;

private:
    void ShowProduct();

    CStormControlMib& m_cMib;
    QCheckBox* m_pEnable = nullptr;
    QComboBox* m_pType = nullptr;
    CNumberEdit* m_pN = nullptr;
    QLineEdit* m_pProduct = nullptr;
};
