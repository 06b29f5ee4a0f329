// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/snmp_agent/SnmpTableDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/IpAddressEdit.h"
#include "features/common/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

using namespace snmpagent;

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QLineEdit* NameEdit(QWidget* parent, const char* objectName) {
    return kit::Edit(parent, objectName, false, kNameCharacters);
}

long ValueOf(const QComboBox& combo) {
    return kit::ComboValue(combo).value_or(0);
}

// The name the picked item stands for (its item data); empty when none is picked.
QString Picked(const QComboBox& combo) {
    return combo.currentIndex() >= 0 ? combo.currentData().toString() : QString();
}

} // namespace

CSnmpTableDlg::CSnmpTableDlg(CSnmpAgentMib::Table table, const char* caption,
                             const char* selectMessage, QWidget* parent)
    : CFeatureDialog(parent), m_table(table),
      m_strSelectMessage(QString::fromLatin1(selectMessage)) {
    setWindowTitle(QString::fromLatin1(caption));
    m_cMib.OnRow(this, [this](CSnmpAgentMib::Table rowTable, std::size_t row) {
        if (rowTable == m_table) {
            m_pList->AddRow(Cells(row));
        }
    });
    m_cMib.OnFinished(this, [this] { ReadFinished(); });
    Watch(m_cMib.TableWalk());
    Watch(m_cMib.UserWalk());
}

CSnmpTableDlg::~CSnmpTableDlg() = default;

