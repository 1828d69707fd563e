// Printing a page: the default printer behind the page's button, the print
// dialog behind the menu, and a real PDF read back as text.
#include "printing.h"

#include <algorithm>
#include <limits>

#include <QAction>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "text/string_table.h"
#include "text/strings.h"
#include "main_window.h"
#include "numeric_edit.h"
#include "pages/pressure_page_widget.h"
#include "pages/psychrometer_page_widget.h"
#include "pages/recompute_marker.h"
#include "pages/rh_page_widget.h"
#include "wegator_version.h"

namespace wegator {
namespace {

// A paint device that keeps every text drawn on it with its position.
class RecordingDevice : public QPaintDevice {
public:
    struct Text {
        QPointF at;
        QString text;
    };

    QPaintEngine* paintEngine() const override { return &engine_; }
    const std::vector<Text>& Texts() const { return engine_.texts; }
    void Clear() { engine_.texts.clear(); }
    // A printer that is there but cannot be opened.
    void SetOpenable(bool openable) { engine_.openable = openable; }

    static constexpr int kWidth = 4760, kHeight = 6814, kDpi = 600;  // A4 at 600 dpi

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
            case PdmWidth: return kWidth;
            case PdmHeight: return kHeight;
            case PdmWidthMM: return kWidth * 254 / (10 * kDpi);
            case PdmHeightMM: return kHeight * 254 / (10 * kDpi);
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY: return kDpi;
            case PdmDepth: return 32;
            case PdmNumColors: return std::numeric_limits<int>::max();
            case PdmDevicePixelRatio: return 1;
            case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
            default: return QPaintDevice::metric(m);
        }
    }

private:
    struct Engine : QPaintEngine {
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return openable; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override { texts.push_back({p, item.text()}); }
        Type type() const override { return QPaintEngine::User; }

        std::vector<Text> texts;
        bool openable = true;
    };
    mutable Engine engine_;
};

class FakePrinters : public PrintTarget {
public:
    bool SelectDefaultPrinter() override {
        ++defaultAsked;
        return hasDefault;
    }
    bool SelectPrinterWithDialog(QWidget*) override {
        ++dialogsShown;
        return dialogAccepted;
    }
    QPaintDevice* Device() override { return &device; }
    QSize PrintableSize() const override { return {RecordingDevice::kWidth, RecordingDevice::kHeight}; }

    bool hasDefault = true;
    bool dialogAccepted = true;
    int defaultAsked = 0;
    int dialogsShown = 0;
    RecordingDevice device;
};

constexpr PrintTime kPrintedAt{2025, 3, 14, 9, 5};

// Puts fake printers and a fixed clock behind the window and collects the
// numbers of the messages it would show.
FakePrinters& UseFakePrinters(MainWindow& window, std::vector<int>& messages) {
    window.SetMessageSink([&messages](bool, int id, const std::string&) { messages.push_back(id); });
    auto owned = std::make_unique<FakePrinters>();
    FakePrinters& printers = *owned;
    window.SetPrintTarget(std::move(owned));
    window.SetPrintClock([] { return kPrintedAt; });
    return printers;
}

void Type(NumericEdit* field, const char* text) {
    field->selectAll();
    QTest::keyClicks(field, QString::fromUtf8(text));
}

