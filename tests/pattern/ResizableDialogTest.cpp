// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ResizableDialog.h"
#include "tests/support/DialogTesting.h"

#include <QPushButton>
#include <QSizeGrip>

#include <gtest/gtest.h>

namespace {

using testsupport::Find;

// A port-grid-like dialog: controls placed by position, anchored to the edges.
class CAnchorProbeDialog : public CResizableDialog {
public:
    CAnchorProbeDialog() {
        Place("grid", QRect(10, 10, 300, 200));
        Place("okButton", QRect(320, 260, 60, 24));
        Place("half", QRect(100, 230, 40, 20));
        Place("tooFar", QRect(10, 230, 40, 20));
        Place("below", QRect(160, 230, 40, 20));
        Place("tall", QRect(220, 10, 20, 100));
        resize(400, 300);
        SetAnchors({{"grid", kAnchorGrowBoth, 100},
                    {"okButton", kAnchorMoveBoth, 100},
                    {"half", kAnchorMoveRight, 50},
                    {"tooFar", kAnchorMoveRight, 150},
                    {"below", kAnchorMoveDown, 100},
                    {"below", kAnchorGrowWidth, 50},
                    {"tall", kAnchorGrowHeight, 100},
                    {"missing", kAnchorMoveBoth, 100}});
    }

    QRect At(const char* name) const { return findChild<QWidget*>(name)->geometry(); }

private:
    void Place(const char* name, const QRect& where) {
        auto* control = new QPushButton(QString::fromLatin1(name), this);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(where);
    }
};

TEST(ResizableDialog, KeepsItsOpeningSizeAndControlsFollowTheirAnchorsByTheirShare) {
    CAnchorProbeDialog dialog;
    dialog.show();
    const auto resizeTo = [&dialog](int width, int height) {
        dialog.resize(width, height);
        testsupport::ProcessEvents();
    };
    // Many small steps add up like one large step.
    for (int width = 401; width <= 420; ++width) {
        resizeTo(width, 300);
    }
    EXPECT_EQ(dialog.At("half"), QRect(110, 230, 40, 20));
    resizeTo(400, 300);
    EXPECT_EQ(dialog.At("half"), QRect(100, 230, 40, 20));
    EXPECT_EQ(dialog.At("grid"), QRect(10, 10, 300, 200));

    EXPECT_EQ(dialog.OpeningSize(), QSize(400, 300));
    resizeTo(200, 100);
    EXPECT_EQ(dialog.size(), QSize(400, 300));
    resizeTo(500, 250);
    EXPECT_EQ(dialog.size(), QSize(500, 300));

    resizeTo(500, 360); // 100 wider, 60 higher
    EXPECT_EQ(dialog.At("grid"), QRect(10, 10, 400, 260));
    EXPECT_EQ(dialog.At("okButton"), QRect(420, 320, 60, 24));
    EXPECT_EQ(dialog.At("half"), QRect(150, 230, 40, 20));
    EXPECT_EQ(dialog.At("below"), QRect(160, 290, 90, 20));
    EXPECT_EQ(dialog.At("tall"), QRect(220, 10, 20, 160));
    EXPECT_EQ(dialog.At("tooFar"), QRect(10, 230, 40, 20)); // above 100 percent: ignored

    // The size grip sits in the bottom right corner.
    auto* grip = Find<QSizeGrip>(&dialog, "sizeGrip");
    ASSERT_NE(grip, nullptr);
    resizeTo(520, 330);
    EXPECT_TRUE(grip->isVisible());
    EXPECT_EQ(grip->geometry().bottomRight(), QPoint(519, 329));
    dialog.ShowGrip(false);
    EXPECT_FALSE(grip->isVisible());

    // An empty anchor table is refused and the old one kept; a new one counts from now on.
    EXPECT_EQ(dialog.SetAnchors({}), 0);
    resizeTo(450, 300);
    EXPECT_EQ(dialog.At("okButton"), QRect(370, 260, 60, 24));
    EXPECT_EQ(dialog.SetAnchors({{"tooFar", kAnchorMoveRight, 100}}), 1);
    resizeTo(470, 300);
    EXPECT_EQ(dialog.At("tooFar"), QRect(30, 230, 40, 20));
    EXPECT_EQ(dialog.At("okButton"), QRect(370, 260, 60, 24));
}

} // namespace
