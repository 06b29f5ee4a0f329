// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "panel/PanelItem.h"

#include <QDir>
#include <QPainter>
#include <QWidget>

CPanelItem::CPanelItem() = default;

CPanelItem::~CPanelItem() {
    while (!m_Children.empty()) {
        m_Children.pop_back();
    }
}

void CPanelItem::OnMouseMove(const QPointF& point, PanelCursor& cursor) {
    if (HitTest(point)) {
        cursor = PanelCursor::Arrow;
    }
}

bool CPanelItem::Initialize() {
    return LoadBitmap(m_BitmapName);
}

void CPanelItem::Draw() {
    if (m_pPaintContext) {
        m_Dib.DrawStretched(*m_pPaintContext, m_nLeft, m_nTop, m_nWidth, m_nHeight);
    }
}

void CPanelItem::SetStatus(int status) {
    if (status != m_nStatus) {
        m_nStatus = status;
        m_bDirty = true;
    }
}

void CPanelItem::SetRect(int left, int top, int width, int height) {
    m_nLeft = left;
    m_nTop = top;
    m_nWidth = width;
    m_nHeight = height;
}

bool CPanelItem::HitTest(const QPointF& point) const {
    const int right = m_nLeft + m_nWidth;
    const int bottom = m_nTop + m_nHeight;
    return point.x() > m_nLeft + 2 && point.x() < right - 2 && point.y() > m_nTop + 2 &&
           point.y() < bottom - 2;
}

QString CPanelItem::BitmapPath(const QString& name) const {
    if (name.isEmpty() || m_BitmapFolder.isEmpty() || QDir::isAbsolutePath(name)) {
        return name;
    }
    return QDir(m_BitmapFolder).filePath(name);
}

void CPanelItem::AddChild(std::unique_ptr<CPanelItem> child) {
    m_Children.push_back(std::move(child));
}

CPanelItem* CPanelItem::GetChild(int index) const {
    if (index < 0 || index >= ChildCount()) {
        return nullptr;
    }
    return m_Children[static_cast<size_t>(index)].get();
}

CPanelItem* CPanelItem::FindChild(std::string_view className, int n) const {
    for (const auto& child : m_Children) {
        if (className == child->RuntimeClassName() && n-- == 0) {
            return child.get();
        }
    }
    return nullptr;
}

void CPanelItem::AttachOwner(QWidget* owner) {
    m_pOwner = owner;
    m_ClientRect = owner ? owner->rect() : QRect();
    m_nReferenceWidth = m_ClientRect.width();
    m_nReferenceHeight = m_ClientRect.height();
    for (const auto& child : m_Children) {
        child->AttachOwner(owner);
    }
}

void CPanelItem::SetPaintContext(QPainter* painter) {
    m_pPaintContext = painter;
    for (const auto& child : m_Children) {
        child->SetPaintContext(painter);
    }
}

void CPanelItem::DrawChildren() {
    for (const auto& child : m_Children) {
        child->Draw();
        child->m_bDirty = false;
    }
}

bool CPanelItem::LoadBitmap(const QString& name) {
    return m_Dib.LoadFromFile(BitmapPath(name));
}

void CPanelItem::Invalidate() const {
    if (m_pOwner) {
        m_pOwner->update(GetRect());
    }
}
