// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// CPanelView: the live front panel inside the module window. It owns the panel tree and the
// module list, paints the background layer (cached) and the indicator layer, forwards mouse
// moves and left clicks to the tree, and blinks the port lamps every 200 ms.
#pragma once

#include "panel/IndicatorLayer.h"
#include "panel/PanelElements.h"

#include <QColor>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// One port's part of a poll result; the fields that are set are applied in this order.
struct PanelPortUpdate {
    int Port = 0;                  // port number, from 1
    std::optional<int> Status;     // CPort::SetStatus of the numbered port
    std::optional<int> Indicator;  // its IndicatorState byte
    std::optional<int> StateValue; // its entry of the per-port state array
};

// What one poll step found, handed to the UI thread and applied there in this order.
struct PanelPollResult {
    std::optional<std::string> FanStatus; // "1" working, "2" failed
    std::optional<int> LedMode;           // 1 link mode, 0 PoE mode
    std::optional<bool> BIsPowMax;
    bool DarkenAllLamps = false;    // every IndicatorState byte to 3 (a failed walk)
    bool ResetAfterTimeout = false; // ResetPanelAfterTimeout (the link walk timed out)
    std::vector<PanelPortUpdate> Ports;
    bool StartBlinkTimer = false; // (re)start the 200 ms blink timer
    // The switch answered a request of this step (true), or a request got no answer in its
    // time (false); unset when the step says nothing about it.
    std::optional<bool> Answered;
};

// The tooltip of a numbered port: its number, the state its lamp shows (a link at or below
// the port's top speed, or the PoE state in PoE LED mode) and how long ago the poll read it.
// `status` is the port state of the last poll, -1 when none was read; `ageMs` its age.
QString PortToolTipText(int port, int status, bool poeMode, qint64 ageMs);

class CPanelView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kBlinkIntervalMs = 200;

    explicit CPanelView(QWidget* parent = nullptr);
    ~CPanelView() override;

    // Once, after the process-wide device values are set: loads the description file into
    // the tree, the root's bitmap as background and the indicator bitmaps, and takes the
    // panel's size. The result of LoadPanelDescription: on
    // false the user has been told and the view shows what was built.
    bool LoadDescription(const QString& fileName);
    // The DEVICEPANEL rectangle: where the module window goes and its client size.
    QRect PanelRect() const { return m_Root.GetRect(); }

    CDevModule& Root() { return m_Root; }
    CModuleList& Modules() { return m_Modules; }
    PanelIndicators& Indicators() { return m_Indicators; }
    const PanelIndicators& Indicators() const { return m_Indicators; }
    bool IsBlinking() const { return m_BlinkTimer.isActive(); }

    // Thread-safe: queues the result for the UI thread. Call only while the view exists
    // (stop the poller before the window goes away).
    void PostPollResult(PanelPollResult result);
    // UI thread.
    void ApplyPollResult(const PanelPollResult& result);
    void StartBlinkTimer();

    QSize sizeHint() const override;

    // While the switch does not answer: since when (the last answer, or the start of the
    // polling when none came), and the band drawn over the panel ("No answer from ADDRESS
    // since HH:MM:SS"). The port lamps stay as the last walk left them; the band and the
    // port tooltips say that nothing is known. Both go with the next answer.
    static constexpr QRgb kNoAnswerBandColor = 0xFFB00020;
    std::optional<QTime> NoAnswerSince() const;
    QString NoAnswerText() const;
    QRect NoAnswerBandRect() const;

    // What hovering `point` shows: a numbered port's state from the last poll, or the Telnet
    // target on the console sockets; empty elsewhere. Sends nothing to the switch.
    // Panel pixels: on a scaled screen a point may lie between two of them.
    QString ToolTipAt(const QPointF& point) const;

    // Test hooks: how often the background layer was rendered, and every paint's region.
    int BackgroundRenderCount() const { return m_nBackgroundRenders; }
    void SetPaintObserver(std::function<void(const QRegion&)> observer);

public slots:
    // One blink step: repaint the blinking lamps, then switch the phase.
    void OnBlinkTimer();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool BackgroundIsStale() const;
    void RenderBackground();
    void ApplyPortUpdate(const PanelPortUpdate& update);
    void NoteAnswer(bool answered);
    void DrawNoAnswerBand(QPainter& painter) const;
    int PortCount() const;

    CDevModule m_Root;
    CModuleList m_Modules;
    CDib m_Background;
    QPixmap m_BackgroundCache;
    PanelIndicators m_Indicators;
    QTimer m_BlinkTimer;
    int m_nBackgroundRenders = 0;
    std::function<void(const QRegion&)> m_PaintObserver;

    // Per port (from 0): the state the last poll applied, whether it was a PoE reading, and
    // when (on m_Clock).
    struct PortReading {
        int status = -1;
        bool poeMode = false;
        qint64 readAtMs = 0;
    };
    std::vector<PortReading> m_Readings;
    QElapsedTimer m_Clock;
    QTime m_LastAnswer = QTime::currentTime();
    std::optional<QTime> m_NoAnswerSince;
};
