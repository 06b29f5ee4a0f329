// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The KSX-7700-52's panel on a scaled screen. This binary runs once with QT_SCALE_FACTOR=2
// and once with 1.5 (the factor must be set before the application exists): the view paints
// the @2x pictures, hit-tests between whole panel pixels, and saves a screenshot per factor.
#include "panel/MyBitmapApp.h"
#include "panel/PanelView.h"
#include "snmp/SessionParameters.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kLastPort = 52;

qreal ScaleFactor() {
    return qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
}

// `picture` drawn into the panel rectangle `rect` of a canvas like `painted`, as the view
// draws it; the device pixels wholly inside `rect` are returned.
QImage Inside(const QImage& painted, const QRect& rect, const QImage* picture = nullptr) {
    const qreal ratio = painted.devicePixelRatio();
    QImage canvas = painted;
    if (picture) {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect), *picture);
    }
    const QRectF device(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio);
    const QPoint from(qCeil(device.left()) + 1, qCeil(device.top()) + 1);
    const QPoint to(qFloor(device.right()) - 2, qFloor(device.bottom()) - 2);
    return canvas.copy(QRect(from, to)).convertToFormat(QImage::Format_RGB32);
}

class HiDpiPanel : public ::testing::Test {
protected:
    void SetUp() override {
        saved = DeviceValues();
        DeviceValues().ModelName = "KSX-7700-52";
        DeviceValues().DevicePortCount = kLastPort;
        ASSERT_TRUE(view.LoadDescription(
            QStringLiteral(KSX_SOURCE_DIR "/resources/panels/KSX-7700-52/KSX-7700-52.xml")));
        SetPortClickAction([this](CPort& port) { clicked.push_back(port.PortIdentifier()); });
        view.show();
        ASSERT_EQ(view.devicePixelRatio(), ScaleFactor());
    }

    void TearDown() override {
        SetPortClickAction({});
        DeviceValues() = saved;
    }

    QRect PortRect(int number) { return NumberedPort(view.Root(), number)->GetRect(); }

    void Send(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton) {
        QMouseEvent event(type, at, view.mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }

    // The port a left click at `at` reaches (0 for none); the cursor and the tooltip agree.
    int PortAt(QPointF at) {
        clicked.clear();
        Send(QEvent::MouseMove, at);
        Send(QEvent::MouseButtonPress, at, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, at, Qt::LeftButton);
        const int port = clicked.empty() ? 0 : clicked.front();
        EXPECT_EQ(view.cursor().shape(), port ? Qt::PointingHandCursor : Qt::ArrowCursor);
        EXPECT_EQ(view.ToolTipAt(at).section(u'\n', 0, 0),
                  port ? QStringLiteral("Port %1").arg(port) : QString());
        return port;
    }

    CPanelView view;
    std::vector<int> clicked;
    DeviceValuesData saved;
};

} // namespace

// Where the screen's first device pixel past `edge` (towards `step`) lies, in panel pixels.
qreal NextDevicePixel(qreal edge, int step) {
    const qreal device = edge * ScaleFactor();
    return (step > 0 ? std::floor(device) + 1 : std::ceil(device) - 1) / ScaleFactor();
}

TEST_F(HiDpiPanel, HitTestFindsTheLastPortToTheDevicePixel) {
    const QRect last = PortRect(kLastPort);
    const qreal left = last.left() + 2, right = last.left() + last.width() - 2;
    const qreal top = last.top() + 2, bottom = last.top() + last.height() - 2;
    const qreal midX = (left + right) / 2, midY = (top + bottom) / 2;
    const struct {
        QPointF at;
        int port;
    } cases[] = {
        {{NextDevicePixel(left, 1), NextDevicePixel(top, 1)}, kLastPort},
        {{NextDevicePixel(right, -1), NextDevicePixel(bottom, -1)}, kLastPort},
        {{left, midY}, 0},
        {{right, midY}, 0},
        {{midX, bottom}, 0},
        {{midX, top}, 0},
        {PortRect(kLastPort - 1).center(), kLastPort - 1},
        {PortRect(kLastPort - 2).center(), kLastPort - 2},
        {{(PortRect(kLastPort - 2).right() + last.left()) / 2.0, midY}, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PortAt(c.at), c.port) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(HiDpiPanel, TooltipUsesThePositionBetweenWholePixels) {
    const QRect last = PortRect(kLastPort);
    // Just inside the right edge: the help event's rounded position lies on the edge.
    const QPointF inside(NextDevicePixel(last.left() + last.width() - 2, -1), last.center().y());
    const QPoint neighbour = PortRect(kLastPort - 2).center();
    QHelpEvent first(QEvent::ToolTip, neighbour, view.mapToGlobal(neighbour));
    QApplication::sendEvent(&view, &first);
    Send(QEvent::MouseMove, inside);
    QHelpEvent help(QEvent::ToolTip, inside.toPoint(), view.mapToGlobal(inside.toPoint()));
    QApplication::sendEvent(&view, &help);
    EXPECT_TRUE(QToolTip::text().startsWith(QStringLiteral("Port %1\n").arg(kLastPort)))
        << QToolTip::text().toStdString();
}

TEST_F(HiDpiPanel, PaintsTheAt2xPicturesAndSavesAScreenshot) {
    PanelPollResult up;
    for (int port = 1; port <= kLastPort; ++port) {
        up.Ports.push_back({port, PortLink10, 1, 0});
    }
    view.ApplyPollResult(up);
    const QImage painted = view.grab().toImage();
    EXPECT_EQ(painted.devicePixelRatio(), ScaleFactor());
    EXPECT_EQ(painted.size(), (QSizeF(view.size()) * ScaleFactor()).toSize());

    CPort& last = *NumberedPort(view.Root(), kLastPort);
    CDib port, lamp;
    ASSERT_TRUE(port.LoadFromFile(last.BitmapPath(last.StateBitmap(PortLink10))));
    ASSERT_TRUE(lamp.LoadFromResource(161)); // an even port's green lamp
    for (const auto& [rect, dib] :
         {std::pair{last.GetRect(), &port}, std::pair{last.GetChild(0)->GetRect(), &lamp}}) {
        ASSERT_FALSE(dib->HiDpiImage().isNull());
        EXPECT_TRUE(Inside(painted, rect) == Inside(painted, rect, &dib->HiDpiImage()));
        EXPECT_FALSE(Inside(painted, rect) == Inside(painted, rect, &dib->Image()));
    }

    const QDir folder(QStringLiteral(KSX_SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    const QString path =
        folder.filePath(QStringLiteral("panel-KSX-7700-52-scale%1.png").arg(ScaleFactor()));
    EXPECT_TRUE(painted.save(path)) << path.toStdString();
}

TEST(HiDpiPictures, EveryPanelPictureHasItsAt2xTwiceTheSize) {
    int pictures = 0;
    QDirIterator it(QStringLiteral(KSX_SOURCE_DIR "/resources"), {QStringLiteral("*.png")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.contains(QStringLiteral("/icons/")) || path.endsWith(QStringLiteral("@2x.png"))) {
            continue;
        }
        ++pictures;
        CDib dib;
        ASSERT_TRUE(dib.LoadFromFile(path)) << path.toStdString();
        EXPECT_EQ(dib.HiDpiImage().size(), dib.Image().size() * 2) << path.toStdString();
    }
    EXPECT_GT(pictures, 5 * 17 + 10);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
        qputenv("QT_SCALE_FACTOR", "2");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
