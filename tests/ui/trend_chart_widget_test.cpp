// The trend chart on screen and in files: the export's file types, the
// context menu's window and quantities, the cursor under the mouse.
#include "laboratory/trend_chart_widget.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "chart/trend_painter.h"

namespace wegator {
namespace {

using lab::TrendQuantity;

constexpr std::int64_t kMinute = 60 * 1000;
const std::int64_t kNow = lab::CalendarMs({2024, 5, 6, 12, 0, 0});

int Id(TrendQuantity q) { return static_cast<int>(q); }

// Ten minutes of two quantities, a reading a second.
lab::SeriesSet Readings() {
    lab::SeriesSet s;
    for (std::int64_t t = kNow - 10 * kMinute; t <= kNow; t += 1000) {
        s.Add(Id(TrendQuantity::DewPoint), t, -12.0 + 1e-6 * static_cast<double>(t % 7919));
        s.Add(Id(TrendQuantity::Pressure), t, 101.3);
    }
    s.Mark(kNow - 5 * kMinute, lab::MarkerKind::SettingsChanged);
    return s;
}

lab::TrendChart ChartOf(const lab::SeriesSet& s, std::size_t columns, std::int64_t windowMs, const QList<int>& shown) {
    lab::TrendChartRequest request;
    request.title = "DP/FP";
    for (int q : shown) request.lines.push_back(lab::StationLine(static_cast<TrendQuantity>(q), "°C", "kPa"));
    request.from = kNow - windowMs;
    request.to = kNow;
    request.columns = columns;
    return lab::BuildTrendChart(s, request);
}

QAction* ActionNamed(QMenu* menu, const QString& text) {
    for (QAction* a : menu->findChildren<QAction*>()) {
        if (a->text() == text) return a;
    }
    return nullptr;
}

}  // namespace

// PNG, SVG and PDF by the extension, whole files; anything else refused with
// the reason and nothing written; a folder in the way stays a folder.
TEST(TrendChartExport, FileTypeByExtension) {
    QTemporaryDir dir;
    const lab::SeriesSet s = Readings();
    lab::TrendChart chart = ChartOf(s, 800, 10 * kMinute, {Id(TrendQuantity::DewPoint), Id(TrendQuantity::Pressure)});
    chart.cursor = kNow - kMinute;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.png"));
    struct Case {
        QString name;
        bool written;
        QByteArray head;     // the file's first bytes
        std::string reason;  // part of the reason
    };
    const Case cases[] = {
        {"chart.png", true, "\x89PNG", ""},
        {"chart.SVG", true, "<?xml", ""},
        {"sub/chart.pdf", true, "%PDF", ""},
        {"chart.bmp", false, "", "chart.bmp"},
        {"chart", false, "", ".png, .svg"},
        {"folder.png", false, "", "nie można zapisać pliku"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = dir.filePath(c.name);
        std::string reason;
        EXPECT_EQ(WriteTrendChart(path.toStdString(), chart, QSize(800, 400), &reason), c.written);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        QFile file(path);
        if (c.written) {
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_TRUE(file.readAll().startsWith(c.head));
        } else {
            EXPECT_FALSE(file.open(QIODevice::ReadOnly) && file.size() > 0);
        }
    }
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.png")).isDir());
    // Leftover temporary files would mean a write was not atomic.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

// The widget asks for a chart of its width and window, rebuilds it when the
// menu changes the window or the quantities (telling the owner), follows the
// mouse with the cursor and exports with the chosen filter's extension.
TEST(TrendChartWidget, MenuCursorAndExport) {
    const lab::SeriesSet s = Readings();
    TrendChartWidget widget;
    std::vector<TrendChartWidget::ChartRequest> asked;
    widget.SetQuantities({{Id(TrendQuantity::DewPoint), "DP/FP"}, {Id(TrendQuantity::Pressure), "Pb"}},
                         {Id(TrendQuantity::DewPoint)});
    widget.SetChartSource([&](const TrendChartWidget::ChartRequest& r) {
        asked.push_back(r);
        return ChartOf(s, r.columns, r.windowMs, r.shown);
    });
    widget.resize(640, 360);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.grab();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().columns, 640u);
    EXPECT_EQ(asked.back().windowMs, 10 * kMinute);
    EXPECT_EQ(widget.Chart().panels.size(), 1u);

    QSignalSpy windows(&widget, &TrendChartWidget::WindowChanged);
    QSignalSpy quantities(&widget, &TrendChartWidget::QuantitiesChanged);
    std::unique_ptr<QMenu> menu(widget.CreateContextMenu(nullptr));
    ActionNamed(menu.get(), "1 h")->trigger();
    ActionNamed(menu.get(), "Pb")->trigger();
    widget.grab();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows[0][0].toInt(), 1);
    ASSERT_EQ(quantities.size(), 1);
    EXPECT_EQ(quantities[0][0].value<QList<int>>(), (QList<int>{Id(TrendQuantity::DewPoint), Id(TrendQuantity::Pressure)}));
    EXPECT_EQ(asked.back().windowMs, 60 * kMinute);
    EXPECT_EQ(widget.Chart().panels.size(), 2u);

    const lab::ChartLayout layout = TrendChartLayout(widget.Chart(), QRectF(widget.rect()), &widget);
    const lab::ChartRect& plot = layout.panels.at(1);
    QTest::mouseMove(&widget, QPoint(static_cast<int>(plot.Right()) - 1, static_cast<int>(plot.y + plot.height / 2)));
    ASSERT_TRUE(widget.Cursor());
    EXPECT_NEAR(static_cast<double>(*widget.Cursor()), static_cast<double>(kNow), 60 * kMinute / plot.width * 2);
    QTest::mouseMove(&widget, QPoint(2, 2));
    EXPECT_FALSE(widget.Cursor());

    QTemporaryDir dir;
    EXPECT_TRUE(widget.ExportChart(dir.filePath("day"), 1).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("day.svg")));
    EXPECT_TRUE(widget.ExportChart(dir.filePath("day.gif")).contains("day.gif"));
}

// The menu without a mouse: with the chart focused, the menu key and
// Shift+F10 open it; the corner button opens it by its access key.
TEST(TrendChartWidget, MenuFromTheKeyboard) {
    const lab::SeriesSet s = Readings();
    TrendChartWidget widget;
    widget.SetQuantities({{Id(TrendQuantity::DewPoint), "DP/FP"}}, {Id(TrendQuantity::DewPoint)});
    widget.SetChartSource([&](const TrendChartWidget::ChartRequest& r) { return ChartOf(s, r.columns, r.windowMs, r.shown); });
    widget.resize(640, 360);
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    EXPECT_EQ(widget.focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    EXPECT_FALSE(QKeySequence::mnemonic(widget.MenuButton()->text()).isEmpty());

    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const QKeySequence access = QKeySequence::mnemonic(widget.MenuButton()->text());
    const Case cases[] = {
        {"menu key", Qt::Key_Menu, Qt::NoModifier},
        {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier},
        {"access key", static_cast<Qt::Key>(access[0].key()), access[0].keyboardModifiers()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        widget.setFocus();
        QTest::keyClick(&widget, c.key, c.modifiers);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        EXPECT_NE(ActionNamed(menu, "Eksportuj wykres…"), nullptr);
        menu->close();
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
    }
}

}  // namespace wegator
