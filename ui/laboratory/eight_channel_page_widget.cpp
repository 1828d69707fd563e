#include "laboratory/eight_channel_page_widget.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "artwork.h"
#include "pages/humidity_page_view.h"
#include "hyperlink_label.h"
#include "laboratory/trend_chart_widget.h"
#include "laboratory/trend_choices.h"
#include "ui_eight_channel_page.h"

namespace wegator {

namespace {
constexpr int kPictureSize = 160;
}  // namespace

EightChannelPageWidget::EightChannelPageWidget(lab::EightChannelPage& model, QWidget* parent)
    : PageWidget(parent), ui_(std::make_unique<Ui::EightChannelPage>()), model_(model) {
    ui_->setupUi(this);
    channels_ = {ui_->channel1Value, ui_->channel2Value, ui_->channel3Value, ui_->channel4Value,
                 ui_->channel5Value, ui_->channel6Value, ui_->channel7Value, ui_->channel8Value};
    units_ = {ui_->channel1Unit,  ui_->channel2Unit,        ui_->channel3Unit,        ui_->channel4Unit,
              ui_->channel5Unit,  ui_->channel6Unit,        ui_->channel7Unit,        ui_->channel8Unit,
              ui_->meanUnit,      ui_->deviationAboveUnit,  ui_->deviationBelowUnit,  ui_->uncertaintyUnit};
    for (QLineEdit* field : channels_) field->setFixedWidth(NumberFieldWidth(field, kLongestEntry));
    for (QLineEdit* field : {ui_->meanValue, ui_->deviationAboveValue, ui_->deviationBelowValue, ui_->uncertaintyValue})
        field->setFixedWidth(NumberFieldWidth(field, kLongestEntry));
    // Fields and list keep their widths; the room left goes to the picture.
    ui_->channelGroup->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    for (QLabel* unit : units_) ReserveInputUnitWidth(unit);
    MakeResultFields(this);

    FillUnitList(ui_->temperatureUnitList, kTemperatureUnits);
    connect(ui_->temperatureUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangeTemperatureUnit(index);
        Refresh();
        // The channels' trend is drawn in the page's unit.
        if (chart_ != nullptr) chart_->Rebuild();
    });
    ui_->chamberPicture->setPixmap(ProgramPicture(kPictureSize, devicePixelRatioF()));
    ShowMakerLogo(ui_->logoLabel);
    Refresh();
}

EightChannelPageWidget::~EightChannelPageWidget() = default;

void EightChannelPageWidget::AttachStation(const lab::LaboratoryPage& station, const std::string& keys) {
    station_ = &station;
    chartKeys_ = keys;
    // The chart takes the picture's place: the channels' trend says more.
    ui_->chamberPicture->hide();
    verdict_ = new QLabel(this);
    verdict_->setWordWrap(true);
    chart_ = new TrendChartWidget(this);
    ui_->pictureColumn->insertWidget(0, verdict_);
    ui_->pictureColumn->insertWidget(1, chart_, 1);
    chart_->SetChartSource([this](const TrendChartWidget::ChartRequest& r) {
        return station_->Chart(TrendQuantitiesOf(r.shown), r.windowMs, r.columns, model_.TemperatureUnit());
    });
    chart_->SetRevisionSource([this] { return station_->Revision(); });
    connect(chart_, &TrendChartWidget::QuantitiesChanged, this,
            [this](const QList<int>& shown) {
                chartKeys_ = KeysOf(shown);
                verdictJudged_.invalidate();
                Refresh();
            });
    std::vector<lab::TrendQuantity> offered;
    for (int c = 1; c <= lab::EightChannelPage::kChannels; ++c) offered.push_back(lab::ChannelQuantity(c));
    offered.push_back(lab::TrendQuantity::ChannelSpread);
    chart_->SetQuantities(OfferedQuantities(offered), QuantitiesFromKeys(keys));
    Refresh();
}

QLineEdit* EightChannelPageWidget::MeanField() const { return ui_->meanValue; }
QLineEdit* EightChannelPageWidget::UncertaintyField() const { return ui_->uncertaintyValue; }
QComboBox* EightChannelPageWidget::TemperatureUnitList() const { return ui_->temperatureUnitList; }

void EightChannelPageWidget::Refresh() {
    for (int c = 1; c <= lab::EightChannelPage::kChannels; ++c) Show(ChannelField(c), model_.ChannelText(c));
    Show(ui_->meanValue, model_.MeanText());
    Show(ui_->deviationAboveValue, model_.DeviationAboveText());
    Show(ui_->deviationBelowValue, model_.DeviationBelowText());
    Show(ui_->uncertaintyValue, model_.UncertaintyText());
    for (QLabel* unit : units_) Show(unit, model_.TemperatureUnit());
    Show(ui_->temperatureUnitList, model_.TemperatureUnitIndex());
    // Readings come many times a second: the verdict is judged at most once a
    // second, and only while the page is in sight.
    if (station_ != nullptr && isVisible() && (!verdictJudged_.isValid() || verdictJudged_.elapsed() >= 1000)) {
        verdictJudged_.start();
        // The verdict on the first channel shown (on the spread when only it is).
        const std::vector<lab::TrendQuantity> shown = TrendQuantitiesOf(chart_->ShownQuantities());
        if (shown.empty()) {
            ShowVerdict(verdict_, {}, false);
        } else {
            const lab::StabilityVerdict verdict = station_->Verdict(shown.front());
            ShowVerdict(verdict_, station_->VerdictText(shown.front(), verdict), verdict.stable);
        }
    }
}

}  // namespace wegator
