// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// System Information: the switch's description, object id, up-time and contact, and its
// name and location, which the administrator may change.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/maintenance/SystemInfoMib.h"

#include <QLabel>
#include <QLineEdit>

#include <optional>

class CSystemInfoDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "System Information";
    explicit CSystemInfoDlg(QWidget* parent = nullptr);

    // Reads the system group in the background with Refresh and Apply disabled.
    void Refresh() override;
    // Checks name and location and writes both.
    void Apply() override;

private:
    void ShowValues(const std::optional<CSystemInfoMib::Values>& values);
    QLineEdit* AddEdit(const char* objectName);
    QLabel* AddText(const char* objectName);

    CSystemInfoMib& m_cMib = AddData<CSystemInfoMib>();
    QLineEdit* m_name = nullptr;
    QLineEdit* m_location = nullptr;
    QLineEdit* m_contact = nullptr;
    QLabel* m_objectId = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_upTime = nullptr;
};
