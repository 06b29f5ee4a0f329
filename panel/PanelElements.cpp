// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "panel/PanelElements.h"

#include "platform/PortBroadcast.h"
#include "platform/Terminal.h"
#include "snmp/SessionParameters.h"

#include <QPainter>

namespace {

PortClickAction& ClickAction() {
    static PortClickAction action;
    return action;
}

// What a lamp of this type shows for a port status.
int LampStatusForPort(const CStatusObserver* observer, int portStatus) {
    const auto* lamp = dynamic_cast<const CLamp*>(observer);
    if (lamp && (portStatus == PortLink100 || portStatus == PortLink10) &&
        (lamp->IsType(LampS100M) || lamp->IsType(LampLink))) {
        return portStatus == PortLink100 ? LampOn : Lamp1G;
    }
    return LampOff;
}

void NotifyObservers(CStatusSubject& subject, int value) {
    subject.SetValue(value);
    for (CStatusObserver* observer : subject.Observers()) {
        observer->Update();
    }
}

} // namespace

void SetPortClickAction(PortClickAction action) {
    ClickAction() = std::move(action);
}

void CDevModule::OnMouseMove(const QPointF& point, PanelCursor& cursor) {
    for (const auto& child : m_Children) {
        child->OnMouseMove(point, cursor);
    }
}

void CDevModule::OnLButtonDown(const QPointF& point) {
    for (const auto& child : m_Children) {
        child->OnLButtonDown(point);
    }
}

void CModule::ResetPorts() {
    for (const auto& child : m_Children) {
        if (auto* port = dynamic_cast<CPort*>(child.get())) {
            port->SetStatus(PortEnable);
        } else if (auto* module = dynamic_cast<CModule*>(child.get())) {
            module->ResetPorts();
        }
    }
}

void CPort::OnMouseMove(const QPointF& point, PanelCursor& cursor) {
    if (HitTest(point)) {
        cursor = PanelCursor::Hand;
    }
}

bool CPort::Initialize() {
    if (!LoadBitmap(StateBitmap(m_nStatus))) {
        return false;
    }
    m_Subject.SetValue(m_nStatus);
    return true;
}

void CPort::OnLButtonDown(const QPointF& point) {
    if (!HitTest(point)) {
        return;
    }
    platform::BroadcastPortClicked(m_nPortIdentifier);
    if (ClickAction()) {
        ClickAction()(*this);
    }
}

void CPort::SetStatus(int status) {
    if (status == m_nStatus) {
        return;
    }
    m_nStatus = status;
    m_bDirty = true;
    for (CStatusObserver* observer : m_Subject.Observers()) {
        m_Subject.SetValue(LampStatusForPort(observer, status));
        observer->Update();
    }
    Initialize();
    Invalidate();
}

void CPort::SetStateBitmap(int status, const QString& name) {
    if (status >= 0 && status < kStates) {
        m_StateBitmaps[static_cast<size_t>(status)] = name.left(kMaxBitmapName);
    }
}

QString CPort::StateBitmap(int status) const {
    if (status < 0 || status >= kStates) {
        return {};
    }
    return m_StateBitmaps[static_cast<size_t>(status)];
}

void CCom::OnMouseMove(const QPointF& point, PanelCursor& cursor) {
    if (HitTest(point)) {
        cursor = PanelCursor::Hand;
    }
}

bool CCom::Initialize() {
    NotifyObservers(m_Subject, m_nStatus);
    return true;
}

void CCom::OnLButtonDown(const QPointF& point) {
    if (HitTest(point)) {
        platform::StartTelnetOrSayWhy(QString::fromStdString(SessionParameters().DeviceAddress));
    }
}

bool CPower::Initialize() {
    NotifyObservers(m_Subject, m_nStatus);
    return true;
}

CLamp::CLamp() {
    m_Name = QStringLiteral("Lamp");
}

bool CLamp::Initialize() {
    SetStatus(m_nStatus);
    return true;
}

void CLamp::Draw() {
    if (!m_pPaintContext || m_nStatus < 0 || m_nStatus >= kStates) {
        return;
    }
    const QString& name = m_StatusBitmaps[static_cast<size_t>(m_nStatus)];
    if (name.isEmpty()) {
        return;
    }
    if (name != m_LoadedName) {
        m_LoadedName = LoadBitmap(name) ? name : QString();
    }
    m_Dib.Draw(*m_pPaintContext, m_nLeft, m_nTop);
}

void CLamp::Update() {
    if (!m_pSubject) {
        return;
    }
    const int value = m_pSubject->Value();
    SetStatus(value == LampOn || value == Lamp1G ? value : LampOff);
    if (!m_StatusBitmaps[static_cast<size_t>(m_nStatus)].isEmpty()) {
        Invalidate();
    }
}

void CLamp::AttachTo(CPanelItem* enclosing) {
    m_pEnclosing = enclosing;
    const bool followsStatus =
        dynamic_cast<CPort*>(enclosing) != nullptr || dynamic_cast<CCom*>(enclosing) != nullptr;
    if (followsStatus) {
        SetSubject(enclosing->StatusSubject());
        enclosing->StatusSubject()->Attach(this);
    }
}

void CLamp::SetStatusBitmap(int status, const QString& name) {
    if (status >= 0 && status < kStates) {
        m_StatusBitmaps[static_cast<size_t>(status)] = name.left(kMaxBitmapName);
    }
}

CLed::CLed() {
    m_Name = QStringLiteral("Led");
}

bool CLed::Initialize() {
    if (m_nValue < 0 || m_nValue >= kValues) {
        return true;
    }
    return LoadBitmap(BitmapFor(m_nValue));
}

void CLed::SetBitmap(int index, const QString& name) {
    if (index >= 0 && index < kValues) {
        m_Bitmaps[static_cast<size_t>(index)] = name.left(kMaxBitmapName);
    }
}

QString CLed::BitmapFor(int index) const {
    if (index < 0 || index >= kValues) {
        return {};
    }
    return m_Bitmaps[static_cast<size_t>(index)];
}

void ResetPanelAfterTimeout(CDevModule& root) {
    int portNumber = 0;
    for (int i = 0; i < root.ChildCount(); ++i) {
        CPanelItem* child = root.GetChild(i);
        if (auto* port = dynamic_cast<CPort*>(child)) {
            ++portNumber;
            if (portNumber <= 48) {
                port->SetStatus(PortEnable);
            } else if (portNumber <= 52) {
                port->SetStatus(PortEmpty);
            }
        } else if (auto* module = dynamic_cast<CModule*>(child)) {
            module->ResetPorts();
        }
    }
}

CPort* NumberedPort(const CPanelItem& root, int portNumber) {
    if (portNumber < 1) {
        return nullptr;
    }
    return static_cast<CPort*>(root.FindChild("CPort", portNumber - 1));
}
