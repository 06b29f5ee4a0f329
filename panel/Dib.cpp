// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "panel/Dib.h"

#include "platform/Trace.h"

#include <QIcon>
#include <QImageReader>
#include <QPaintDevice>
#include <QPainter>

bool CDib::LoadFromFile(const QString& fileName) {
    if (fileName.isEmpty()) {
        Release();
        return false;
    }
    if (!Convert(QImage(fileName))) {
        return false;
    }
    LoadHiDpi(fileName);
    return true;
}

bool CDib::LoadFromResource(int number) {
    return LoadFromFile(ResourcePath(number));
}

// Qt's own lookup of the @2x file (the one QIcon uses); a file of another size than twice the
// plain one is not taken.
void CDib::LoadHiDpi(const QString& fileName) {
    qreal ratio = 1.0;
    const QString hiDpiName = qt_findAtNxFile(fileName, 2.0, &ratio);
    if (ratio != 2.0 || hiDpiName == fileName) {
        return;
    }
    QImageReader reader(hiDpiName);
    if (reader.size() != m_Image.size() * 2) {
        return;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return;
    }
    m_HiDpiImage = image.depth() <= 8 && image.colorCount() > 0
                       ? image
                       : image.convertToFormat(QImage::Format_RGB32);
    m_HiDpiImage.setDevicePixelRatio(2.0);
}

const QImage& CDib::ImageFor(qreal devicePixelRatio) const {
    return devicePixelRatio > 1.0 && !m_HiDpiImage.isNull() ? m_HiDpiImage : m_Image;
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
    m_HiDpiImage = QImage();
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
    painter.drawImage(QRect(x, y, width, height), ImageFor(painter.device()->devicePixelRatio()));
}

void CDib::Draw(QPainter& painter, int x, int y) const {
    DrawStretched(painter, x, y, Width(), Height());
}

void CDib::DrawPart(QPainter& painter, const QRect& destination, const QRect& source) const {
    if (!IsLoaded()) {
        return;
    }
    const int topRow = Height() - source.y() - source.height();
    const QImage& image = ImageFor(painter.device()->devicePixelRatio());
    const qreal scale = image.devicePixelRatio();
    painter.drawImage(QRectF(destination.topLeft(), source.size()), image,
                      QRectF(source.x() * scale, topRow * scale, source.width() * scale,
                             source.height() * scale));
}
