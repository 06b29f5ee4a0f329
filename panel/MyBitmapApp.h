// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// CMyBitmapApp: the process-wide collection of the small indicator bitmaps drawn over the
// panel, and the position table filled by the panel description (elements with ID "0").
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

#include <array>
#include <vector>

class QPainter;

class CMyBitmapApp {
public:
    static constexpr int kPositionEntries = 100;
    // Loaded after the panel, in this order.
    static constexpr std::array<int, 11> kIndicatorBitmaps = {160, 159, 161, 162, 158, 163,
                                                              164, 190, 191, 192, 221};

    static CMyBitmapApp& Instance();

    // Loads one bitmap of the program's resources; a number already loaded is kept.
    bool Load(int number);
    bool LoadIndicatorBitmaps();
    bool IsLoaded(int number) const { return Find(number) != nullptr; }
    QSize Size(int number) const;
    // Copies the bitmap at its full size to (x, y), in panel pixels; devices of more than one
    // device pixel to a panel pixel get its @2x bitmap. A number never loaded draws nothing.
    bool Draw(QPainter& painter, int number, int x, int y, int sourceX = 0, int sourceY = 0) const;

    // Appends (x, y) as the first pair of the next entry; entries beyond the table are dropped.
    void AddPosition(int x, int y);
    int PositionCount() const { return m_nPositionCount; }
    // The entry's first pair, or its second pair when `firstPair` is false.
    QPoint Position(int entry, bool firstPair = true) const;
    void ClearPositions();
    // Bits 0..6 of `entryAndFlag` select the entry; with bit 0x80 its first pair is used.
    void DrawFromPositionTable(QPainter& painter, int entryAndFlag, int number) const;

private:
    struct Entry {
        int number;
        QImage image;
        QImage hiDpiImage; // the @2x bitmap, null when there is none
    };
    struct PositionEntry {
        QPoint first;
        QPoint second;
    };

    const Entry* Find(int number) const;

    std::vector<Entry> m_Bitmaps;
    std::array<PositionEntry, kPositionEntries> m_Positions{};
    int m_nPositionCount = 0;
};
