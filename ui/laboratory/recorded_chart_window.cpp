#include "laboratory/recorded_chart_window.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QVBoxLayout>
#include <map>
#include <string>

#include "laboratory/data_files.h"
#include "lab/base/lab_messages.h"
#include "station/qt_station.h"
#include "text/string_table.h"
#include "text/strings.h"
#include "laboratory/trend_chart_widget.h"
#include "widget_texts.h"

namespace wegator {

namespace {

// A data file keeps the header of the language it was written in. Whatever
// language is in force now, an English header is read as well: the English
// string table, looked up without putting it in force.
QTranslator* EnglishTable() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator(QCoreApplication::instance());
        const QString file = FindDataFile(DefaultDataDirs(), QString::fromLatin1(kEnglishTranslationFile));
        if (file.isEmpty() || !t->load(file)) {
            delete t;
            return static_cast<QTranslator*>(nullptr);
        }
        return t;
    }();
    return translator;
}

std::string_view EnglishHeaderText(int id) {
    static std::map<int, std::string> cache;
    if (const auto found = cache.find(id); found != cache.end()) return found->second;
    const std::string polish(PolishString(id));
    if (polish.empty() || EnglishTable() == nullptr) return {};
    return cache.emplace(id, EnglishTable()->translate("StringTable", polish.c_str()).toStdString()).first->second;
}

void WarningBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Warning, StringTableText(msg::ProgramTitle), message, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

RecordedChartWindow::RecordedChartWindow(lab::RecordedFile file, const QString& path, char decimalSign, QWidget* parent)
    : QWidget(parent, Qt::Window),
      file_(std::move(file)),
      source_(lab::RecordedSource(file_)),
      decimalSign_(decimalSign),
      chart_(new TrendChartWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(
        ToQString(lab::MessageText(lab::msg::RecordedWindowTitle, {QFileInfo(path).fileName().toStdString()})));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chart_);
    // The whole record is drawn: the live chart's windows ending now mean nothing here.
    chart_->OfferWindows(false);
    chart_->SetChartSource([this](const TrendChartWidget::ChartRequest& r) { return BuildChart(r.columns, r.shown); });
    chart_->SetRevisionSource([] { return std::uint64_t{0}; });
    std::vector<TrendChartWidget::Quantity> offered;
    QList<int> shown;
    // Every column with readings is offered; the uncertainties are not drawn
    // until chosen.
    for (std::size_t c = 0; c < file_.columns.size(); ++c) {
        const lab::RecordedColumn& column = file_.columns[c];
        if (column.points.empty()) continue;
        const std::string name = column.unitText.empty() ? column.name : column.name + " (" + column.unitText + ")";
        offered.push_back({static_cast<int>(c), ToQString(name)});
    }
    for (std::size_t c : lab::SelectRecordedColumns(file_, {}, nullptr).value_or(std::vector<std::size_t>{})) {
        shown.append(static_cast<int>(c));
    }
    chart_->SetQuantities(offered, shown);
    resize(900, 600);
}

lab::TrendChart RecordedChartWindow::BuildChart(std::size_t columns, const QList<int>& shown) const {
    std::vector<std::size_t> chosen;
    for (int c : shown) chosen.push_back(static_cast<std::size_t>(c));
    std::int64_t from = 0, to = 0;
    if (const auto span = lab::RecordedSpan(file_, chosen)) std::tie(from, to) = *span;
    // A single reading still gets a minute of time around it.
    if (to == from) {
        from -= 30000;
        to += 30000;
    }
    return lab::BuildTrendChart(source_, lab::RecordedChartRequest(file_, chosen, from, to, columns, decimalSign_));
}

RecordedChartWindow* OpenStationRecordFile(QWidget* parent, const QString& path, char decimalSign,
                                           const RecordRefusal& refuse) {
    lab::RecordedReadOptions options;
    options.dateFormats = UserDateFormats();
    options.languages.push_back(&EnglishHeaderText);
    lab::RecordedReading reading = lab::ReadRecordedFile(path.toStdString(), options);
    if (!reading.file) {
        const QString message =
            ToQString(lab::MessageText(lab::msg::RecordedRefused, {path.toStdString(), reading.error}));
        (refuse ? refuse : WarningBox)(parent, message);
        return nullptr;
    }
    auto* window = new RecordedChartWindow(std::move(*reading.file), path, decimalSign, parent);
    window->show();
    return window;
}

RecordedChartWindow* OpenStationRecord(QWidget* parent, char decimalSign) {
    const QString path = QFileDialog::getOpenFileName(parent, StringTableText(lab::msg::RecordedOpenTitle), QString(),
                                                      StringTableText(lab::msg::RecordedFilter));
    if (path.isEmpty()) return nullptr;
    return OpenStationRecordFile(parent, path, decimalSign);
}

}  // namespace wegator