TEST(Printing, ButtonPrintsOnTheDefaultPrinterAndTheMenuAsksFirst) {
    Settings settings;
    settings.language = "pl";
    settings.decimal = ".";
    settings.psychometerPrecInput = 2;
    MainWindow window(settings, {});
    std::vector<int> messages;
    FakePrinters& printers = UseFakePrinters(window, messages);

    window.CommandAction(MainWindow::kCmdPsychrometer)->trigger();
    PsychrometerPageWidget* page = window.PsychrometerPageWidgetAt();
    Type(page->Field(PsychrometerField::Temperature), "20");
    Type(page->Field(PsychrometerField::Bulb), "15");
    Type(page->Field(PsychrometerField::Pressure), "101.325");
    QTest::mouseClick(page->ComputeButton(), Qt::LeftButton);
    ASSERT_TRUE(messages.empty());
    // The page's own settings came in with the window: two input decimals, a point.
    EXPECT_EQ(page->Field(PsychrometerField::Temperature)->text(), QStringLiteral("20.00"));

    // The button: the default printer, no dialog, every text of the page drawn
    // in the printout's order at its column.
    QTest::mouseClick(page->PrintButton(), Qt::LeftButton);
    EXPECT_EQ(printers.defaultAsked, 1);
    EXPECT_EQ(printers.dialogsShown, 0);
    std::vector<PrintCell> expected;
    for (const PrintCell& cell : page->PrintCells(kPrintedAt)) {
        if (!cell.text.empty()) expected.push_back(cell);
    }
    const auto& drawn = printers.device.Texts();
    ASSERT_EQ(drawn.size(), expected.size());
    // The text's top sits at its cell; the baseline one ascent lower, the same for all.
    const qreal ascent = drawn[0].at.y() - ToDevice(expected[0].k, expected[0].n, 4760, 6814).y;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const DevicePoint at = ToDevice(expected[i].k, expected[i].n, 4760, 6814);
        EXPECT_EQ(drawn[i].text.toStdString(), expected[i].text);
        EXPECT_EQ(drawn[i].at.x(), at.x) << expected[i].text;
        EXPECT_EQ(drawn[i].at.y() - ascent, at.y) << expected[i].text;
    }
    EXPECT_EQ(drawn[0].text, QString::fromUtf8(LoadString(msg::InputsCaption)));
    EXPECT_EQ(drawn[0].at.x(), 206);  // the label column on A4 at 600 dpi
    // The DP/FP result line on that sheet.
    const auto dewPointRow = std::find_if(drawn.begin(), drawn.end(), [&](const RecordingDevice::Text& t) {
        return t.text == QStringLiteral("DP/FP");
    });
    ASSERT_NE(dewPointRow, drawn.end());
    EXPECT_EQ(dewPointRow->at.y() - ascent, 2952);

    // Printing leaves the page as it was.
    EXPECT_TRUE(page->PrintButton()->isEnabled());
    EXPECT_FALSE(page->Marker()->IsShown());
    EXPECT_EQ(page->Field(PsychrometerField::Pressure)->text(), QStringLiteral("101.32"));  // cut, never rounded
    EXPECT_TRUE(window.CommandAction(MainWindow::kCmdPrint)->isEnabled());

    // The menu always asks; cancelling prints nothing.
    printers.device.Clear();
    printers.dialogAccepted = false;
    window.CommandAction(MainWindow::kCmdPrint)->trigger();
    EXPECT_EQ(printers.dialogsShown, 1);
    EXPECT_EQ(printers.defaultAsked, 1);
    EXPECT_TRUE(printers.device.Texts().empty());

    // No default printer: the button asks as well, and prints on the printer chosen.
    printers.hasDefault = false;
    printers.dialogAccepted = true;
    QTest::mouseClick(page->PrintButton(), Qt::LeftButton);
    EXPECT_EQ(printers.dialogsShown, 2);
    EXPECT_EQ(printers.device.Texts().size(), expected.size());

    // A printer that cannot be opened: nothing printed, nothing said.
    printers.device.Clear();
    printers.hasDefault = true;
    printers.device.SetOpenable(false);
    QTest::mouseClick(page->PrintButton(), Qt::LeftButton);
    EXPECT_TRUE(printers.device.Texts().empty());
    EXPECT_TRUE(messages.empty());

    // Results out of date are never printed, whatever asks.
    printers.device.SetOpenable(true);
    Type(page->Field(PsychrometerField::Bulb), "14");
    const int asked = printers.defaultAsked + printers.dialogsShown;
    window.RunCommand(MainWindow::kCmdPrint);
    EXPECT_EQ(printers.defaultAsked + printers.dialogsShown, asked);
    EXPECT_TRUE(printers.device.Texts().empty());
}

