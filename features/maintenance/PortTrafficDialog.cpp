// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/PortTrafficDialog.h"

#include "features/common/DialogKit.h"
#include "features/common/RateChart.h"
#include "features/common/ReportList.h"
#include "snmp/SessionParameters.h"

#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 5> kIntervalsSeconds{1, 2, 5, 10, 30};
constexpr int kDefaultInterval = 2; // 5 s
constexpr qint64 kChartSpanMs = 10 * 60 * 1000;
const std::array<QColor, CPortTrafficDlg::kMaxChartedPorts> kColors{
    QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
    QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
    QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf)};

QString RateCell(const std::optional<double>& bps, bool uncertain) {
    if (!bps) {
        return QStringLiteral("-");
    }
    return CRateChart::RateText(*bps) + (uncertain ? QStringLiteral(" ?") : QString());
}

QString NumberCell(const std::optional<double>& value, int decimals) {
    return value ? QString::number(*value, 'f', decimals) : QStringLiteral("-");
}

} // namespace

CPortTrafficDlg::CPortTrafficDlg(QWidget* parent)
    : CFeatureDialog(parent), m_cMib(AddData<CPortTrafficMib>(DeviceValues().DevicePortCount)) {
    setWindowTitle(QString::fromLatin1(kCaption));
    m_pList = new CReportList(this);
    m_pList->setObjectName(QStringLiteral("trafficList"));
    m_pList->SetColumns(QList<ReportColumn>{{QStringLiteral("Port"), 50, Qt::AlignRight},
                                            {QStringLiteral("Link"), 50},
                                            {QStringLiteral("Speed"), 90, Qt::AlignRight},
                                            {QStringLiteral("In"), 100, Qt::AlignRight},
                                            {QStringLiteral("Out"), 100, Qt::AlignRight},
                                            {QStringLiteral("In %"), 60, Qt::AlignRight},
                                            {QStringLiteral("Out %"), 60, Qt::AlignRight},
                                            {QStringLiteral("Errors/s"), 70, Qt::AlignRight},
                                            {QStringLiteral("Discards/s"), 75, Qt::AlignRight}});
    m_pList->SetSortable();
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(m_pList, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateChart(); });

    m_pChart = new CRateChart(this);
    m_pChart->setObjectName(QStringLiteral("trafficChart"));

    m_pInterval = new QComboBox(this);
    m_pInterval->setObjectName(QStringLiteral("intervalCombo"));
    for (const int seconds : kIntervalsSeconds) {
        m_pInterval->addItem(QStringLiteral("%1 s").arg(seconds), seconds);
    }
    m_pInterval->setCurrentIndex(kDefaultInterval);
    connect(m_pInterval, &QComboBox::currentIndexChanged, this, [this] { RestartTimer(); });
    auto* intervalLabel = new QLabel(QStringLiteral("&Interval"), this);
    intervalLabel->setBuddy(m_pInterval);
    m_pPause = new QPushButton(QStringLiteral("&Pause"), this);
    m_pPause->setObjectName(QStringLiteral("pauseButton"));
    connect(m_pPause, &QPushButton::clicked, this, [this] { TogglePause(); });
    m_pExport = new QPushButton(QStringLiteral("&Export Samples..."), this);
    m_pExport->setObjectName(QStringLiteral("exportSamplesButton"));
    connect(m_pExport, &QPushButton::clicked, this, [this] { ExportSamples(); });
    m_pStatus = new QLabel(this);
    m_pStatus->setObjectName(QStringLiteral("sampleStatus"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(intervalLabel);
    controls->addWidget(m_pInterval);
    controls->addWidget(m_pPause);
    controls->addWidget(m_pStatus, 1);
    controls->addWidget(m_pExport);
    controls->addWidget(RefreshButton());
    controls->addWidget(CloseButton());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 3);
    layout->addWidget(m_pChart, 2);
    layout->addLayout(controls);
    resize(760, 620);

    m_sampleTimer.setSingleShot(true);
    connect(&m_sampleTimer, &QTimer::timeout, this, [this] { m_cMib.StartSample(); });
    m_cMib.OnSample(this, [this](const CPortTrafficMib::Sample& sample) { OnSample(sample); });
    UpdateChart(); // the time axis ends now until the first sample
    UpdateWidgets();
}

void CPortTrafficDlg::Refresh() {
    if (!m_firstSampleRead) {
        SetReading(true); // the first sample decides what the list shows
    }
    m_sampleTimer.stop();
    m_cMib.StartSample();
}

void CPortTrafficDlg::EnableControls() {
    CFeatureDialog::EnableControls();
    m_pPause->setEnabled(m_firstSampleRead);
    m_pExport->setEnabled(m_firstSampleRead && !m_cMib.History().empty());
}

