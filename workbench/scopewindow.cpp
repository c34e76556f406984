#include "scopewindow.h"

#include <cmath>
#include <iterator>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include "scoperecorder.h"

QT_CHARTS_USE_NAMESPACE

namespace {

QString windowText(qint64 milliseconds)
{
    return milliseconds < 60000 ? QObject::tr("%1 s").arg(milliseconds / 1000)
                                : QObject::tr("%1 min").arg(milliseconds / 60000);
}

// Distinct colours for the first series; the chart's theme repeats after five.
const QRgb SeriesColours[] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd,
                              0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};

// Time ticks at round seconds, about six of them over the window.
double tickInterval(qint64 windowMilliseconds)
{
    for (double seconds : {1, 2, 5, 10, 20, 30, 60, 120}) {
        if (seconds * 6000 >= windowMilliseconds)
            return seconds;
    }
    return windowMilliseconds / 6000.0;
}

// 1, 2 or 5 times a power of ten, at least `step`.
double niceStep(double step)
{
    const double power = std::pow(10.0, std::floor(std::log10(step)));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= step * (1 - 1e-9))
            return factor * power;
    }
    return 10 * power;
}

QColor withAlpha(QColor color, bool visible)
{
    color.setAlphaF(visible ? 1.0 : 0.3);
    return color;
}

} // namespace

ScopeWindow::ScopeWindow(QWidget* parent)
    : QWidget(parent)
    , m_recorder(new ScopeRecorder(this))
    , m_chart(new QChart)
    , m_view(new QChartView(m_chart, this))
    , m_timeAxis(new QValueAxis(this))
    , m_valueAxis(new QValueAxis(this))
    , m_flagAxis(new QValueAxis(this))
    , m_windowBox(new QComboBox(this))
    , m_pauseButton(new QPushButton(tr("Pause"), this))
    , m_autoscaleButton(new QPushButton(tr("Autoscale"), this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("Scope"));
    setWindowTitle(tr("Scope"));
    setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));

    m_windowBox->setObjectName(QStringLiteral("cbWindow"));
    m_windowBox->setToolTip(tr("How much of the past the picture shows"));
    const QVector<qint64> choices = ScopeRecorder::windowChoices();
    for (qint64 length : choices)
        m_windowBox->addItem(windowText(length), length);
    m_windowBox->setCurrentIndex(m_windowBox->findData(m_recorder->windowLength()));
    connect(m_windowBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this](int index) {
        m_recorder->setWindowLength(m_windowBox->itemData(index).toLongLong());
        refresh();
    });

    m_pauseButton->setObjectName(QStringLiteral("btnPause"));
    m_pauseButton->setCheckable(true);
    m_pauseButton->setToolTip(tr("Freezes the picture; recording goes on"));
    connect(m_pauseButton, &QPushButton::toggled, this, [this](bool paused) {
        m_pauseButton->setText(paused ? tr("Resume") : tr("Pause"));
        m_recorder->setPaused(paused);
        refresh();
    });
    auto* clearButton = new QPushButton(tr("Clear"), this);
    clearButton->setObjectName(QStringLiteral("btnClear"));
    connect(clearButton, &QPushButton::clicked, this, [this]() {
        m_recorder->clear();
        refresh();
    });
    m_autoscaleButton->setObjectName(QStringLiteral("btnAutoscale"));
    m_autoscaleButton->setCheckable(true);
    m_autoscaleButton->setChecked(true);
    m_autoscaleButton->setToolTip(tr("Fits the value scale to the shown series"));
    connect(m_autoscaleButton, &QPushButton::toggled, this, [this]() {
        m_drawn = ~quint64(0);
        refresh();
    });
    auto* csvButton = new QPushButton(tr("Export CSV..."), this);
    csvButton->setObjectName(QStringLiteral("btnExportCsv"));
    connect(csvButton, &QPushButton::clicked, this, &ScopeWindow::exportCsv);
    auto* pictureButton = new QPushButton(tr("Export PNG..."), this);
    pictureButton->setObjectName(QStringLiteral("btnExportPng"));
    connect(pictureButton, &QPushButton::clicked, this, &ScopeWindow::exportPicture);
    m_status->setObjectName(QStringLiteral("lblScopeStatus"));

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(tr("Window:"), this));
    controls->addWidget(m_windowBox);
    controls->addWidget(m_pauseButton);
    controls->addWidget(clearButton);
    controls->addWidget(m_autoscaleButton);
    controls->addWidget(csvButton);
    controls->addWidget(pictureButton);
    controls->addStretch();

    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->legend()->setAlignment(Qt::AlignRight);
    // Relative time keeps the scale's labels still: relaying them out is what redraws cost.
    m_timeAxis->setTitleText(tr("time (s); 0 is the latest sample shown"));
    m_timeAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_timeAxis->setTickType(QValueAxis::TicksDynamic);
    m_timeAxis->setTickAnchor(0);
    m_valueAxis->setTitleText(tr("value"));
    m_flagAxis->setTitleText(tr("flag"));
    m_flagAxis->setRange(-0.1, 1.1);
    m_flagAxis->setTickType(QValueAxis::TicksDynamic);
    m_flagAxis->setTickAnchor(0);
    m_flagAxis->setTickInterval(1);
    m_flagAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    m_chart->addAxis(m_flagAxis, Qt::AlignRight);
    // The chart owns the axes from here on.
    m_timeAxis->setParent(nullptr);
    m_valueAxis->setParent(nullptr);
    m_flagAxis->setParent(nullptr);
    connect(m_valueAxis, &QValueAxis::rangeChanged, this, [this]() {
        if (!m_settingRange)
            m_autoscaleButton->setChecked(false);
    });

    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setRenderHint(QPainter::Antialiasing, false);
    m_view->setRubberBand(QChartView::VerticalRubberBand);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);

    connect(m_recorder, &ScopeRecorder::seriesAdded, this, &ScopeWindow::addLine);
    m_redraw.setInterval(RedrawInterval);
    connect(&m_redraw, &QTimer::timeout, this, &ScopeWindow::redrawIfChanged);
    resize(900, 560);
    refresh();
}