void CSnmpTableDlg::Build(const QList<ReportColumn>& columns) {
    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("tableList"));
    m_pList->SetColumns(columns);
    m_pList->ShowGridLines();
    auto* inputs = new QGroupBox(this);
    inputs->setObjectName(QStringLiteral("inputGroup"));
    m_pInputs = new QGridLayout(inputs);
    m_pDeleteButton = new QPushButton(QStringLiteral("&Delete"), this);
    m_pDeleteButton->setObjectName(QStringLiteral("deleteButton"));
    m_pDeleteButton->setAutoDefault(false);
    connect(m_pDeleteButton, &QPushButton::clicked, this, [this] { Delete(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addWidget(inputs);
    layout->addLayout(
        kit::ButtonRow({ApplyButton(), m_pDeleteButton, RefreshButton(), CloseButton()}));
    int width = m_pList->ColumnsWidth();
    resize(std::max(width + 40, 480), 420);
}

void CSnmpTableDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    const bool idle = !IsBusy();
    if (m_pDeleteButton == nullptr) {
        return;
    }
    m_pDeleteButton->setEnabled(idle);
    CloseButton()->setEnabled(idle);
}

void CSnmpTableDlg::Refresh() {
    m_pList->RemoveAllRows();
    m_cMib.StartRead(m_table);
}

void CSnmpTableDlg::Apply() {
    const ApplyPlan plan = Plan();
    if (ShowRefusal(plan.refusal)) {
        return;
    }
    const auto created = WritePlan(m_cMib.SetSession(), plan);
    if (created && created->Ok()) {
        ResetInputs(); // otherwise what was typed stays
    }
    if (RefreshDelayMs() > 0) {
        // The pause counts as reading: the buttons stay disabled until the walk has ended.
        m_pList->RemoveAllRows();
        SetReading(true);
        QTimer::singleShot(RefreshDelayMs(), this, [this] {
            SetReading(false);
            Refresh();
        });
    } else {
        Refresh();
    }
}

void CSnmpTableDlg::Delete() {
    const int row = m_pList->SelectedRow();
    if (row < 0) {
        ShowOk(m_strSelectMessage);
        return;
    }
    RunPlan(m_cMib.SetSession(),
            CSnmpAgentMib::PlanDestroy(m_table, RowIndex(static_cast<std::size_t>(row))));
}

// Communities -------------------------------------------------------------------------------

CSnmpCommunityDlg::CSnmpCommunityDlg(QWidget* parent)
    : CSnmpTableDlg(CSnmpAgentMib::Table::Community, kCaption,
                    "Please select the item would be delete!\n", parent) {
    Build({{QStringLiteral("Community Name"), 250}, {QStringLiteral("User Name"), 248}});
    QWidget* group = Inputs().parentWidget();
    m_pNameEdit = NameEdit(group, "communityNameEdit");
    FocusFor(kNameField, m_pNameEdit);
    m_pUserCombo = new QComboBox(group);
    m_pUserCombo->setObjectName(QStringLiteral("userCombo"));
    kit::AddFormRow(Inputs(), 0, QStringLiteral("Community Name "), m_pNameEdit);
    kit::AddFormRow(Inputs(), 1, QStringLiteral("User Name (View Policy)"), m_pUserCombo);
}

QStringList CSnmpCommunityDlg::Cells(std::size_t row) const {
    const CommunityRow& community = m_cMib.Communities().at(row);
    return {community.name, community.viewPolicy};
}

std::string CSnmpCommunityDlg::RowIndex(std::size_t row) const {
    return m_cMib.Communities().at(row).index;
}

ApplyPlan CSnmpCommunityDlg::Plan() const {
    return PlanCommunity({m_pNameEdit->text(), Picked(*m_pUserCombo)}, m_cMib.Communities());
}

void CSnmpCommunityDlg::ResetInputs() {
    m_pUserCombo->setCurrentIndex(m_pUserCombo->count() > 0 ? 0 : -1);
    m_pNameEdit->clear();
}

// The users that are no SNMPv3 users give a community its view policy.
void CSnmpCommunityDlg::ReadFinished() {
    m_pUserCombo->clear();
    QStringList names;
    for (const UserRow& user : m_cMib.Users()) {
        if (user.version != 3 && !names.contains(user.name)) {
            names.append(user.name);
            m_pUserCombo->addItem(user.name, user.name);
        }
    }
    m_pUserCombo->setCurrentIndex(m_pUserCombo->count() > 0 ? 0 : -1);
}

// Users -------------------------------------------------------------------------------------

CSnmpUserDlg::CSnmpUserDlg(QWidget* parent)
    : CSnmpTableDlg(CSnmpAgentMib::Table::User, kCaption,
                    "Please select the item would be delete!\n", parent) {
    Build({{QStringLiteral("User Name"), 100},
           {QStringLiteral("Group Name"), 100},
           {QStringLiteral("SNMP Version"), 100},
           {QStringLiteral("Auth Protocol"), 105},
           {QStringLiteral("Priv-Protocol"), 105}});
    QWidget* group = Inputs().parentWidget();
    m_pNameEdit = NameEdit(group, "userNameEdit");
    m_pGroupEdit = NameEdit(group, "groupNameEdit");
    FocusFor(kNameField, m_pNameEdit);
    FocusFor(kGroupField, m_pGroupEdit);
    m_pVersionCombo = kit::Combo(group, "versionCombo", UserVersions());
    m_pEncryptedCheck = new QCheckBox(QStringLiteral("encrypted"), group);
    m_pEncryptedCheck->setObjectName(QStringLiteral("encryptedCheck"));
    m_pAuthCombo = kit::Combo(group, "authCombo", AuthProtocols());
    m_pAuthPasswordEdit = kit::Edit(group, "authPasswordEdit");
    m_pPrivCombo = kit::Combo(group, "privCombo", PrivProtocols());
    m_pPrivPasswordEdit = kit::Edit(group, "privPasswordEdit");
    // A refused password is selected, to be typed over.
    for (const auto& [field, edit] : {std::pair{kAuthPasswordField, m_pAuthPasswordEdit},
                                      std::pair{kPrivPasswordField, m_pPrivPasswordEdit}}) {
        FocusFor(field, [edit = edit](int) {
            edit->selectAll();
            return edit;
        });
    }
    for (QLineEdit* password : {m_pAuthPasswordEdit, m_pPrivPasswordEdit}) {
        password->setEchoMode(QLineEdit::Password);
    }
    kit::AddFormRow(Inputs(), 0, QStringLiteral("User Name"), m_pNameEdit);
    kit::AddFormRow(Inputs(), 0, QStringLiteral("Group Name"), m_pGroupEdit, 1);
    kit::AddFormRow(Inputs(), 1, QStringLiteral("SNMP Version"), m_pVersionCombo);
    Inputs().addWidget(m_pEncryptedCheck, 1, 3);
    kit::AddFormRow(Inputs(), 2, QStringLiteral("Auth-Protocol"), m_pAuthCombo);
    kit::AddFormRow(Inputs(), 2, QStringLiteral("Password"), m_pAuthPasswordEdit, 1);
    kit::AddFormRow(Inputs(), 3, QStringLiteral("Priv-Protocol"), m_pPrivCombo);
    kit::AddFormRow(Inputs(), 3, QStringLiteral("Password"), m_pPrivPasswordEdit, 1);
    connect(m_pVersionCombo, &QComboBox::currentIndexChanged, this, [this] { UpdateInputs(); });
    connect(m_pEncryptedCheck, &QCheckBox::toggled, this, [this] { UpdateInputs(); });
    connect(m_pPrivCombo, &QComboBox::currentIndexChanged, this, [this] { UpdateInputs(); });
    UpdateInputs();
}

// Authentication belongs to SNMPv3 users; the privacy password to DES.
void CSnmpUserDlg::UpdateInputs() {
    const bool v3 = ValueOf(*m_pVersionCombo) == 3;
    const bool encrypted = v3 && m_pEncryptedCheck->isChecked();
    m_pEncryptedCheck->setEnabled(v3);
    m_pAuthCombo->setEnabled(encrypted);
    m_pPrivCombo->setEnabled(encrypted);
    m_pAuthPasswordEdit->setEnabled(encrypted);
    m_pPrivPasswordEdit->setEnabled(encrypted && ValueOf(*m_pPrivCombo) == 2);
}

QStringList CSnmpUserDlg::Cells(std::size_t row) const {
    const UserRow& user = m_cMib.Users().at(row);
    return {user.name, user.group, Text(UserVersions().Cell(user.version)),
            Text(AuthProtocols().Cell(user.auth)), Text(PrivProtocols().Cell(user.priv))};
}

std::string CSnmpUserDlg::RowIndex(std::size_t row) const {
    return m_cMib.Users().at(row).index;
}

ApplyPlan CSnmpUserDlg::Plan() const {
    UserInput input;
    input.name = m_pNameEdit->text();
    input.group = m_pGroupEdit->text();
    input.version = ValueOf(*m_pVersionCombo);
    input.encrypted = m_pEncryptedCheck->isChecked();
    input.auth = ValueOf(*m_pAuthCombo);
    input.priv = ValueOf(*m_pPrivCombo);
    input.authPassword = m_pAuthPasswordEdit->text();
    input.privPassword = m_pPrivPasswordEdit->text();
    return PlanUser(input, m_cMib.Users());
}

void CSnmpUserDlg::ResetInputs() {
    for (QLineEdit* edit : {m_pNameEdit, m_pGroupEdit, m_pAuthPasswordEdit, m_pPrivPasswordEdit}) {
        edit->clear();
    }
    for (QComboBox* combo : {m_pVersionCombo, m_pAuthCombo, m_pPrivCombo}) {
        combo->setCurrentIndex(0);
    }
    m_pEncryptedCheck->setChecked(false);
    UpdateInputs();
}

// Groups ------------------------------------------------------------------------------------

CSnmpGroupDlg::CSnmpGroupDlg(QWidget* parent)
    : CSnmpTableDlg(CSnmpAgentMib::Table::Group, kCaption,
                    "Please select the item would be delete!\n", parent) {
    QList<ReportColumn> columns;
    for (const char* header : {"Group Name", "Read View", "Write View", "Notify View",
                               "Security Model", "Security Level"}) {
        columns.append({QString::fromLatin1(header), 100});
    }
    Build(columns);
    QWidget* group = Inputs().parentWidget();
    m_pNameEdit = NameEdit(group, "groupNameEdit");
    FocusFor(kNameField, m_pNameEdit);
    m_pReadEdit = NameEdit(group, "readViewEdit");
    m_pWriteEdit = NameEdit(group, "writeViewEdit");
    m_pNotifyEdit = NameEdit(group, "notifyViewEdit");
    m_pModelCombo = kit::Combo(group, "modelCombo", SecurityModels());
    m_pLevelCombo = kit::Combo(group, "levelCombo", SecurityLevels());
    kit::AddFormRow(Inputs(), 0, QStringLiteral("Group Name"), m_pNameEdit);
    kit::AddFormRow(Inputs(), 0, QStringLiteral("Read View Name "), m_pReadEdit, 1);
    kit::AddFormRow(Inputs(), 1, QStringLiteral("Write View Name"), m_pWriteEdit);
    kit::AddFormRow(Inputs(), 1, QStringLiteral("Notify View Name "), m_pNotifyEdit, 1);
    kit::AddFormRow(Inputs(), 2, QStringLiteral("Security Model"), m_pModelCombo);
    kit::AddFormRow(Inputs(), 2, QStringLiteral("Security Level"), m_pLevelCombo, 1);
    // Only an SNMPv3 group chooses its security level; the others have none.
    auto modelChanged = [this] {
        const bool v3 = ValueOf(*m_pModelCombo) == 3;
        if (!v3) {
            m_pLevelCombo->setCurrentIndex(0);
        }
        m_pLevelCombo->setEnabled(v3);
    };
    connect(m_pModelCombo, &QComboBox::currentIndexChanged, this, modelChanged);
    modelChanged();
}

QStringList CSnmpGroupDlg::Cells(std::size_t row) const {
    const GroupRow& group = m_cMib.Groups().at(row);
    return {group.name,
            group.readView,
            group.writeView,
            group.notifyView,
            Text(SecurityModels().Cell(group.model)),
            Text(SecurityLevels().Cell(group.level))};
}

std::string CSnmpGroupDlg::RowIndex(std::size_t row) const {
    return m_cMib.Groups().at(row).index;
}

ApplyPlan CSnmpGroupDlg::Plan() const {
    return PlanGroup({m_pNameEdit->text(), m_pReadEdit->text(), m_pWriteEdit->text(),
                      m_pNotifyEdit->text(), ValueOf(*m_pModelCombo), ValueOf(*m_pLevelCombo)},
                     m_cMib.Groups());
}

void CSnmpGroupDlg::ResetInputs() {
    for (QLineEdit* edit : {m_pNameEdit, m_pReadEdit, m_pWriteEdit, m_pNotifyEdit}) {
        edit->clear();
    }
    m_pModelCombo->setCurrentIndex(0);
    m_pLevelCombo->setCurrentIndex(0);
}

// Views -------------------------------------------------------------------------------------

CSnmpViewDlg::CSnmpViewDlg(QWidget* parent)
    : CSnmpTableDlg(CSnmpAgentMib::Table::View, kCaption,
                    "Please Selecte the Item you would delete", parent) {
    Build({{QStringLiteral("View Name"), 100},
           {QStringLiteral("Subtree OID"), 100},
           {QStringLiteral("OID Mask"), 100},
           {QStringLiteral("View Type"), 100}});
    QWidget* group = Inputs().parentWidget();
    m_pNameEdit = NameEdit(group, "viewNameEdit");
    m_pSubtreeEdit = NameEdit(group, "subtreeEdit");
    m_pMaskEdit = kit::Edit(group, "maskEdit");
    FocusFor(kNameField, m_pNameEdit);
    FocusFor(kSubtreeField, m_pSubtreeEdit);
    FocusFor(kMaskField, m_pMaskEdit);
    m_pTypeCombo = kit::Combo(group, "typeCombo", ViewTypes());
    kit::AddFormRow(Inputs(), 0, QStringLiteral("View Name "), m_pNameEdit);
    kit::AddFormRow(Inputs(), 0, QStringLiteral("Subtree OID "), m_pSubtreeEdit, 1);
    kit::AddFormRow(Inputs(), 1, QStringLiteral("OID Mask "), m_pMaskEdit);
    kit::AddFormRow(Inputs(), 1, QStringLiteral("View Type"), m_pTypeCombo, 1);
}

QStringList CSnmpViewDlg::Cells(std::size_t row) const {
    const ViewRow& view = m_cMib.Views().at(row);
    return {view.name, Text(view.subtree), Text(MaskText(view.mask)),
            Text(ViewTypes().Cell(view.type))};
}

std::string CSnmpViewDlg::RowIndex(std::size_t row) const {
    return m_cMib.Views().at(row).index;
}

ApplyPlan CSnmpViewDlg::Plan() const {
    return PlanView(
        {m_pNameEdit->text(), m_pSubtreeEdit->text(), m_pMaskEdit->text(), ValueOf(*m_pTypeCombo)},
        m_cMib.Views());
}

void CSnmpViewDlg::ResetInputs() {
    for (QLineEdit* edit : {m_pNameEdit, m_pSubtreeEdit, m_pMaskEdit}) {
        edit->clear();
    }
    m_pTypeCombo->setCurrentIndex(0);
}

// Hosts -------------------------------------------------------------------------------------

CSnmpHostDlg::CSnmpHostDlg(QWidget* parent)
    : CSnmpTableDlg(CSnmpAgentMib::Table::Host, kCaption,
                    "Please Selecte the Item you would delete", parent) {
    Build({{QStringLiteral("Host IP Address"), 150},
           {QStringLiteral("SNMP Version"), 130},
           {QStringLiteral("Community Name/SNMPv3 User Name "), 250}});
    QWidget* group = Inputs().parentWidget();
    m_pAddress = new CIpAddressEdit(group);
    m_pAddress->setObjectName(QStringLiteral("hostAddress"));
    m_pVersionCombo = kit::Combo(group, "versionCombo", HostVersions());
    m_pNameEdit = NameEdit(group, "hostNameEdit");
    FocusFor(kAddressField, m_pAddress);
    FocusFor(kNameField, m_pNameEdit);
    kit::AddFormRow(Inputs(), 0, QStringLiteral("Host IP Adress"), m_pAddress);
    kit::AddFormRow(Inputs(), 1, QStringLiteral("SNMP Version"), m_pVersionCombo);
    kit::AddFormRow(Inputs(), 2, QStringLiteral("Community String/SNMPv3 User Name"), m_pNameEdit);
}

QStringList CSnmpHostDlg::Cells(std::size_t row) const {
    const HostRow& host = m_cMib.Hosts().at(row);
    return {Text(host.address), Text(HostVersions().Cell(host.version)), host.name};
}

std::string CSnmpHostDlg::RowIndex(std::size_t row) const {
    return m_cMib.Hosts().at(row).index;
}

ApplyPlan CSnmpHostDlg::Plan() const {
    return PlanHost({m_pAddress->FilledFieldCount(), m_pAddress->Address(),
                     ValueOf(*m_pVersionCombo), m_pNameEdit->text()},
                    m_cMib.Hosts());
}

void CSnmpHostDlg::ResetInputs() {
    m_pAddress->Clear();
    m_pVersionCombo->setCurrentIndex(0);
    m_pNameEdit->clear();
}
