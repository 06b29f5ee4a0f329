// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The KSX-7700-52's panel on a scaled screen. This binary runs once with QT_SCALE_FACTOR=2
// and once with 1.5 (read when the application starts): the view paints the @2x pictures,
// hit-tests between whole panel pixels, and saves a screenshot per factor.
#include "panel/PanelView.h"
#include "snmp/SessionParameters.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kLast = 52;

qreal Scale() {
    return qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
}

// The first device pixel past `edge` towards `step`, in panel pixels.
qreal NextDevicePixel(qreal edge, int step) {
    const qreal device = edge * Scale();
    return (step > 0 ? std::floor(device) + 1 : std::ceil(device) - 1) / Scale();
}

// The device pixels wholly inside `rect` of `painted`, after drawing `picture` there as the
// view draws it.
QImage Inside(QImage painted, const QRect& rect, const QImage* picture = nullptr) {
    if (picture) {
        QPainter painter(&painted);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect), *picture);
    }
    const QRectF device(QPointF(rect.topLeft()) * Scale(), QSizeF(rect.size()) * Scale());
    return painted.copy(QRect(QPoint(qCeil(device.left()) + 1, qCeil(device.top()) + 1),
                              QPoint(qFloor(device.right()) - 2, qFloor(device.bottom()) - 2)));
}

class HiDpiPanel : public ::testing::Test {
protected:
    void SetUp() override {
        DeviceValues().ModelName = "KSX-7700-52";
        DeviceValues().DevicePortCount = kLast;
        ASSERT_TRUE(view.LoadDescription(
            QString(KSX_SOURCE_DIR "/resources/panels/KSX-7700-52/KSX-7700-52.xml")));
        SetPortClickAction([this](CPort& port) { clicked.push_back(port.PortIdentifier()); });
        view.show();
        ASSERT_EQ(view.devicePixelRatio(), Scale())
            << "QT_SCALE_FACTOR (set by ctest) is read at start";
    }
    void TearDown() override { SetPortClickAction({}); }

    QRect Rect(int port) { return NumberedPort(view.Root(), port)->GetRect(); }

    // The port a mouse move and left click at `at` reach (0 for none); cursor and tooltip agree.
    int PortAt(QPointF at) {
        clicked.clear();
        for (auto type : {QEvent::MouseMove, QEvent::MouseButtonPress}) {
            const auto button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, at, view.mapToGlobal(at), button, button, Qt::NoModifier);
            QApplication::sendEvent(&view, &event);
        }
        const int port = clicked.empty() ? 0 : clicked.front();
        EXPECT_EQ(view.cursor().shape(), port ? Qt::PointingHandCursor : Qt::ArrowCursor);
        EXPECT_EQ(view.ToolTipAt(at).section(u'\n', 0, 0),
                  port ? QString("Port %1").arg(port) : QString());
        return port;
    }

    CPanelView view;
    std::vector<int> clicked;
};

} // namespace

TEST_F(HiDpiPanel, HitTestFindsTheLastPortToTheDevicePixel) {
    const QRectF in = QRectF(Rect(kLast)).adjusted(2, 2, -2, -2); // edges are outside
    const struct {
        QPointF at;
        int port;
    } cases[] = {{{NextDevicePixel(in.left(), 1), NextDevicePixel(in.top(), 1)}, kLast},
                 {{NextDevicePixel(in.right(), -1), NextDevicePixel(in.bottom(), -1)}, kLast},
                 {{in.left(), in.center().y()}, 0},
                 {{in.right(), in.center().y()}, 0},
                 {{in.center().x(), in.top()}, 0},
                 {{in.center().x(), in.bottom()}, 0},
                 {Rect(kLast - 1).center(), kLast - 1},
                 {Rect(kLast - 2).center(), kLast - 2},
                 {{(Rect(kLast - 2).right() + in.left()) / 2, in.center().y()}, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(PortAt(c.at), c.port) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(HiDpiPanel, PaintsTheAt2xPicturesAndSavesAScreenshot) {
    PanelPollResult up;
    for (int port = 1; port <= kLast; ++port) {
        up.Ports.push_back({port, PortLink10, 1, 0});
    }
    view.ApplyPollResult(up);
    const QImage painted = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted.size(), (QSizeF(view.size()) * Scale()).toSize());

    CPort& last = *NumberedPort(view.Root(), kLast);
    CDib port, lamp;
    ASSERT_TRUE(port.LoadFromFile(last.BitmapPath(last.StateBitmap(PortLink10))));
    ASSERT_TRUE(lamp.LoadFromResource(161)); // an even port's green lamp
    for (const auto& [rect, dib] :
         {std::pair{last.GetRect(), &port}, std::pair{last.GetChild(0)->GetRect(), &lamp}}) {
        EXPECT_TRUE(Inside(painted, rect) == Inside(painted, rect, &dib->HiDpiImage()));
        EXPECT_FALSE(Inside(painted, rect) == Inside(painted, rect, &dib->Image()));
    }
    ASSERT_TRUE(QDir().mkpath(QString(KSX_SCREENSHOT_DIR)));
    EXPECT_TRUE(
        painted.save(QString(KSX_SCREENSHOT_DIR "/panel-KSX-7700-52-scale%1.png").arg(Scale())));
}