ScopeWindow::~ScopeWindow() = default;

bool ScopeWindow::isAutoscaling() const
{
    return m_autoscaleButton->isChecked();
}

void ScopeWindow::refresh()
{
    const int maxPoints = std::max(200, 2 * m_view->width());
    for (auto it = m_lines.constBegin(); it != m_lines.constEnd(); ++it) {
        if (m_recorder->isSeriesVisible(it.key()))
            it.value()->replace(m_recorder->viewPoints(it.key(), maxPoints));
    }
    m_settingRange = true;
    m_timeAxis->setTickInterval(tickInterval(m_recorder->windowLength()));
    m_timeAxis->setRange(-m_recorder->windowLength() / 1000.0, 0);
    double low = 0;
    double high = 0;
    if (isAutoscaling() && m_recorder->valueRange(false, &low, &high))
        setValueRange(m_valueAxis, low, high);
    m_settingRange = false;
    updateStatus();
    m_drawn = m_recorder->revision();
}

void ScopeWindow::toggleSeries(const QString& name)
{
    QLineSeries* line = m_lines.value(name);
    if (!line)
        return;
    const bool visible = !m_recorder->isSeriesVisible(name);
    m_recorder->setSeriesVisible(name, visible);
    line->setVisible(visible);
    const QList<QLegendMarker*> markers = m_chart->legend()->markers(line);
    for (QLegendMarker* marker : markers)
        updateMarker(marker, visible);
    refresh();
}

bool ScopeWindow::savePicture(const QString& path, QString* error)
{
    refresh();
    if (!m_view->grab().save(path, "PNG")) {
        if (error)
            *error = tr("Cannot write the picture %1").arg(path);
        return false;
    }
    return true;
}

