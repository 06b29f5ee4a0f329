// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/RateChart.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRateLines = 4;
constexpr int kTimeTicks = 5;
constexpr double kLeftMargin = 78;
constexpr double kRightMargin = 12;
constexpr double kTopMargin = 26; // the legend
constexpr double kBottomMargin = 22;

} // namespace

CRateChart::CRateChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 160);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void CRateChart::SetSeries(std::vector<ChartSeries> series, qint64 endMs, qint64 spanMs) {
    m_series = std::move(series);
    m_endMs = endMs;
    m_spanMs = std::max<qint64>(spanMs, 1);
    update();
}

QString CRateChart::RateText(double bitsPerSecond) {
    static const char* const kPrefixes[] = {"", "k", "M", "G", "T"};
    int prefix = 0;
    double value = bitsPerSecond;
    while (std::abs(value) >= 1000 && prefix < 4) {
        value /= 1000;
        ++prefix;
    }
    // Two significant digits, three from 100 on; a value that rounds up to the next thousand
    // (999.6 kbit/s) is shown with the next prefix, never in exponent notation.
    if (value != 0) {
        const int digits = std::abs(value) >= 100 ? 3 : 2;
        const double unit = std::pow(10.0, std::floor(std::log10(std::abs(value))) + 1 - digits);
        value = std::round(value / unit) * unit;
    }
    if (std::abs(value) >= 1000 && prefix < 4) {
        value /= 1000;
        ++prefix;
    }
    return QString::number(value, 'g', 6) + QLatin1Char(' ') + QLatin1String(kPrefixes[prefix]) +
           QStringLiteral("bit/s");
}

double CRateChart::NiceCeiling(double value) {
    if (!(value > 0)) {
        return 1;
    }
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        if (value <= step * power * (1 + 1e-9)) {
            return step * power;
        }
    }
    return 10 * power;
}

QRectF CRateChart::PlotArea() const {
    return QRectF(kLeftMargin, kTopMargin, width() - kLeftMargin - kRightMargin,
                  height() - kTopMargin - kBottomMargin);
}

double CRateChart::TopRate() const {
    double highest = 0;
    for (const ChartSeries& series : m_series) {
        for (const ChartPoint& point : series.points) {
            if (point.value && point.timeMs >= m_endMs - m_spanMs) {
                highest = std::max(highest, *point.value);
            }
        }
    }
    return NiceCeiling(highest);
}

void CRateChart::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = PlotArea();
    const double top = TopRate();
    DrawAxes(painter, plot, top);
    painter.save();
    painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
    DrawSeries(painter, plot, top);
    painter.restore();
    DrawLegend(painter, plot);
}

void CRateChart::DrawAxes(QPainter& painter, const QRectF& plot, double top) const {
    const QColor grid = palette().color(QPalette::Mid);
    const QColor text = palette().color(QPalette::Text);
    const QFontMetrics metrics(font());
    for (int line = 0; line <= kRateLines; ++line) {
        const double y = plot.bottom() - plot.height() * line / kRateLines;
        painter.setPen(QPen(grid, 1, line == 0 ? Qt::SolidLine : Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        const QString label = RateText(top * line / kRateLines);
        painter.drawText(QRectF(0, y - metrics.height() / 2.0, plot.left() - 6, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
    for (int tick = 0; tick <= kTimeTicks; ++tick) {
        const double x = plot.left() + plot.width() * tick / kTimeTicks;
        const qint64 time = m_endMs - m_spanMs + m_spanMs * tick / kTimeTicks;
        painter.setPen(QPen(grid, 1, Qt::DotLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(text);
        const QString label =
            QDateTime::fromMSecsSinceEpoch(time).toLocalTime().toString(QStringLiteral("HH:mm:ss"));
        const double width = metrics.horizontalAdvance(label) + 4;
        const double left = std::clamp(x - width / 2, plot.left() - kLeftMargin / 2,
                                       static_cast<double>(this->width()) - width);
        painter.drawText(QRectF(left, plot.bottom() + 3, width, kBottomMargin - 3),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

void CRateChart::DrawSeries(QPainter& painter, const QRectF& plot, double top) const {
    const auto at = [&](const ChartPoint& point) {
        const double x =
            plot.left() + plot.width() * static_cast<double>(point.timeMs - (m_endMs - m_spanMs)) /
                              static_cast<double>(m_spanMs);
        return QPointF(x, plot.bottom() - plot.height() * (*point.value / top));
    };
    for (const ChartSeries& series : m_series) {
        QPainterPath path;
        bool drawing = false;
        std::vector<QPointF> lonePoints;
        for (std::size_t i = 0; i < series.points.size(); ++i) {
            const ChartPoint& point = series.points[i];
            if (!point.value) {
                drawing = false; // a gap: the line stops here and starts again after it
                continue;
            }
            const bool nextHasValue =
                i + 1 < series.points.size() && series.points[i + 1].value.has_value();
            if (!drawing && !nextHasValue) {
                lonePoints.push_back(at(point)); // between two gaps: shown as a dot
                continue;
            }
            drawing ? path.lineTo(at(point)) : path.moveTo(at(point));
            drawing = true;
        }
        painter.setPen(QPen(series.color, 1.6, series.style, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
        painter.setBrush(series.color);
        for (const QPointF& point : lonePoints) {
            painter.drawEllipse(point, 1.8, 1.8);
        }
        painter.setBrush(Qt::NoBrush);
    }
}

void CRateChart::DrawLegend(QPainter& painter, const QRectF& plot) const {
    const QFontMetrics metrics(font());
    double x = plot.left();
    const double y = kTopMargin / 2;
    for (const ChartSeries& series : m_series) {
        painter.setPen(QPen(series.color, 2, series.style));
        painter.drawLine(QPointF(x, y), QPointF(x + 18, y));
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QPointF(x + 22, y + metrics.ascent() / 2.0 - 1), series.name);
        x += 22 + metrics.horizontalAdvance(series.name) + 14;
    }
}
