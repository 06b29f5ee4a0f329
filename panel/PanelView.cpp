// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "panel/PanelView.h"

#include "panel/MyBitmapApp.h"
#include "panel/PanelDescription.h"
#include "snmp/SessionParameters.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

CPanelView::CPanelView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("panelView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_BlinkTimer.setInterval(kBlinkIntervalMs);
    connect(&m_BlinkTimer, &QTimer::timeout, this, &CPanelView::OnBlinkTimer);
    m_Clock.start();
}

CPanelView::~CPanelView() = default;

bool CPanelView::LoadDescription(const QString& fileName) {
    const bool loaded = LoadPanelDescription(fileName, m_Root, m_Modules);
    m_Background.LoadFromFile(m_Root.BitmapPath(m_Root.GetBitmapName()));
    CMyBitmapApp::Instance().LoadIndicatorBitmaps();
    m_Indicators.PortState.assign(static_cast<size_t>(std::max(PortCount(), 0)), 0);
    m_Readings.assign(static_cast<size_t>(std::max(PortCount(), 0)), PortReading());
    m_BackgroundCache = QPixmap();
    setFixedSize(sizeHint());
    update();
    return loaded;
}

QSize CPanelView::sizeHint() const {
    const QRect panel = PanelRect();
    if (panel.width() <= 0 || panel.height() <= 0) {
        return QWidget::sizeHint();
    }
    return panel.size();
}

int CPanelView::PortCount() const {
    return DeviceValues().DevicePortCount;
}

void CPanelView::PostPollResult(PanelPollResult result) {
    QMetaObject::invokeMethod(
        this, [this, result = std::move(result)] { ApplyPollResult(result); },
        Qt::QueuedConnection);
}

void CPanelView::ApplyPollResult(const PanelPollResult& result) {
    if (result.FanStatus) {
        m_Indicators.FanStatus = *result.FanStatus;
    }
    if (result.LedMode) {
        m_Indicators.LedMode = *result.LedMode;
    }
    if (result.BIsPowMax) {
        m_Indicators.BIsPowMax = *result.BIsPowMax;
    }
    if (result.DarkenAllLamps) {
        m_Indicators.IndicatorState.fill(3);
    }
    if (result.ResetAfterTimeout) {
        ResetPanelAfterTimeout(m_Root);
    }
    for (const PanelPortUpdate& update : result.Ports) {
        ApplyPortUpdate(update);
    }
    if (result.StartBlinkTimer) {
        StartBlinkTimer();
    }
    if (result.Answered) {
        NoteAnswer(*result.Answered);
    }
    update();
}

void CPanelView::NoteAnswer(bool answered) {
    if (answered) {
        m_LastAnswer = QTime::currentTime();
        m_NoAnswerSince.reset();
    } else if (!m_NoAnswerSince) {
        m_NoAnswerSince = m_LastAnswer;
    }
}

std::optional<QTime> CPanelView::NoAnswerSince() const {
    return m_NoAnswerSince;
}

QString CPanelView::NoAnswerText() const {
    if (!m_NoAnswerSince) {
        return {};
    }
    return QStringLiteral("No answer from %1 since %2")
        .arg(QString::fromStdString(SessionParameters().DeviceAddress),
             m_NoAnswerSince->toString(QStringLiteral("HH:mm:ss")));
}

// Across the whole panel, in its middle, two lines of text high.
QRect CPanelView::NoAnswerBandRect() const {
    QFont font = this->font();
    font.setBold(true);
    const int bandHeight = std::min(height(), QFontMetrics(font).height() * 2);
    return {0, (height() - bandHeight) / 2, width(), bandHeight};
}

void CPanelView::DrawNoAnswerBand(QPainter& painter) const {
    const QRect band = NoAnswerBandRect();
    painter.fillRect(band, QColor::fromRgba(kNoAnswerBandColor));
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(band, Qt::AlignCenter, NoAnswerText());
}

void CPanelView::ApplyPortUpdate(const PanelPortUpdate& update) {
    if (update.Port < 1 || update.Port > PortCount()) {
        return;
    }
    const auto index = static_cast<size_t>(update.Port - 1);
    if (update.Status) {
        if (CPort* port = NumberedPort(m_Root, update.Port)) {
            port->SetStatus(*update.Status);
        }
        if (index < m_Readings.size()) {
            m_Readings[index] = {*update.Status, m_Indicators.LedMode == 0, m_Clock.elapsed()};
        }
    }
    if (update.Indicator && index < m_Indicators.IndicatorState.size()) {
        m_Indicators.IndicatorState[index] = static_cast<std::uint8_t>(*update.Indicator);
    }
    if (update.StateValue && index < m_Indicators.PortState.size()) {
        m_Indicators.PortState[index] = *update.StateValue;
    }
}

void CPanelView::StartBlinkTimer() {
    m_BlinkTimer.start();
}

void CPanelView::OnBlinkTimer() {
    const QRegion lamps = BlinkingLampRegion(m_Root, PortCount(), m_Indicators);
    if (!lamps.isEmpty()) {
        repaint(lamps);
    }
    m_Indicators.BlinkPhase = m_Indicators.BlinkPhase == 0 ? 1 : 0;
}

