// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// CDib: a bitmap read from a file or from the program's own resources, kept as 24-bit
// colour or, for images of at most 8 bits per pixel, with its colour table. A NAME@2x.png
// beside NAME.png (twice the pixels) is loaded with it and drawn on devices with more than
// one device pixel to a panel pixel; sizes and positions stay in panel pixels.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

class CDib {
public:
    // An empty name loads nothing. After a failure no image is loaded, not even an earlier one.
    bool LoadFromFile(const QString& fileName);
    // The indicator bitmaps compiled into the program, by number (158, 159, ...).
    bool LoadFromResource(int number);
    void Release() {
        m_Image = QImage();
        m_HiDpiImage = QImage();
    }

    // Copies the whole bitmap stretched to the destination.
    void DrawStretched(QPainter& painter, int x, int y, int width, int height) const;
    void Draw(QPainter& painter, int x, int y) const;
    // Copies unscaled; the source rectangle counts its rows from the bottom of the bitmap.
    void DrawPart(QPainter& painter, const QRect& destination, const QRect& source) const;

    bool IsLoaded() const { return !m_Image.isNull(); }
    int Width() const { return m_Image.width(); }
    int Height() const { return m_Image.height(); }
    // 1, 4 or 8 for images with a colour table, 24 otherwise; 0 when nothing is loaded.
    int BitCount() const;
    bool HasPalette() const { return IsLoaded() && m_Image.colorCount() > 0; }
    const QImage& Image() const { return m_Image; }
    // The @2x image (device pixel ratio 2), null when there is none.
    const QImage& HiDpiImage() const { return m_HiDpiImage; }
    // What a device of this pixel ratio draws: the @2x image above 1 when there is one.
    const QImage& ImageFor(qreal devicePixelRatio) const;

    static QString ResourcePath(int number);

private:
    bool Convert(const QImage& loaded);
    void LoadHiDpi(const QString& fileName);

    QImage m_Image;
    QImage m_HiDpiImage;
};
