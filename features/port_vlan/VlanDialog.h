// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// 802.1Q VLAN Configuration: the active VLANs with their members, the asymmetric VLAN mode,
// and the commands that add, edit and delete VLANs and set the ports' PVIDs. Adding, editing
// and deleting and the PVIDs are offered only when the host allows VLAN editing.
//
// A read takes the voice and surveillance VLAN and the mode at once, then walks the PVIDs,
// the IP interfaces and the VLAN table one after the other; every button but PVID waits for
// the walks. The sub-dialogs are window-modal above the dialog.
#pragma once

#include "features/common/FeatureDialog.h"

#include <QPointer>

class CReportList;
class CTrunkInfo;
class CVlanMib;
class QCheckBox;
class QPushButton;

class CVlanDlg : public CFeatureDialog {
    Q_OBJECT

public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "802.1Q VLAN Configuration";
    explicit CVlanDlg(QWidget* parent = nullptr);

    void Refresh() override;
    // The VLAN mode.
    void Apply() override;

    void Add();
    void Edit();
    void Delete();
    void Pvid();

    CReportList* VlanList() const { return m_pVlanList; }
    // The sub-dialog open now, if any.
    QDialog* SubDialog() const { return m_pSubDialog; }

protected:
    void EnableControls() override;

private:
    void ShowMode();
    void AddVlanRow(int rowNumber);
    void OpenSubDialog(QDialog* dialog);

    CVlanMib& m_cMib;
    CTrunkInfo& m_cTrunkInfo;
    bool m_bEditAllowed = false;
    CReportList* m_pVlanList = nullptr;
    QCheckBox* m_pAsymmetricCheck = nullptr;
    QPushButton* m_pPvidButton = nullptr;
    QPushButton* m_pAddButton = nullptr;
    QPushButton* m_pEditButton = nullptr;
    QPushButton* m_pDeleteButton = nullptr;
    QPointer<QDialog> m_pSubDialog;
};