void CPanelView::SetPaintObserver(std::function<void(const QRegion&)> observer) {
    m_PaintObserver = std::move(observer);
}

bool CPanelView::BackgroundIsStale() const {
    if (m_BackgroundCache.deviceIndependentSize() != QSizeF(size()) ||
        m_BackgroundCache.devicePixelRatio() != devicePixelRatio()) {
        return true;
    }
    for (int i = 0; i < m_Root.ChildCount(); ++i) {
        if (m_Root.GetChild(i)->IsDirty()) {
            return true;
        }
    }
    return false;
}

// The background bitmap stretched over the whole view, then the root's direct children
// (faces, slots, ports) in their rectangles. Their children are not drawn here. The cache has
// the screen's device pixels and is drawn on in panel pixels: at a ratio above 1 the @2x
// bitmaps are drawn, scaled down smoothly where the ratio is below 2.
void CPanelView::RenderBackground() {
    ++m_nBackgroundRenders;
    const qreal ratio = devicePixelRatio();
    m_BackgroundCache = QPixmap((QSizeF(size()) * ratio).toSize());
    m_BackgroundCache.setDevicePixelRatio(ratio);
    m_BackgroundCache.fill(palette().color(QPalette::Window));
    if (!m_Background.IsLoaded()) {
        return;
    }
    QPainter painter(&m_BackgroundCache);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_Background.DrawStretched(painter, 0, 0, width(), height());
    m_Root.AttachOwner(this);
    m_Root.SetPaintContext(&painter);
    m_Root.DrawChildren();
    m_Root.SetPaintContext(nullptr);
}

void CPanelView::paintEvent(QPaintEvent* event) {
    if (m_PaintObserver) {
        m_PaintObserver(event->region());
    }
    if (BackgroundIsStale()) {
        RenderBackground();
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, m_BackgroundCache);
    DrawIndicatorLayer(painter, m_Root, DeviceValues().ModelName, PortCount(), m_Indicators);
    if (m_NoAnswerSince) {
        DrawNoAnswerBand(painter);
    }
}

void CPanelView::mouseMoveEvent(QMouseEvent* event) {
    PanelCursor cursor = PanelCursor::Arrow;
    m_Root.OnMouseMove(event->position(), cursor);
    setCursor(cursor == PanelCursor::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void CPanelView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_Root.OnLButtonDown(event->position());
    }
    QWidget::mousePressEvent(event);
}

namespace {

QString AgeText(qint64 ageMs) {
    const qint64 seconds = std::max<qint64>(ageMs, 0) / 1000;
    if (seconds < 60) {
        return QStringLiteral("%1 s").arg(seconds);
    }
    return QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60);
}

} // namespace

QString PortToolTipText(int port, int status, bool poeMode, qint64 ageMs) {
    const QString title = QStringLiteral("Port %1").arg(port);
    if (status < 0) {
        return title + QStringLiteral("\nNot read yet");
    }
    QString state;
    if (poeMode) {
        switch (status) {
        case 0:
            state = QStringLiteral("PoE: unknown state");
            break;
        case 1:
            state = QStringLiteral("PoE: powered");
            break;
        default:
            state = QStringLiteral("PoE: off");
            break;
        }
    } else {
        switch (status) {
        case 0:
            state = QStringLiteral("Link up, below top speed");
            break;
        case 1:
            state = QStringLiteral("Link up, at top speed");
            break;
        case 2:
            state = QStringLiteral("Disabled");
            break;
        case 3:
            state = QStringLiteral("No link");
            break;
        default:
            state = QStringLiteral("Empty");
            break;
        }
    }
    return QStringLiteral("%1\n%2\n%3 state read %4 ago")
        .arg(title, state, poeMode ? QStringLiteral("PoE") : QStringLiteral("Link"),
             AgeText(ageMs));
}

QString CPanelView::ToolTipAt(const QPointF& point) const {
    for (int number = 1; number <= PortCount(); ++number) {
        const CPort* port = NumberedPort(m_Root, number);
        if (port == nullptr) {
            break;
        }
        if (!port->HitTest(point)) {
            continue;
        }
        if (m_NoAnswerSince) {
            return QStringLiteral("Port %1\nNo answer from the switch since %2")
                .arg(number)
                .arg(m_NoAnswerSince->toString(QStringLiteral("HH:mm:ss")));
        }
        const auto index = static_cast<size_t>(number - 1);
        const PortReading reading = index < m_Readings.size() ? m_Readings[index] : PortReading();
        return PortToolTipText(number, reading.status, reading.poeMode,
                               m_Clock.elapsed() - reading.readAtMs);
    }
    for (int n = 0;; ++n) {
        const CPanelItem* com = m_Root.FindChild("CCom", n);
        if (com == nullptr) {
            break;
        }
        if (com->HitTest(point)) {
            return QStringLiteral("Telnet to %1")
                .arg(QString::fromStdString(SessionParameters().DeviceAddress));
        }
    }
    return {};
}

bool CPanelView::event(QEvent* event) {
    if (event->type() == QEvent::Show) {
        // Port details on hover also while another window has the focus: Qt asks the
        // top-level window, not the widget, whether tooltips show then.
        window()->setAttribute(Qt::WA_AlwaysShowToolTips);
    }
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}
