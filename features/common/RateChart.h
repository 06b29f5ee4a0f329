// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// A line chart of rates over time: a time axis in local time, a rate axis in bit/s with SI
// prefixes, a legend, and a gap wherever a series has no value. Drawn with QPainter, sharp on
// high-density screens.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

struct ChartPoint {
    qint64 timeMs = 0;           // milliseconds since the epoch
    std::optional<double> value; // empty: no value (a gap)
};

struct ChartSeries {
    QString name;
    QColor color;
    Qt::PenStyle style = Qt::SolidLine;
    std::vector<ChartPoint> points; // in time order
};

class CRateChart : public QWidget {
    Q_OBJECT

public:
    explicit CRateChart(QWidget* parent = nullptr);

    // Shows `series` over the `spanMs` milliseconds that end at `endMs`.
    void SetSeries(std::vector<ChartSeries> series, qint64 endMs, qint64 spanMs);
    const std::vector<ChartSeries>& Series() const { return m_series; }

    // "250 Mbit/s", "1.5 kbit/s", "0 bit/s".
    static QString RateText(double bitsPerSecond);
    // The smallest 1, 2 or 5 times a power of ten at or above `value` (1 for 0).
    static double NiceCeiling(double value);

    QSize sizeHint() const override { return {640, 260}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF PlotArea() const;
    double TopRate() const;
    void DrawAxes(QPainter& painter, const QRectF& plot, double top) const;
    void DrawSeries(QPainter& painter, const QRectF& plot, double top) const;
    void DrawLegend(QPainter& painter, const QRectF& plot) const;

    std::vector<ChartSeries> m_series;
    qint64 m_endMs = 0;
    qint64 m_spanMs = 600000;
};
