// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "panel/MyBitmapApp.h"

#include "panel/Dib.h"

#include <QPaintDevice>
#include <QPainter>

CMyBitmapApp& CMyBitmapApp::Instance() {
    static CMyBitmapApp instance;
    return instance;
}

bool CMyBitmapApp::Load(int number) {
    if (IsLoaded(number)) {
        return true;
    }
    CDib dib;
    if (!dib.LoadFromResource(number)) {
        return false;
    }
    m_Bitmaps.push_back({number, dib.Image(), dib.HiDpiImage()});
    return true;
}

bool CMyBitmapApp::LoadIndicatorBitmaps() {
    bool all = true;
    for (int number : kIndicatorBitmaps) {
        all = Load(number) && all;
    }
    return all;
}

const CMyBitmapApp::Entry* CMyBitmapApp::Find(int number) const {
    for (const Entry& entry : m_Bitmaps) {
        if (entry.number == number) {
            return &entry;
        }
    }
    return nullptr;
}

QSize CMyBitmapApp::Size(int number) const {
    const Entry* entry = Find(number);
    return entry ? entry->image.size() : QSize();
}

bool CMyBitmapApp::Draw(QPainter& painter, int number, int x, int y, int sourceX,
                        int sourceY) const {
    const Entry* entry = Find(number);
    if (!entry) {
        return false;
    }
    const QImage& image = painter.device()->devicePixelRatio() > 1.0 && !entry->hiDpiImage.isNull()
                              ? entry->hiDpiImage
                              : entry->image;
    const qreal scale = image.devicePixelRatio();
    const QSize size = entry->image.size();
    painter.drawImage(
        QRectF(QPointF(x, y), size), image,
        QRectF(sourceX * scale, sourceY * scale, size.width() * scale, size.height() * scale));
    return true;
}

void CMyBitmapApp::AddPosition(int x, int y) {
    if (m_nPositionCount >= kPositionEntries) {
        return;
    }
    m_Positions[m_nPositionCount].first = QPoint(x, y);
    ++m_nPositionCount;
}

QPoint CMyBitmapApp::Position(int entry, bool firstPair) const {
    if (entry < 0 || entry >= kPositionEntries) {
        return {};
    }
    return firstPair ? m_Positions[entry].first : m_Positions[entry].second;
}

void CMyBitmapApp::ClearPositions() {
    m_Positions = {};
    m_nPositionCount = 0;
}

void CMyBitmapApp::DrawFromPositionTable(QPainter& painter, int entryAndFlag, int number) const {
    if (number == 0) {
        return;
    }
    const QPoint at = Position(entryAndFlag & 0x7f, (entryAndFlag & 0x80) != 0);
    Draw(painter, number, at.x(), at.y());
}
