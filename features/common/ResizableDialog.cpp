// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ResizableDialog.h"

#include <QResizeEvent>
#include <QSizeGrip>

namespace {

bool IsUsable(const AnchorEntry& entry) {
    return entry.percent >= 0 && entry.percent <= 100 && entry.mode >= kAnchorMoveRight &&
           entry.mode <= kAnchorGrowBoth;
}

// Moves or grows `rect` by the share of the dialog's growth that `entry` asks for.
void Follow(QRect& rect, const AnchorEntry& entry, int dx, int dy) {
    const int shareX = dx * entry.percent / 100;
    const int shareY = dy * entry.percent / 100;
    const bool moveX = entry.mode == kAnchorMoveRight || entry.mode == kAnchorMoveBoth;
    const bool moveY = entry.mode == kAnchorMoveDown || entry.mode == kAnchorMoveBoth;
    const bool growX = entry.mode == kAnchorGrowWidth || entry.mode == kAnchorGrowBoth;
    const bool growY = entry.mode == kAnchorGrowHeight || entry.mode == kAnchorGrowBoth;
    rect.translate(moveX ? shareX : 0, moveY ? shareY : 0);
    rect.setWidth(rect.width() + (growX ? shareX : 0));
    rect.setHeight(rect.height() + (growY ? shareY : 0));
}

} // namespace

CResizableDialog::CResizableDialog(QWidget* parent)
    : CFeatureDialog(parent), m_grip(new QSizeGrip(this)) {
    m_grip->setObjectName(QStringLiteral("sizeGrip"));
}

int CResizableDialog::SetAnchors(const QList<AnchorEntry>& entries) {
    if (entries.isEmpty()) {
        return 0;
    }
    m_anchors = entries;
    m_bases.clear();
    if (!m_openingSize.isEmpty()) {
        RememberBaseGeometries();
    }
    return 1;
}

void CResizableDialog::ShowGrip(bool show) {
    m_showGrip = show;
    m_grip->setVisible(show);
}

void CResizableDialog::showEvent(QShowEvent* event) {
    if (m_openingSize.isEmpty()) {
        RememberOpeningSize();
    }
    CFeatureDialog::showEvent(event);
}

void CResizableDialog::RememberOpeningSize() {
    m_openingSize = size();
    setMinimumSize(m_openingSize);
    RememberBaseGeometries();
    PlaceGrip();
}

// Each control grows from where it stood when its anchors were given (or the dialog
// opened), so that many small steps of a drag add up exactly to one large step.
void CResizableDialog::RememberBaseGeometries() {
    for (const AnchorEntry& entry : m_anchors) {
        if (m_bases.contains(entry.control)) {
            continue;
        }
        if (const auto* control = findChild<QWidget*>(entry.control)) {
            m_bases.insert(entry.control, {control->geometry(), size()});
        }
    }
}

void CResizableDialog::resizeEvent(QResizeEvent* event) {
    CFeatureDialog::resizeEvent(event);
    if (isMinimized() || m_openingSize.isEmpty()) {
        return;
    }
    ApplyAnchors();
    PlaceGrip();
}

void CResizableDialog::ApplyAnchors() {
    QHash<QString, QRect> placed;
    for (const AnchorEntry& entry : m_anchors) {
        const auto base = m_bases.constFind(entry.control);
        if (!IsUsable(entry) || base == m_bases.cend()) {
            continue;
        }
        QRect& rect = placed.contains(entry.control)
                          ? placed[entry.control]
                          : placed.insert(entry.control, base->rect).value();
        Follow(rect, entry, width() - base->dialogSize.width(),
               height() - base->dialogSize.height());
    }
    for (auto it = placed.cbegin(); it != placed.cend(); ++it) {
        if (auto* control = findChild<QWidget*>(it.key())) {
            control->setGeometry(it.value());
        }
    }
}

void CResizableDialog::PlaceGrip() {
    const QSize gripSize = m_grip->sizeHint();
    m_grip->setGeometry(width() - gripSize.width(), height() - gripSize.height(), gripSize.width(),
                        gripSize.height());
    m_grip->raise();
    m_grip->setVisible(m_showGrip);
}
