// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/SystemInfoDialog.h"

#include "features/maintenance/PublicMibText.h"
#include "snmp/InputChecks.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr std::size_t kValueCount = 6;

} // namespace

CSystemInfoMib::~CSystemInfoMib() {
    StopReading();
}

bool CSystemInfoMib::StartRead(ReadHandler handler) {
    StopReading();
    m_handler = std::move(handler);
    if (m_cCommonSNMP.Open(kPduGet) != 1) {
        return false;
    }
    for (const std::string& oid :
         {kSysDescr, kSysObjectID, kSysUpTime, kSysContact, kSysName, kSysLocation}) {
        if (m_cCommonSNMP.AddValue(oid, kSnmpNull, "") != 0) {
            m_cCommonSNMP.Open(kPduGet); // no half-built request stays behind
            return false;
        }
    }
    m_cCommonSNMP.StartRequest(&CSystemInfoMib::ReadDone, this, kReadTimeoutMs);
    return true;
}

CSetRequest CSystemInfoMib::WriteRequest(const std::string& nameUtf8,
                                         const std::string& locationUtf8) {
    CSetRequest request;
    request.OctetString(kSysName, nameUtf8).OctetString(kSysLocation, locationUtf8);
    return request;
}

// Closing cancels the read under way and forgets its id; a callback that got past that
// point is waited for, and what it handed over is dropped.
void CSystemInfoMib::StopReading() {
    m_cCommonSNMP.Close();
    std::unique_lock lock(m_resultMutex);
    m_callbackLeft.wait(lock, [this] { return m_callbacksRunning == 0; });
    m_results.clear();
}

unsigned CSystemInfoMib::ReadDone(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                  int status) {
    auto* mib = static_cast<CSystemInfoMib*>(context);
    {
        std::lock_guard lock(mib->m_resultMutex);
        ++mib->m_callbacksRunning;
    }
    mib->HandleReadDone(std::move(response), requestId, status);
    std::lock_guard lock(mib->m_resultMutex);
    --mib->m_callbacksRunning;
    mib->m_callbackLeft.notify_all(); // the last access to the object
    return 0;
}

// The session's worker thread.
void CSystemInfoMib::HandleReadDone(std::unique_ptr<CSnmp> response, int requestId, int status) {
    if (m_cCommonSNMP.RemovePending(requestId) == 0) {
        return;
    }
    std::optional<Values> values;
    if (status == 0 && response && response->getValuesCount() >= static_cast<int>(kValueCount)) {
        std::string text[kValueCount];
        for (std::size_t i = 0; i < kValueCount; ++i) {
            int type = 0;
            response->getValue(static_cast<int>(i), type, text[i]);
        }
        values = Values{text[0], text[1], text[2], text[3], text[4], text[5]};
    }
    {
        std::lock_guard lock(m_resultMutex);
        m_results.push_back(std::move(values));
    }
    m_cCommonSNMP.SignalIdle();
    m_wakeUp.Notify();
}

// The maker's thread.
void CSystemInfoMib::Deliver() {
    std::vector<std::optional<Values>> results;
    {
        std::lock_guard lock(m_resultMutex);
        results.swap(m_results);
    }
    for (const std::optional<Values>& values : results) {
        if (m_handler) {
            m_handler(values);
        }
    }
}

CSystemInfoDlg::CSystemInfoDlg(QWidget* parent) : CFeatureDialog(parent) {
    setWindowTitle(QStringLiteral("System Information"));
    auto* form = new QFormLayout;
    m_description = AddText("descriptionText");
    m_description->setWordWrap(true);
    m_objectId = AddText("objectIdText");
    m_upTime = AddText("upTimeText");
    m_name = AddEdit("nameEdit");
    m_location = AddEdit("locationEdit");
    m_contact = AddEdit("contactEdit");
    form->addRow(QStringLiteral("Description"), m_description);
    form->addRow(QStringLiteral("Object OID"), m_objectId);
    form->addRow(QStringLiteral("Up Time"), m_upTime);
    form->addRow(QStringLiteral("Name"), m_name);
    form->addRow(QStringLiteral("Location"), m_location);
    form->addRow(QStringLiteral("Contact"), m_contact);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(RefreshButton());
    buttons->addWidget(ApplyButton());
    buttons->addWidget(CloseButton());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

QLineEdit* CSystemInfoDlg::AddEdit(const char* objectName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    return edit;
}

QLabel* CSystemInfoDlg::AddText(const char* objectName) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void CSystemInfoDlg::Refresh() {
    SetReading(true);
    const bool started = m_cMib.StartRead(
        [this](const std::optional<CSystemInfoMib::Values>& values) { ShowValues(values); });
    if (!started) {
        SetReading(false);
    }
}

void CSystemInfoDlg::ShowValues(const std::optional<CSystemInfoMib::Values>& values) {
    if (values) {
        m_description->setText(Utf8ToText(values->description));
        m_objectId->setText(QString::fromStdString(values->objectId));
        m_upTime->setText(UpTimeText(values->upTime));
        m_contact->setText(Utf8ToText(values->contact));
        m_name->setText(Utf8ToText(values->name));
        m_location->setText(Utf8ToText(values->location));
    }
    SetReading(false);
}

void CSystemInfoDlg::Apply() {
    const std::string name = TextToUtf8(m_name->text());
    const std::string location = TextToUtf8(m_location->text());
    CheckChain checks;
    checks.Require([&] { return CheckName(m_name->text().toStdString()); }, "Invalid System Name.")
        .Require([&] { return CheckName(m_location->text().toStdString()); },
                 "Invalid System Location.");
    if (ShowRefusal(checks.FirstRefusal())) {
        return;
    }
    SendSet(m_cMib.SetSession(), CSystemInfoMib::WriteRequest(name, location));
}
