#pragma once

#include <QHash>
#include <QTimer>
#include <QWidget>
#include <QtCharts/QChartGlobal>

class QComboBox;
class QLabel;
class QPushButton;
class ScopeRecorder;

QT_CHARTS_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QLegendMarker;
class QLineSeries;
class QValueAxis;
QT_CHARTS_END_NAMESPACE

// The scope: the recorder's series over its moving window, values on the left scale and the
// 0/1 flags on a right one. The picture is redrawn a few times a second while the window is
// shown and something changed, never per sample. A click on a legend entry switches its
// series off and on; a vertical drag zooms the value scale and ends autoscaling.
class ScopeWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RedrawInterval = 250; // ms

    explicit ScopeWindow(QWidget* parent = nullptr);
    ~ScopeWindow() override;

    ScopeRecorder* recorder() const { return m_recorder; }
    QtCharts::QChart* chart() const { return m_chart; }
    QtCharts::QLineSeries* series(const QString& name) const { return m_lines.value(name); }
    bool isAutoscaling() const;

    // Brings the picture up to date now.
    void refresh();
    // What a click on the series' legend entry does.
    void toggleSeries(const QString& name);
    bool savePicture(const QString& path, QString* error);

public slots:
    void exportCsv();
    void exportPicture();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void addLine(const QString& name);
    void updateMarker(QtCharts::QLegendMarker* marker, bool visible);
    void setValueRange(QtCharts::QValueAxis* axis, double low, double high);
    void redrawIfChanged();
    void updateStatus();
    QString saveName(const QString& title, const QString& fileName, const QString& filter);

    ScopeRecorder* m_recorder;
    QtCharts::QChart* m_chart;
    QtCharts::QChartView* m_view;
    QtCharts::QValueAxis* m_timeAxis;
    QtCharts::QValueAxis* m_valueAxis;
    QtCharts::QValueAxis* m_flagAxis;
    QHash<QString, QtCharts::QLineSeries*> m_lines;
    QComboBox* m_windowBox;
    QPushButton* m_pauseButton;
    QPushButton* m_autoscaleButton;
    QLabel* m_status;
    QTimer m_redraw;
    quint64 m_drawn = ~quint64(0); // the recorder's revision on the picture
    bool m_settingRange = false;
    QString m_directory;
};
