// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "panel/Dib.h"

#include "platform/Trace.h"

#include <QPainter>

bool CDib::LoadFromFile(const QString& fileName) {
    if (fileName.isEmpty()) {
        Release();
        return false;
    }
    return Convert(QImage(fileName));
}

bool CDib::LoadFromResource(int number) {
    return Convert(QImage(ResourcePath(number)));
}

QString CDib::ResourcePath(int number) {
    return QStringLiteral(":/indicators/%1.png").arg(number);
}

int CDib::BitCount() const {
    if (!IsLoaded()) {
        return 0;
    }
    return m_Image.depth() <= 8 ? m_Image.depth() : 24;
}

bool CDib::Convert(const QImage& loaded) {
    m_Image = QImage();
    if (loaded.isNull()) {
        return false;
    }
    if (loaded.depth() <= 8 && loaded.colorCount() > 0) {
        m_Image = loaded;
        return true;
    }
    // Device-independent bitmaps carry no alpha: keep the colour, make every pixel opaque.
    m_Image = loaded.convertToFormat(QImage::Format_RGB32);
    if (m_Image.isNull()) {
        platform::DebugTrace("could not allocate data storage\n");
        return false;
    }
    return true;
}

void CDib::DrawStretched(QPainter& painter, int x, int y, int width, int height) const {
    if (!IsLoaded()) {
        return;
    }
    painter.drawImage(QRect(x, y, width, height), m_Image);
}

void CDib::Draw(QPainter& painter, int x, int y) const {
    DrawStretched(painter, x, y, Width(), Height());
}

void CDib::DrawPart(QPainter& painter, const QRect& destination, const QRect& source) const {
    if (!IsLoaded()) {
        return;
    }
    const int topRow = Height() - source.y() - source.height();
    painter.drawImage(destination.topLeft(), m_Image,
                      QRect(source.x(), topRow, source.width(), source.height()));
}