void ScopeWindow::exportCsv()
{
    const QString path = saveName(tr("Export the recorded data"), QStringLiteral("scope.csv"),
                                  tr("CSV files (*.csv);;All files (*)"));
    QString error;
    if (!path.isEmpty() && !m_recorder->saveCsv(path, &error))
        QMessageBox::warning(this, tr("Export CSV"), error);
}

void ScopeWindow::exportPicture()
{
    const QString path = saveName(tr("Export the picture"), QStringLiteral("scope.png"),
                                  tr("PNG images (*.png);;All files (*)"));
    QString error;
    if (!path.isEmpty() && !savePicture(path, &error))
        QMessageBox::warning(this, tr("Export PNG"), error);
}

void ScopeWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
    m_redraw.start();
}

void ScopeWindow::hideEvent(QHideEvent* event)
{
    m_redraw.stop();
    QWidget::hideEvent(event);
}

void ScopeWindow::addLine(const QString& name)
{
    auto* line = new QLineSeries;
    line->setName(name);
    // A one-pixel pen is drawn without the stroker: most of a redraw's cost otherwise.
    line->setPen(QPen(QColor(SeriesColours[m_lines.size() % std::size(SeriesColours)]), 1));
    // Attaching a series may fit the axes to it; that is no zoom of the user's.
    m_settingRange = true;
    m_chart->addSeries(line);
    line->attachAxis(m_timeAxis);
    line->attachAxis(m_recorder->isFlag(name) ? m_flagAxis : m_valueAxis);
    m_settingRange = false;
    m_lines.insert(name, line);
    const QList<QLegendMarker*> markers = m_chart->legend()->markers(line);
    for (QLegendMarker* marker : markers) {
        connect(marker, &QLegendMarker::clicked, this, [this, name]() { toggleSeries(name); });
        updateMarker(marker, m_recorder->isSeriesVisible(name));
    }
    line->setVisible(m_recorder->isSeriesVisible(name));
}

void ScopeWindow::updateMarker(QLegendMarker* marker, bool visible)
{
    // A hidden series hides its legend entry too; the entry must stay to switch it on again.
    marker->setVisible(true);
    marker->setLabelBrush(withAlpha(marker->labelBrush().color(), visible));
    QBrush brush = marker->brush();
    brush.setColor(withAlpha(brush.color(), visible));
    marker->setBrush(brush);
}

// Round limits and ticks; the same data range gives the same scale, and an unchanged scale
// costs the chart no new layout.
void ScopeWindow::setValueRange(QValueAxis* axis, double low, double high)
{
    if (high - low < 1e-9) {
        low -= 1;
        high += 1;
    }
    const double step = niceStep((high - low) / 4);
    const double niceLow = std::floor(low / step) * step;
    const double niceHigh = std::ceil(high / step) * step;
    axis->setRange(niceLow, niceHigh);
    axis->setTickCount(int(std::lround((niceHigh - niceLow) / step)) + 1);
    axis->setLabelFormat(step >= 1 ? QStringLiteral("%.0f") : QStringLiteral("%.3g"));
}

void ScopeWindow::redrawIfChanged()
{
    if (m_recorder->revision() != m_drawn)
        refresh();
}

void ScopeWindow::updateStatus()
{
    const QLocale locale;
    QString text = tr("%Ln samples, t = %1 s", nullptr, m_recorder->sampleCount())
                       .arg(locale.toString(m_recorder->viewEnd() / 1000.0, 'f', 1));
    if (m_recorder->discardedSamples() > 0)
        text += tr(", %1 oldest dropped").arg(locale.toString(m_recorder->discardedSamples()));
    if (m_recorder->isPaused())
        text += tr(" (paused)");
    m_status->setText(text);
}

QString ScopeWindow::saveName(const QString& title, const QString& fileName, const QString& filter)
{
    const QString start = QDir(m_directory.isEmpty() ? QDir::homePath() : m_directory).filePath(fileName);
    const QString path = QFileDialog::getSaveFileName(this, title, start, filter);
    if (!path.isEmpty())
        m_directory = QFileInfo(path).absolutePath();
    return path;
}
