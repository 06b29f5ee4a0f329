// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/ForwardingTableDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/NumberEdit.h"

#include "features/maintenance/PublicMibTableDialog.h"
#include "features/maintenance/PublicMibText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

std::optional<std::string> CForwardingTableMib::ReadAgingTime() {
    const auto values = ReadValues(m_cCommonSNMP, {ScalarOid(kDot1dTpAgingTime)});
    if (!values) {
        return std::nullopt;
    }
    return values->front();
}

std::optional<CForwardingTableMib::Entry> CForwardingTableMib::EntryOf(const SnmpRow& row) {
    return Entry{QString::fromStdString(row.Value(0)), FdbMacOfIndex(row.suffix),
                 FdbStatusText(row.Value(1)), FdbDatabaseIdOfIndex(row.suffix)};
}

CForwardingTableDlg::CForwardingTableDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_list = new CReportList(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->SetColumns(QList<ReportColumn>{{QStringLiteral("ID "), 80},
                                           {QStringLiteral("Port"), 100},
                                           {QStringLiteral(" MAC Address "), 210},
                                           {QStringLiteral(" Status "), 117}});
    m_list->setMinimumSize(ListWidthFor(*m_list), 300);
    // Copy and export take every entry read, not only the page shown.
    m_list->SetAllRowsSource([this] {
        QList<QStringList> rows;
        for (int id = 1; id <= EntryCount(); ++id) {
            const Entry& entry = Entries()[static_cast<std::size_t>(id - 1)];
            rows.append({QString::number(id), entry.port, entry.mac, entry.status});
        }
        return rows;
    });

    m_agingTime = new QLineEdit(this);
    m_agingTime->setObjectName(QStringLiteral("agingTimeEdit"));
    kit::MakeReadOnly(*m_agingTime);
    m_agingTime->setMaximumWidth(90);
    auto* agingLabel = new QLabel(QStringLiteral("Aging Time"), this);
    agingLabel->setBuddy(m_agingTime);
    auto* aging = new QHBoxLayout;
    aging->addWidget(agingLabel);
    aging->addWidget(m_agingTime);
    aging->addWidget(new QLabel(QStringLiteral("Seconds"), this));
    aging->addStretch(1);

    m_back = new QPushButton(QStringLiteral("&Back"), this);
    m_back->setObjectName(QStringLiteral("backButton"));
    m_back->setAutoDefault(false);
    m_next = new QPushButton(QStringLiteral("&Next"), this);
    m_next->setObjectName(QStringLiteral("nextButton"));
    m_next->setAutoDefault(false);
    connect(m_back, &QPushButton::clicked, this, [this] { ShowPage(m_firstShownId - kPageSize); });
    connect(m_next, &QPushButton::clicked, this, [this] { ShowPage(m_firstShownId + kPageSize); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    buttons->addStretch(1);
    buttons->addWidget(RefreshButton());
    buttons->addWidget(CloseButton());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(aging);
    layout->addWidget(m_list, 1);
    layout->addLayout(BuildFind());
    layout->addWidget(m_findList);
    layout->addLayout(buttons);
    UpdatePageButtons();
}

// "Which port is this MAC on?": a whole address or its first octets, looked up in every
// entry read (not only the page shown).
QLayout* CForwardingTableDlg::BuildFind() {
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findEdit->setPlaceholderText(QStringLiteral("MAC address or its first octets: 00-1A-2B"));
    m_findEdit->setClearButtonEnabled(true);
    auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
    findLabel->setBuddy(m_findEdit);
    connect(m_findEdit, &QLineEdit::textChanged, this, &CForwardingTableDlg::RunFind);
    m_findList = new CReportList(this);
    m_findList->setObjectName(QStringLiteral("findList"));
    m_findList->SetColumns(QList<ReportColumn>{{QStringLiteral("ID "), 60},
                                               {QStringLiteral("Port"), 60},
                                               {QStringLiteral("Database ID"), 100},
                                               {QStringLiteral(" MAC Address "), 170},
                                               {QStringLiteral(" Status "), 90}});
    m_findList->setMinimumHeight(120);
    m_findList->setMaximumHeight(180);
    m_findList->hide();
    auto* find = new QHBoxLayout;
    find->addWidget(findLabel);
    find->addWidget(m_findEdit, 1);
    return find;
}

void CForwardingTableDlg::RunFind() {
    m_findList->RemoveAllRows();
    const QString typed = m_findEdit->text();
    const std::optional<QString> prefix = MacPrefixOfText(typed);
    m_findList->setVisible(prefix.has_value());
    if (!prefix) {
        if (!typed.trimmed().isEmpty() && m_findEdit->hasFocus()) {
            ShowFieldHint(*m_findEdit,
                          QStringLiteral("Type a MAC address or its first octets, for example "
                                         "00-1A-2B, 00:1a:2b or 001A2B."));
        }
        return;
    }
    for (int id = 1; id <= EntryCount(); ++id) {
        const Entry& entry = Entries()[static_cast<std::size_t>(id - 1)];
        if (MacStartsWith(entry.mac, *prefix)) {
            m_findList->AddRow(
                {QString::number(id), entry.port, entry.databaseId, entry.mac, entry.status});
        }
    }
}

void CForwardingTableDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    if (m_findEdit != nullptr && !m_findEdit->text().isEmpty()) {
        RunFind();
    }
}

void CForwardingTableDlg::Refresh() {
    m_firstShownId = 1;
    m_list->RemoveAllRows();
    CTypedWalk<Entry>& walk = m_cMib.Walk();
    Watch(walk);
    walk.OnRow(this, [this](const Entry&, int index) { EntryRead(index + 1); });
    walk.Start();
    UpdatePageButtons();
    if (const auto seconds = m_cMib.ReadAgingTime()) {
        m_agingTime->setText(QString::fromStdString(*seconds));
    }
}

void CForwardingTableDlg::EntryRead(int id) {
    if (id >= m_firstShownId && id <= m_firstShownId + kPageSize - 1) {
        ShowEntry(id);
    }
    UpdatePageButtons();
}

void CForwardingTableDlg::ShowPage(int firstId) {
    if (firstId < 1 || firstId > std::max(EntryCount(), 1)) {
        return;
    }
    m_firstShownId = firstId;
    m_list->setUpdatesEnabled(false);
    m_list->RemoveAllRows();
    for (int id = firstId; id <= LastIdOfPage(); ++id) {
        ShowEntry(id);
    }
    m_list->setUpdatesEnabled(true);
    UpdatePageButtons();
}

void CForwardingTableDlg::ShowEntry(int id) {
    const Entry& entry = Entries()[static_cast<std::size_t>(id - 1)];
    m_list->AddRow({QString::number(id), entry.port, entry.mac, entry.status});
}

int CForwardingTableDlg::LastIdOfPage() const {
    return std::min(m_firstShownId + kPageSize - 1, EntryCount());
}

void CForwardingTableDlg::UpdatePageButtons() {
    m_next->setEnabled(EntryCount() > LastIdOfPage());
    m_back->setEnabled(m_firstShownId > 1);
}
