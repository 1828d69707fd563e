// The Monte Carlo window of the relative-humidity page: opened on the page's
// state, it evaluates in the background, fills its table, and stops when
// cancelled.
#include "pages/monte_carlo_window.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "numeric_edit.h"
#include "pages/rh_page_widget.h"

namespace wegator {
namespace {

// Generous: the wait ends as soon as the run does.
constexpr int kWaitMs = 120000;

TEST(MonteCarloWindow, EvaluatesThePageStateAndStopsOnCancel) {
    RecordingHost host;
    RelativeHumidityPage model{host};
    RhPageWidget page{model};
    EXPECT_FALSE(page.MonteCarloButton()->isEnabled());  // nothing computed yet

    // Just below saturation: RH near 100 %, where its interval is lopsided.
    const std::pair<RhField, const char*> inputs[] = {
        {RhField::DewPoint, "19.9"}, {RhField::DewPointUncertainty, "0.2"}, {RhField::Temperature, "20"},
        {RhField::TemperatureUncertainty, "0.1"}, {RhField::P1, "101.325"}, {RhField::P2, "101.325"}};
    for (const auto& [field, text] : inputs) QTest::keyClicks(page.Field(field), QString::fromUtf8(text));
    QTest::mouseClick(page.ComputeButton(), Qt::LeftButton);
    ASSERT_TRUE(page.MonteCarloButton()->isEnabled());

    QTest::mouseClick(page.MonteCarloButton(), Qt::LeftButton);
    MonteCarloWindow* window = page.MonteCarlo();
    ASSERT_NE(window, nullptr);
    QSignalSpy ended(window, &MonteCarloWindow::runEnded);

    // Started at once with the default options (adaptive, up to a cap of
    // millions of draws): Cancel stops it.
    ASSERT_TRUE(window->Running());
    EXPECT_FALSE(window->StartButton()->isEnabled());
    QTest::mouseClick(window->CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_FALSE(window->Running());
    ASSERT_TRUE(window->Result().has_value());
    EXPECT_EQ(window->Result()->outcome.status, montecarlo::Status::Cancelled);
    EXPECT_EQ(window->Table()->rowCount(), 0);

    // A fixed, small number of draws.
    window->FixedChoice()->setChecked(true);
    window->DrawsBox()->setValue(20000);
    QTest::mouseClick(window->StartButton(), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(kWaitMs));
    ASSERT_TRUE(window->Result().has_value());
    const HumidityMonteCarlo& mc = *window->Result();
    EXPECT_EQ(mc.outcome.status, montecarlo::Status::Fixed);
    EXPECT_EQ(mc.outcome.drawn, 20000u);
    ASSERT_EQ(window->Table()->rowCount(), static_cast<int>(mc.outputs.size()));
    bool sawHumidity = false;
    for (std::size_t i = 0; i < mc.outputs.size(); ++i) {
        EXPECT_FALSE(window->Table()->item(static_cast<int>(i), 4)->text().isEmpty()) << i;  // the MC mean
        if (mc.outputs[i].row != static_cast<int>(RhRow::Humidity)) continue;
        sawHumidity = true;
        EXPECT_LE(mc.outcome.outputs[i].shortestHigh, 100.0);
        EXPECT_LE(mc.outcome.outputs[i].symmetricHigh, 100.0);
    }
    EXPECT_TRUE(sawHumidity);
    // Every row's histogram was drawn when the run ended, and the draws let go.
    EXPECT_TRUE(mc.outcome.sorted.empty());
    for (std::size_t i = 0; i < mc.outputs.size(); ++i) {
        const MonteCarloHistogram* histogram = window->HistogramOf(static_cast<int>(i));
        ASSERT_NE(histogram, nullptr) << i;
        std::size_t shown = histogram->histogram.below + histogram->histogram.above;
        for (std::size_t count : histogram->histogram.counts) shown += count;
        EXPECT_EQ(shown, mc.outcome.accepted) << i;
    }
    // The number of draws reads with its thousands apart.
    window->DrawsBox()->setValue(2000000);
    EXPECT_EQ(window->DrawsBox()->text(), QString::fromUtf8("2\u00a0000\u00a0000"));
}

// Escape leaves the window as Close does, stopping the run under way, and
// the window opens again where the user left it, from the settings.
TEST(MonteCarloWindow, EscapeClosesItAndItsPlaceIsKept) {
    Settings settings;
    MonteCarloWindow::KeepPlaceIn(&settings);
    RecordingHost host;
    RelativeHumidityPage model{host};
    for (auto [field, text] : {std::pair{RhField::DewPoint, "5"}, {RhField::DewPointUncertainty, "0.1"},
                               {RhField::Temperature, "20"}, {RhField::P1, "101.325"}, {RhField::P2, "101.325"}}) {
        model.SetFieldText(field, text);
    }
    model.Compute();
    QWidget page;
    QPointer<MonteCarloWindow> window;
    const QRect place(140, 90, 1010, 830);
    // Twice: Escape on the window itself and on its table.
    for (bool onTable : {false, true}) {
        ASSERT_NE(ShowMonteCarloWindow(window, &page, model, QStringLiteral("RH")), nullptr);
        if (!onTable) {
            window->setGeometry(place);  // as the user moves and sizes it
            QApplication::processEvents();
        }
        EXPECT_EQ(window->geometry(), place);
        EXPECT_EQ(QRect(settings.monteCarloLeft, settings.monteCarloTop, settings.monteCarloWidth,
                        settings.monteCarloHeight),
                  place);
        ASSERT_TRUE(window->Running());
        QTest::keyClick(onTable ? static_cast<QWidget*>(window->Table()) : window.data(), Qt::Key_Escape);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull()) << onTable;
    }
    MonteCarloWindow::KeepPlaceIn(nullptr);
}

}  // namespace
}  // namespace wegator