// The keyboard: Enter computes wherever the user is on a page (a focused button
// presses itself), Ctrl+P prints the visible page as the menu's "Drukuj" does.
TEST(Keyboard, EnterComputesAndCtrlPPrints) {
    Settings settings;
    settings.language = "pl";
    MainWindow window(settings, {});
    std::vector<int> messages;
    FakePrinters& printers = UseFakePrinters(window, messages);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    RhPageWidget* page = window.RelativeHumidityPageWidget();
    auto shownT = [&] { return page->ResultField(RhRow::Temperature, 0)->text(); };
    Type(page->Field(RhField::DewPoint), "10");
    Type(page->Field(RhField::Temperature), "20");
    Type(page->Field(RhField::P1), "100");
    Type(page->Field(RhField::P2), "100");
    QTest::keyClick(page->Field(RhField::P2), Qt::Key_Return);
    EXPECT_EQ(shownT(), QStringLiteral("20,000"));
    EXPECT_TRUE(page->PrintButton()->isEnabled());

    Type(page->Field(RhField::Temperature), "25");
    QTest::keyClick(page->Field(RhField::Temperature), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(shownT(), QStringLiteral("25,000"));
    Type(page->Field(RhField::Temperature), "30");
    QTest::keyClick(page->EnthalpyUnitList(), Qt::Key_Return);  // a closed list passes Enter on
    EXPECT_EQ(shownT(), QStringLiteral("30,000"));
    Type(page->Field(RhField::Temperature), "35");
    page->ComputeButton()->setFocus();
    QTest::keyClick(page->ComputeButton(), Qt::Key_Return);
    EXPECT_EQ(shownT(), QStringLiteral("35,000"));
    EXPECT_TRUE(page->ComputeButton()->isDefault());
    ASSERT_TRUE(messages.empty());

    // Ctrl+P: the print dialog, as from the menu.
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printers.dialogsShown, 1);
    EXPECT_EQ(printers.defaultAsked, 0);
    EXPECT_FALSE(printers.device.Texts().empty());
    // Enter on the focused "Drukuj" presses it: the default printer.
    page->PrintButton()->setFocus();
    QTest::keyClick(page->PrintButton(), Qt::Key_Return);
    EXPECT_EQ(printers.defaultAsked, 1);
    EXPECT_EQ(printers.dialogsShown, 1);
    // Out-of-date results are not printed.
    Type(page->Field(RhField::Temperature), "36");
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(printers.dialogsShown, 1);

    // The pressure page computes on Enter too.
    window.ShowPage(MainWindow::kPressurePage);
    PressurePageWidget* pressure = window.PressurePageWidgetAt();
    Type(pressure->InputField(), "2");
    EXPECT_FALSE(pressure->PrintButton()->isEnabled());
    QTest::keyClick(pressure->InputField(), Qt::Key_Return);
    EXPECT_TRUE(pressure->PrintButton()->isEnabled());
    EXPECT_EQ(pressure->ResultField(0)->text(), QStringLiteral("2000,0000"));  // Pa
    EXPECT_TRUE(messages.empty());
}

// The real printer path into a PDF file, as the print dialog's "print to file" does.
class PdfPrinter : public PrinterTarget {
public:
    explicit PdfPrinter(QString path) : path_(std::move(path)) {}
    bool SelectDefaultPrinter() override {
        QPrinter& printer = NewPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path_);
        return true;
    }
    bool SelectPrinterWithDialog(QWidget*) override {
        ADD_FAILURE() << "a default printer is there: no dialog";
        return false;
    }

private:
    QString path_;
};

