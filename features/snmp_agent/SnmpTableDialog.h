// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The five table dialogs of the switch's SNMP agent: communities, users, groups, views and
// hosts. Each lists the active rows of its table, adds a new row from its inputs (there is no
// editing of a row) and removes the row picked in the list.
#pragma once

#include "features/common/FeatureDialog.h"
#include "features/common/ReportList.h"
#include "features/snmp_agent/SnmpAgentMib.h"

class CIpAddressEdit;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

class CSnmpTableDlg : public CFeatureDialog {
public:
    ~CSnmpTableDlg() override;

    void Refresh() override;
    void Apply() override;
    void Delete();

    CReportList* List() const { return m_pList; }
    QPushButton* DeleteButton() const { return m_pDeleteButton; }

protected:
    CSnmpTableDlg(CSnmpAgentMib::Table table, const char* caption, const char* selectMessage,
                  QWidget* parent);
    // The list's columns and, below it, the inputs (filled by the dialog into `Inputs()`).
    void Build(const QList<ReportColumn>& columns);
    QGridLayout& Inputs() { return *m_pInputs; }

    virtual QStringList Cells(std::size_t row) const = 0;
    virtual std::string RowIndex(std::size_t row) const = 0;
    virtual ApplyPlan Plan() const = 0;
    virtual void ResetInputs() = 0;
    virtual void ReadFinished() {}
    // The pause before the list is read again after an Apply.
    virtual int RefreshDelayMs() const { return 0; }

    void EnableControls() override;

    CSnmpAgentMib& m_cMib = AddData<CSnmpAgentMib>();

private:
    CSnmpAgentMib::Table m_table;
    QString m_strSelectMessage;
    CReportList* m_pList = nullptr;
    QGridLayout* m_pInputs = nullptr;
    QPushButton* m_pDeleteButton = nullptr;
};

class CSnmpCommunityDlg : public CSnmpTableDlg {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "SNMP Community Table Configuration";
    explicit CSnmpCommunityDlg(QWidget* parent = nullptr);

private:
    QStringList Cells(std::size_t row) const override;
    std::string RowIndex(std::size_t row) const override;
    ApplyPlan Plan() const override;
    void ResetInputs() override;
    void ReadFinished() override;

    QLineEdit* m_pNameEdit = nullptr;
    QComboBox* m_pUserCombo = nullptr;
};

class CSnmpUserDlg : public CSnmpTableDlg {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "SNMP User Table ";
    explicit CSnmpUserDlg(QWidget* parent = nullptr);

private:
    QStringList Cells(std::size_t row) const override;
    std::string RowIndex(std::size_t row) const override;
    ApplyPlan Plan() const override;
    void ResetInputs() override;
    void UpdateInputs();

    QLineEdit* m_pNameEdit = nullptr;
    QLineEdit* m_pGroupEdit = nullptr;
    QComboBox* m_pVersionCombo = nullptr;
    QCheckBox* m_pEncryptedCheck = nullptr;
    QComboBox* m_pAuthCombo = nullptr;
    QLineEdit* m_pAuthPasswordEdit = nullptr;
    QComboBox* m_pPrivCombo = nullptr;
    QLineEdit* m_pPrivPasswordEdit = nullptr;
};

class CSnmpGroupDlg : public CSnmpTableDlg {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "SNMP Group Table Info";
    explicit CSnmpGroupDlg(QWidget* parent = nullptr);

private:
    QStringList Cells(std::size_t row) const override;
    std::string RowIndex(std::size_t row) const override;
    ApplyPlan Plan() const override;
    void ResetInputs() override;
    int RefreshDelayMs() const override { return 50; }

    QLineEdit* m_pNameEdit = nullptr;
    QLineEdit* m_pReadEdit = nullptr;
    QLineEdit* m_pWriteEdit = nullptr;
    QLineEdit* m_pNotifyEdit = nullptr;
    QComboBox* m_pModelCombo = nullptr;
    QComboBox* m_pLevelCombo = nullptr;
};

class CSnmpViewDlg : public CSnmpTableDlg {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "SNMP View Table Configuration";
    explicit CSnmpViewDlg(QWidget* parent = nullptr);

private:
    QStringList Cells(std::size_t row) const override;
    std::string RowIndex(std::size_t row) const override;
    ApplyPlan Plan() const override;
    void ResetInputs() override;

    QLineEdit* m_pNameEdit = nullptr;
    QLineEdit* m_pSubtreeEdit = nullptr;
    QLineEdit* m_pMaskEdit = nullptr;
    QComboBox* m_pTypeCombo = nullptr;
};

class CSnmpHostDlg : public CSnmpTableDlg {
public:
    // The window caption; the module's command table takes it from here.
    static constexpr char kCaption[] = "SNMP Host Table";
    explicit CSnmpHostDlg(QWidget* parent = nullptr);

private:
    QStringList Cells(std::size_t row) const override;
    std::string RowIndex(std::size_t row) const override;
    ApplyPlan Plan() const override;
    void ResetInputs() override;

    CIpAddressEdit* m_pAddress = nullptr;
    QComboBox* m_pVersionCombo = nullptr;
    QLineEdit* m_pNameEdit = nullptr;
};