void CPortTrafficDlg::OnSample(const CPortTrafficMib::Sample& sample) {
    if (!m_firstSampleRead) {
        m_firstSampleRead = true;
        SetReading(false);
    }
    const QString time = QDateTime::fromMSecsSinceEpoch(sample.takenAtMs)
                             .toLocalTime()
                             .toString(QStringLiteral("HH:mm:ss"));
    m_pStatus->setText(sample.answered ? QStringLiteral("Sampled at %1").arg(time)
                                       : QStringLiteral("No answer at %1").arg(time));
    for (const CPortTrafficMib::PortRates& port : sample.ports) {
        ShowRow(port);
    }
    if (!sample.answered) {
        ShowLastLinksWithoutRates();
    }
    UpdateChart();
    UpdateWidgets();
    if (!m_paused) {
        RestartTimer();
    }
}

// Nothing is known about the traffic now: no rate is shown as if it were current, while the
// links and speeds stay as last read.
void CPortTrafficDlg::ShowLastLinksWithoutRates() {
    const auto& history = m_cMib.History();
    const auto lastAnswered = std::find_if(history.rbegin(), history.rend(),
                                           [](const auto& sample) { return sample.answered; });
    if (lastAnswered == history.rend()) {
        return;
    }
    for (CPortTrafficMib::PortRates port : lastAnswered->ports) {
        port.rates = {};
        ShowRow(port);
    }
}

void CPortTrafficDlg::ShowRow(const CPortTrafficMib::PortRates& port) {
    const traffic::Rates& r = port.rates;
    const auto speed = static_cast<double>(port.speedBps);
    const auto inPercent = traffic::Rates::Percent(r.inBps, port.speedBps);
    const auto outPercent = traffic::Rates::Percent(r.outBps, port.speedBps);
    m_pList->SetKeyedRow(port.port,
                         {QString::number(port.port),
                          port.linkUp ? QStringLiteral("Up") : QStringLiteral("Down"),
                          port.speedBps != 0 ? CRateChart::RateText(speed) : QStringLiteral("-"),
                          RateCell(r.inBps, r.uncertain), RateCell(r.outBps, r.uncertain),
                          NumberCell(inPercent, 1), NumberCell(outPercent, 1),
                          NumberCell(r.errorsPerSecond, 1), NumberCell(r.discardsPerSecond, 1)},
                         {port.port, port.linkUp ? 1.0 : 0.0, speed, r.inBps, r.outBps, inPercent,
                          outPercent, r.errorsPerSecond, r.discardsPerSecond});
}

void CPortTrafficDlg::UpdateChart() {
    std::vector<qint64> ports = m_pList->SelectedKeys();
    std::sort(ports.begin(), ports.end());
    if (ports.size() > static_cast<std::size_t>(kMaxChartedPorts)) {
        ports.resize(kMaxChartedPorts);
    }
    std::vector<ChartSeries> series;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        ChartSeries in{QStringLiteral("%1 in").arg(ports[i]), kColors[i], Qt::SolidLine, {}};
        ChartSeries out{QStringLiteral("%1 out").arg(ports[i]), kColors[i], Qt::DashLine, {}};
        for (const CPortTrafficMib::Sample& sample : m_cMib.History()) {
            const auto port = std::find_if(
                sample.ports.begin(), sample.ports.end(),
                [&](const CPortTrafficMib::PortRates& p) { return p.port == ports[i]; });
            const bool found = port != sample.ports.end();
            in.points.push_back({sample.takenAtMs, found ? port->rates.inBps : std::nullopt});
            out.points.push_back({sample.takenAtMs, found ? port->rates.outBps : std::nullopt});
        }
        series.push_back(std::move(in));
        series.push_back(std::move(out));
    }
    const qint64 end = m_cMib.History().empty() ? QDateTime::currentMSecsSinceEpoch()
                                                : m_cMib.History().back().takenAtMs;
    m_pChart->SetSeries(std::move(series), end, kChartSpanMs);
}

void CPortTrafficDlg::TogglePause() {
    m_paused = !m_paused;
    m_pPause->setText(m_paused ? QStringLiteral("Res&ume") : QStringLiteral("&Pause"));
    if (m_paused) {
        m_sampleTimer.stop();
    } else {
        m_cMib.StartSample();
    }
}

void CPortTrafficDlg::RestartTimer() {
    if (m_paused || !m_firstSampleRead) {
        return;
    }
    m_sampleTimer.start(m_pInterval->currentData().toInt() * 1000);
}

void CPortTrafficDlg::ExportSamples() {
    QString name = m_pList->SuggestedFileName(QDate::currentDate());
    name.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral(" samples"));
    ExportCsvFile(this, CPortTrafficMib::HistoryHeader(), m_cMib.HistoryRows(), name);
}
