// The eight-channel temperature page on screen (SWega6PP, "QX-311"), bound to
// its EightChannelPage model: the eight channel readings, the chamber's mean
// tnsj, the largest deviations above and below it, the non-uniformity
// uncertainty utnj, and the temperature unit list. It prints nothing.
#pragma once

#include <array>
#include <memory>

#include <QElapsedTimer>

#include "lab/station/eight_channel_page.h"
#include "lab/station/laboratory_page.h"
#include "pages/page_widget.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace Ui {
class EightChannelPage;
}

namespace wegator {

class TrendChartWidget;

class EightChannelPageWidget : public PageWidget {
    Q_OBJECT
public:
    explicit EightChannelPageWidget(lab::EightChannelPage& model, QWidget* parent = nullptr);
    ~EightChannelPageWidget() override;

    void Activate() override {
        verdictJudged_.invalidate();
        Refresh();
    }
    bool PrintEnabled() const override { return false; }
    void Refresh() override;

    // Channel 1 … 8; the statistics fields in their order on the page.
    QLineEdit* ChannelField(int channel) const { return channels_.at(static_cast<std::size_t>(channel - 1)); }
    QLineEdit* MeanField() const;
    QLineEdit* UncertaintyField() const;
    QComboBox* TemperatureUnitList() const;

    // The trend of the channels, from the station's history; `keys` the
    // quantities shown as stored (the channels by default).
    void AttachStation(const lab::LaboratoryPage& station, const std::string& keys);
    std::string ChartKeys() const { return chartKeys_; }
    TrendChartWidget* Chart() const { return chart_; }

private:
    std::unique_ptr<Ui::EightChannelPage> ui_;
    lab::EightChannelPage& model_;
    std::array<QLineEdit*, lab::EightChannelPage::kChannels> channels_{};
    std::array<QLabel*, lab::EightChannelPage::kChannels + 4> units_{};
    const lab::LaboratoryPage* station_ = nullptr;
    TrendChartWidget* chart_ = nullptr;
    QLabel* verdict_ = nullptr;
    std::string chartKeys_;
    QElapsedTimer verdictJudged_;
};

}  // namespace wegator
