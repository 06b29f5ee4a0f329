// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Base of the port-grid dialogs: a feature dialog the user may enlarge, never below the size
// it opened with. Its controls are placed by position (no layout) and follow the right and
// bottom edges by their anchors; a size grip sits in the bottom-right corner.
#pragma once

#include "features/common/FeatureDialog.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

class QSizeGrip;

// How an anchored control follows the dialog's growth (dx, dy), by `percent` of it:
enum AnchorMode : int {
    kAnchorMoveRight = 0,  // left edge moves
    kAnchorMoveDown = 1,   // top edge moves
    kAnchorMoveBoth = 2,   // both
    kAnchorGrowWidth = 3,  // width grows
    kAnchorGrowHeight = 4, // height grows
    kAnchorGrowBoth = 5,   // width and height grow
};

struct AnchorEntry {
    QString control; // objectName of a child control
    int mode = kAnchorMoveBoth;
    int percent = 100; // 0..100; entries outside are ignored
};

class CResizableDialog : public CFeatureDialog {
    Q_OBJECT

public:
    explicit CResizableDialog(QWidget* parent = nullptr);

    // Uses a copy of `entries`. An empty table is refused (0) and the one in use is kept.
    int SetAnchors(const QList<AnchorEntry>& entries);
    // Shows or hides the size grip (shown by default).
    void ShowGrip(bool show);
    // The size the dialog opened with, its minimum (empty before it is first shown).
    QSize OpeningSize() const { return m_openingSize; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct BaseGeometry {
        QRect rect;       // where the control stood
        QSize dialogSize; // when the dialog had this size
    };

    void RememberOpeningSize();
    void RememberBaseGeometries();
    void ApplyAnchors();
    void PlaceGrip();

    QList<AnchorEntry> m_anchors;
    QHash<QString, BaseGeometry> m_bases;
    QSizeGrip* m_grip;
    bool m_showGrip = true;
    QSize m_openingSize;
};
