// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Jumbo Frame Configuration: frames up to 10000 bytes on or off.
#pragma once

#include "features/common/FeatureDialog.h"

class CJumboFrameMib;
class QCheckBox;

class CJumboFrameDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "Jumbo Frame Configuration";
    explicit CJumboFrameDlg(QWidget* parent = nullptr);

    void Refresh() override;
    void Apply() override;

private:
    CJumboFrameMib& m_cMib;
    QCheckBox* m_pEnable = nullptr;
};