QString RunTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(Printing, PsychrometerPageAsPdfReadsBackInOrder) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";

    RecordingHost host;
    PsychrometerPage model(host);
    PsychrometerPageWidget page(model);
    Type(page.Field(PsychrometerField::Temperature), "20");
    Type(page.Field(PsychrometerField::TemperatureUncertainty), "0.1");
    Type(page.Field(PsychrometerField::Bulb), "15");
    Type(page.Field(PsychrometerField::Pressure), "101.325");
    QTest::mouseClick(page.ComputeButton(), Qt::LeftButton);
    ASSERT_TRUE(host.shown.empty());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("psychrometr.pdf"));
    PdfPrinter printer(pdf);
    ASSERT_TRUE(PrintPage(printer, page.PrintCells(kPrintedAt), PrintCommand::PageButton, &page));

    QStringList lines = RunTool(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                            .split(QLatin1Char('\n'));
    for (QString& line : lines) line = line.simplified();
    lines.removeAll(QString());
    ASSERT_FALSE(lines.isEmpty());

    // Each line in turn, below the one before it.
    qsizetype at = -1;
    auto next = [&](const QString& pattern) {
        const QRegularExpression re(pattern);
        for (qsizetype i = at + 1; i < lines.size(); ++i) {
            if (re.match(lines[i]).hasMatch()) return at = i;
        }
        ADD_FAILURE() << "no line '" << pattern.toStdString() << "' below line " << at << " of\n"
                      << lines.join(QLatin1Char('\n')).toStdString();
        return at;
    };
    EXPECT_EQ(next(QStringLiteral("^Wartości wejściowe$")), 0);
    next(QStringLiteral("^-{16}$"));
    next(QStringLiteral("^Niepewność$"));
    next(QStringLiteral("^T 20,000 0,100 °C$"));
    next(QStringLiteral("^Tw/Ti 15,000 0,000 °C$"));
    next(QStringLiteral("^Pb 101,325 0,000 kPa$"));
    next(QStringLiteral("^") + QString::fromUtf8(LoadString(msg::CaptionWithFormulaUncertainty)) +
         QStringLiteral("$"));
    next(QStringLiteral("^Nad wodą Niepewność Nad lodem Niepewność$"));
    next(QStringLiteral("^DP/FP ") + QRegularExpression::escape(page.ResultField(0, 0)->text()) +
         QStringLiteral(" [0-9,]+ °C$"));  // the ice half is blank
    next(QStringLiteral("^T 20,000 0,100 °C$"));
    next(QStringLiteral("^WVP [0-9,]+ [0-9,]+ Pa$"));
    next(QStringLiteral("^Tw/Ti 15,000 0,000 °C$"));
    next(QStringLiteral("^-{41}$"));
    next(QStringLiteral("^Obliczono programem Wegator ") + QString::fromLatin1(kVersion) + QStringLiteral("$"));
    // The trace lines, whole on the sheet.
    next(QStringLiteral("^Wydrukowano 2025-03-14 09:05; wzory ITS-90$"));
    next(QStringLiteral("^Z niepewnością wzorów; stałe psychrometru: Aw domyślna, Ai domyślna$"));

    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        EXPECT_TRUE(RunTool(pdfinfo, {pdf}).contains(QRegularExpression(QStringLiteral("Title:\\s+Wegator\\n"))));
    }

    // The longest trace there is still ends inside the sheet.
    model.Engine().SetFormulaSet(1);
    model.Engine().SetPsychrometerConstantWater(0.0006653286);
    model.Engine().SetPsychrometerConstantIce(0.000575);
    model.SetFormulaUncertainty(false);
    QTest::mouseClick(page.ComputeButton(), Qt::LeftButton);
    ASSERT_TRUE(PrintPage(printer, page.PrintCells(kPrintedAt), PrintCommand::PageButton, &page));
    lines = RunTool(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).split(QLatin1Char('\n'));
    for (QString& line : lines) line = line.simplified();
    at = -1;
    next(QStringLiteral("^Wydrukowano 2025-03-14 09:05; wzory „A Guide to the Measurement of Humidity”$"));
    next(QStringLiteral("^Bez niepewności wzorów; stałe psychrometru: Aw 0,0006653286 1/K, Ai 0,0005750000 1/K$"));
}

}  // namespace
}  // namespace wegator
