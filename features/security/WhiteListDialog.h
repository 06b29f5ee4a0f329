// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// White List: the bound hosts of the IP-MAC-port binding.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/security/ImpbMib.h"

#include <vector>

class CReportList;
class QLineEdit;
class QPushButton;

class CIMPBWhiteList : public CFeatureDialog {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "White List";
    explicit CIMPBWhiteList(QWidget* parent = nullptr);
    void Refresh() override;
    CReportList* List() const { return m_pList; }

protected:
    void EnableControls() override;

private:
    void DeleteSelected();

    CImpbMib& m_cMib = AddData<CImpbMib>();
    std::vector<impb::HostRow> m_rows;
    QLineEdit* m_pTotal = nullptr;
    CReportList* m_pList = nullptr;
    QPushButton* m_pDelete = nullptr;
};
