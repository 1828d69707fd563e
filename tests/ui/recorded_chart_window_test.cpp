// "Otwórz zapis stacji…": a recorded file drawn whole in its own window, or
// refused with the line that is wrong and no window.
#include "laboratory/recorded_chart_window.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "laboratory/trend_chart_widget.h"

namespace wegator {
namespace {

void Write(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST(RecordedChartWindow, DrawsARecordWholeOrNamesTheLineThatIsWrong) {
    QTemporaryDir dir;
    QWidget owner;
    const QByteArray header = "Data i czas\tDP/FP wejście (°C)\tRH nad wodą (%)\t\r\n";
    const QByteArray first = "06.05.2024 14:00:05\t-10.52\t45.1\t\r\n";
    Write(dir.filePath("lab.txt"), header + first + "06.05.2024 18:00:05\t-10.41\t45.6\t\r\n");
    Write(dir.filePath("bad.txt"), header + first + "06.05.2024 14:01\t-10.41\t45.6\t\r\n");
    QString refused;
    const RecordRefusal refuse = [&refused](QWidget*, const QString& message) { refused = message; };

    RecordedChartWindow* window = OpenStationRecordFile(&owner, dir.filePath("lab.txt"), ',', refuse);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(refused.isEmpty());
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Zapis stacji – lab.txt"));
    window->Chart()->grab();  // drawn once: the chart is built
    const lab::TrendChart& chart = window->Chart()->Chart();
    ASSERT_EQ(chart.panels.size(), 2u);
    EXPECT_EQ(chart.panels[0].unit, "°C");
    EXPECT_EQ(chart.panels[1].unit, "%");
    EXPECT_NE(chart.panels[1].tickLabels.front().find(','), std::string::npos);  // the user's decimal sign
    EXPECT_EQ(chart.from, lab::CalendarMs({2024, 5, 6, 14, 0, 5}));
    EXPECT_EQ(chart.to, lab::CalendarMs({2024, 5, 6, 18, 0, 5}));

    EXPECT_EQ(OpenStationRecordFile(&owner, dir.filePath("bad.txt"), ',', refuse), nullptr);
    EXPECT_TRUE(refused.contains(QString::fromUtf8("Wiersz 3: nieczytelna data i czas „06.05.2024 14:01”")))
        << refused.toStdString();
    EXPECT_TRUE(refused.contains(dir.filePath("bad.txt")));
    EXPECT_EQ(owner.findChildren<RecordedChartWindow*>().size(), 1);
}

}  // namespace
}  // namespace wegator
