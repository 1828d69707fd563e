// "Otwórz zapis stacji…": a file the station recorded (its data file, or the
// series file of a calibration run) drawn in a window of its own, with the
// same chart, cursor read-out and export as the laboratory page's trend. The
// whole file is shown; the context menu chooses its columns.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "lab/records/recorded_file.h"
#include "lab/trends/trend_chart.h"

namespace wegator {

class TrendChartWidget;

class RecordedChartWindow : public QWidget {
    Q_OBJECT
public:
    RecordedChartWindow(lab::RecordedFile file, const QString& path, char decimalSign, QWidget* parent = nullptr);

    TrendChartWidget* Chart() const { return chart_; }

private:
    lab::TrendChart BuildChart(std::size_t columns, const QList<int>& shown) const;

    lab::RecordedFile file_;
    lab::SeriesSet source_;
    char decimalSign_;
    TrendChartWidget* chart_;
};

// Reads `path` and opens its window (owned by `parent`, gone when closed). A
// file that cannot be read opens nothing: `refuse` gets the message, which
// names the file and the line. By default the message is a warning box.
using RecordRefusal = std::function<void(QWidget* parent, const QString& message)>;
RecordedChartWindow* OpenStationRecordFile(QWidget* parent, const QString& path, char decimalSign,
                                           const RecordRefusal& refuse = {});
// Asks for the file first; nullptr when the question was cancelled.
RecordedChartWindow* OpenStationRecord(QWidget* parent, char decimalSign);

}  // namespace wegator
