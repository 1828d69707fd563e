#include "main_window.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <vector>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>

#include "sheet/laboratory_settings_target.h"
#include "text/string_table.h"
#include "artwork.h"
#include "laboratory/data_files.h"
#include "laboratory/eight_channel_page_widget.h"
#include "sheet/laboratory_settings_adapter.h"
#include "laboratory/laboratory_page_widget.h"
#include "pages/moisture_page_widget.h"
#include "pages/monte_carlo_window.h"
#include "pages/moisture_page.h"
#include "pages/pressure_page.h"
#include "pages/psychrometer_page.h"
#include "pages/rh_page.h"
#include "pages/pressure_page_widget.h"
#include "pages/psychrometer_page_widget.h"
#include "laboratory/qt_lab_host.h"
#include "laboratory/recorded_chart_window.h"
#include "pages/rh_page_widget.h"
#include "station/qt_station.h"
#include "url_opener.h"
#include "widget_texts.h"

namespace wegator {

MainWindow::MainWindow(Settings& settings, QStringList dataDirs, QWidget* parent)
    : QMainWindow(parent), settings_(settings), dataDirs_(std::move(dataDirs)) {
    runState_.handPressure = StoredHandPressure(settings_);
    MonteCarloWindow::KeepPlaceIn(&settings_);
    setWindowTitle(StringTableText(msg::ProgramTitle));
    setWindowIcon(ProgramIcon());

    for (int index = 0; index < kPageCount; ++index) {
        hosts_[index] = std::make_unique<QtPageHost>(
            this, [this, index](bool enabled) { PagePrintStateChanged(index, enabled); },
            [this, index] {
                if (PageWidget* page = Page(index)) page->Refresh();
            });
    }
    windowHost_ = std::make_unique<QtPageHost>(this, QtPageHost::PrintSwitch{});
    // The pages are made in this order; each keeps its own copy of the settings.
    rhModel_ = std::make_unique<RelativeHumidityPage>(*hosts_[kRelativeHumidityPage]);
    moistureModel_ = std::make_unique<MoistureContentPage>(*hosts_[kMoistureContentPage]);
    psychrometerModel_ = std::make_unique<PsychrometerPage>(*hosts_[kPsychrometerPage]);
    pressureModel_ = std::make_unique<PressurePage>(*hosts_[kPressurePage]);
    ApplySettingsToPages();
    printTarget_ = std::make_unique<PrinterTarget>();
    printClock_ = [] { return LocalPrintTime(std::chrono::system_clock::now()); };

    BuildMenu();

    sheet_ = new QTabWidget(this);
    sheet_->setObjectName(QStringLiteral("SMainSheet"));
    sheet_->setDocumentMode(false);
    setCentralWidget(sheet_);

    rhWidget_ = new RhPageWidget(*rhModel_);
    rhWidget_->setObjectName(QStringLiteral("SWega1PP"));
    AddPage(kRelativeHumidityPage, rhWidget_, tr("Wilgotność względna"));
    moistureWidget_ = new MoisturePageWidget(*moistureModel_);
    moistureWidget_->setObjectName(QStringLiteral("SWega3PP"));
    AddPage(kMoistureContentPage, moistureWidget_, tr("Zawartość wilgoci"));
    psychrometerWidget_ = new PsychrometerPageWidget(*psychrometerModel_);
    psychrometerWidget_->setObjectName(QStringLiteral("SWega4PP"));
    AddPage(kPsychrometerPage, psychrometerWidget_, tr("Psychrometr"));
    pressureWidget_ = new PressurePageWidget(*pressureModel_);
    pressureWidget_->setObjectName(QStringLiteral("SWega2PP"));
    AddPage(kPressurePage, pressureWidget_, tr("Ciśnienie"));
    AlignHumidityPages();
    BuildLaboratory();

    connect(sheet_, &QTabWidget::currentChanged, this, &MainWindow::PageShown);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    // Logging out: the session may end the program soon after it asked for the data.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { EndSession(); });
    // F10 opens the menu, as Alt does on desktops that underline access keys.
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });

    ready_ = true;
    ActivateAllPages();
    RestoreWindow();
}

MainWindow::~MainWindow() {
    MonteCarloWindow::KeepPlaceIn(nullptr);
    // The widgets refer to the models: let them go first.
    ready_ = false;
    if (station_) station_->SetAfterEvent({});
    delete sheet_;
    sheet_ = nullptr;
}

void MainWindow::BuildLaboratory() {
    labHost_ = std::make_unique<QtLabHost>(
        this, [this](bool enabled) { PagePrintStateChanged(kLaboratoryPage, enabled); });
    station_ = std::make_unique<QtStation>(*labHost_);
    lab::LaboratoryPage& page = station_->Page();
    page.ApplySettings(settings_);
    page.SetDateFormats(UserDateFormats());
    labSettings_ = std::make_unique<lab::LaboratorySettingsAdapter>(page);
    // The settings sheet reaches the laboratory through its adapter.
    laboratory_ = labSettings_.get();

    labWidget_ = new LaboratoryPageWidget(page);
    labWidget_->setObjectName(QStringLiteral("SWega5PP"));
    AddPage(kLaboratoryPage, labWidget_, tr("Laboratorium"));
    eightWidget_ = new EightChannelPageWidget(station_->EightChannels());
    eightWidget_->setObjectName(QStringLiteral("SWega6PP"));
    eightWidget_->AttachStation(page, settings_.qx311ChartQuantities);
    AddPage(kEightChannelPage, eightWidget_, QStringLiteral("QX-311"));
    connect(labWidget_, &LaboratoryPageWidget::activationRefused, this, [this] { ShowPage(previousPage_); });
    // "Zamknij" of "Kalibracja" keeps its folder and its wait for stability.
    connect(labWidget_, &LaboratoryPageWidget::calibrationFolderChosen, this, [this](const QString& folder) {
        settings_.calibrFilePath = folder.toStdString();
        const Settings& kept = station_->Page().CurrentSettings();
        settings_.settingsLabRunWaitStable = kept.settingsLabRunWaitStable;
        settings_.settingsLabRunLongestWait = kept.settingsLabRunLongestWait;
    });

    // Every tick and every received byte may change what the pages show.
    station_->SetAfterEvent([this, shown = std::uint64_t{0}]() mutable {
        if (labWidget_ == nullptr) return;
        const bool changed = station_->Page().Revision() != shown;
        labWidget_->RefreshIfChanged();
        if (changed) eightWidget_->Refresh();
        shown = station_->Page().Revision();
    });
    page.SetUp();
    // The units the user left the laboratory pages with.
    lab::EightChannelPage& eight = station_->EightChannels();
    if (settings_.labTemperatureUnit != page.TemperatureUnitIndex()) {
        page.ChangeTemperatureUnit(settings_.labTemperatureUnit);
    }
    if (settings_.labEnthalpyUnit != page.EnthalpyUnitIndex()) page.ChangeEnthalpyUnit(settings_.labEnthalpyUnit);
    if (settings_.labPressureUnit != page.PressureUnitIndex()) page.ChangePressureUnit(settings_.labPressureUnit);
    if (settings_.qx311TemperatureUnit != eight.TemperatureUnitIndex()) {
        eight.ChangeTemperatureUnit(settings_.qx311TemperatureUnit);
    }
    labWidget_->Refresh();
    eightWidget_->Refresh();
}

void MainWindow::RestoreWindow() {
    if (settings_.windowWidth > 0 && settings_.windowHeight > 0) {
        const QRect stored(settings_.windowLeft, settings_.windowTop, settings_.windowWidth, settings_.windowHeight);
        // A screen unplugged since: the size stays, the desktop chooses the place.
        if (QGuiApplication::screenAt(stored.center()) != nullptr) {
            setGeometry(stored);
        } else {
            resize(stored.size());
        }
    }
    if (settings_.windowMaximized != 0) setWindowState(windowState() | Qt::WindowMaximized);
    if (settings_.windowPage != ActivePageIndex()) ShowPage(settings_.windowPage);
}

void MainWindow::RememberWindow() {
    const QRect normal = normalGeometry();
    if (normal.isValid()) {
        settings_.windowLeft = normal.x();
        settings_.windowTop = normal.y();
        settings_.windowWidth = normal.width();
        settings_.windowHeight = normal.height();
    }
    settings_.windowMaximized = isMaximized() ? 1 : 0;
    if (const int page = ActivePageIndex(); page >= 0) settings_.windowPage = page;
    if (station_) {
        const lab::LaboratoryPage& page = station_->Page();
        settings_.labTemperatureUnit = page.TemperatureUnitIndex();
        settings_.labEnthalpyUnit = page.EnthalpyUnitIndex();
        settings_.labPressureUnit = page.PressureUnitIndex();
        settings_.qx311TemperatureUnit = station_->EightChannels().TemperatureUnitIndex();
        settings_.labChartQuantities = labWidget_->ChartKeys();
        settings_.labChartWindow = labWidget_->ChartWindow();
        settings_.qx311ChartQuantities = eightWidget_->ChartKeys();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Every way out passes here: Escape, "Wyjście", the close box and the
    // window manager's Alt+F4. A key pressed by mistake must not end hours of
    // measuring, so the station at work asks once first. At the session's end
    // nobody is there to answer; the station has closed its files already.
    if (!sessionEnding_ && station_ && !station_->Page().ConfirmStationEnd()) {
        event->ignore();
        return;
    }
    RememberWindow();
    QMainWindow::closeEvent(event);
}

void MainWindow::EndSession() {
    sessionEnding_ = true;
    if (station_) station_->Page().EndStationWork();
    RememberWindow();
}


void MainWindow::BuildMenu() {
    auto add = [this](QMenu* menu, const QString& text, int command) {
        QAction* action = menu->addAction(text);
        action->setData(command);
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        actions_[command] = action;
        return action;
    };

    QMenu* program = menuBar()->addMenu(tr("&Program"));
    add(program, tr("&Wilgotność względna"), kCmdRelativeHumidity);
    add(program, tr("&Zawartość wilgoci"), kCmdMoistureContent);
    add(program, tr("P&sychrometr"), kCmdPsychrometer);
    add(program, tr("&Ciśnienie"), kCmdPressure);
    add(program, tr("&Laboratorium"), kCmdLaboratory);
    connect(program->addAction(StringTableText(lab::msg::RecordedOpenMenu)), &QAction::triggered, this,
            [this] { OpenStationRecord(this, settings_.decimal.empty() ? ',' : settings_.decimal.front()); });
    program->addSeparator();
    QAction* print = add(program, tr("&Drukuj"), kCmdPrint);
    print->setEnabled(false);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    program->addSeparator();
    add(program, tr("Wy&jście"), kCmdExit);

    QMenu* settings = menuBar()->addMenu(tr("&Ustawienia"));
    add(settings, tr("&Ustawienia"), kCmdSettings);
    add(settings, tr("&Język"), kCmdLanguage);

    QMenu* info = menuBar()->addMenu(tr("&Info"));
    add(info, tr("&Pomoc"), kCmdHelp)->setShortcut(QKeySequence(Qt::Key_F1));
    add(info, tr("&Literatura"), kCmdLiterature);
    add(info, tr("&O programie"), kCmdAbout);

    // A page command stays grey until its page exists.
    for (int command : {kCmdRelativeHumidity, kCmdMoistureContent, kCmdPsychrometer, kCmdPressure, kCmdLaboratory})
        actions_[command]->setEnabled(false);
}

void MainWindow::AddPage(int index, PageWidget* page, const QString& title) {
    // Tabs stand in index order; a page added later goes between its neighbours.
    int position = 0;
    for (const auto& [existing, widget] : pages_) {
        if (existing < index) ++position;
    }
    pages_[index] = page;
    sheet_->insertTab(position, page, title);
    static constexpr std::array<int, kPageCount> kPageCommands = {
        kCmdRelativeHumidity, kCmdMoistureContent, kCmdPsychrometer, kCmdPressure, kCmdLaboratory, 0};
    if (kPageCommands[index] != 0) actions_[kPageCommands[index]]->setEnabled(true);
    connect(page, &PageWidget::printRequested, this, [this, index] { PrintPageAt(index, PrintCommand::PageButton); });
}

void MainWindow::AlignHumidityPages() {
    // The input frames of the humidity pages take one width, so that the
    // result grid stands at the same place whichever of them is shown.
    std::vector<QGroupBox*> frames;
    for (PageWidget* page : std::initializer_list<PageWidget*>{rhWidget_, moistureWidget_, psychrometerWidget_}) {
        page->ensurePolished();  // sizes as the style will draw them
        if (auto* frame = page->findChild<QGroupBox*>(QStringLiteral("inputGroup"))) frames.push_back(frame);
    }
    int width = 0;
    for (QGroupBox* frame : frames) width = std::max(width, frame->sizeHint().width());
    for (QGroupBox* frame : frames) frame->setMinimumWidth(width);
}

void MainWindow::ApplySettingsToPages() {
    rhModel_->ApplySettings(settings_, settings_.rhPrecInput, settings_.rhPrecCalcul);
    moistureModel_->ApplySettings(settings_);
    psychrometerModel_->ApplySettings(settings_);
    pressureModel_->ApplySettings(settings_);
    // The pressure page opens converting 1 kPa, shown in the precisions just set.
    pressureModel_->Compute();
}

void MainWindow::ActivateAllPages() {
    // Every page shows itself once before the user sees the window, the first page last.
    for (const auto& [index, page] : pages_) {
        if (index != kRelativeHumidityPage) page->Activate();
    }
    ShowPage(kRelativeHumidityPage);
    PageShown(sheet_->currentIndex());
}

PageWidget* MainWindow::Page(int index) const {
    const auto found = pages_.find(index);
    return found == pages_.end() ? nullptr : found->second;
}

int MainWindow::ActivePageIndex() const {
    if (sheet_ == nullptr) return -1;
    QWidget* current = sheet_->currentWidget();
    for (const auto& [index, page] : pages_) {
        if (page == current) return index;
    }
    return -1;
}

void MainWindow::ShowPage(int index) {
    if (PageWidget* page = Page(index)) sheet_->setCurrentWidget(page);
}

void MainWindow::PageShown(int /*tabPosition*/) {
    if (!ready_) return;
    const int index = ActivePageIndex();
    if (index != shownPage_) {
        previousPage_ = shownPage_;
        shownPage_ = index;
    }
    PageWidget* page = Page(index);
    if (page == nullptr) {
        actions_[kCmdPrint]->setEnabled(false);
        return;
    }
    page->Activate();
    actions_[kCmdPrint]->setEnabled(page->PrintEnabled());
}

void MainWindow::PagePrintStateChanged(int index, bool enabled) {
    // Only the visible page speaks for the menu's "Drukuj".
    if (!ready_ || index != ActivePageIndex()) return;
    actions_[kCmdPrint]->setEnabled(enabled);
}

QAction* MainWindow::CommandAction(int command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::RunCommand(int command) {
    switch (command) {
        case kCmdRelativeHumidity: return ShowPage(kRelativeHumidityPage);
        case kCmdMoistureContent: return ShowPage(kMoistureContentPage);
        case kCmdPsychrometer: return ShowPage(kPsychrometerPage);
        case kCmdPressure: return ShowPage(kPressurePage);
        case kCmdLaboratory: return ShowPage(kLaboratoryPage);
        case kCmdPrint: return PrintActivePage();
        case kCmdExit: close(); return;
        case kCmdSettings: return OpenSettings();
        case kCmdLanguage: return ChooseLanguage();
        case kCmdHelp: return ShowHelp();
        case kCmdLiterature: {
            LiteratureDialog dialog(this);
            dialog.exec();
            return;
        }
        case kCmdAbout: {
            AboutDialog dialog(this);
            dialog.exec();
            return;
        }
        default: return;
    }
}

void MainWindow::PrintActivePage() { PrintPageAt(ActivePageIndex(), PrintCommand::Menu); }

void MainWindow::PrintPageAt(int index, PrintCommand command) {
    PageWidget* page = Page(index);
    // Only results that belong to the inputs are printed.
    if (page == nullptr || !page->PrintEnabled() || !printTarget_) return;
    PrintPage(*printTarget_, page->PrintSheets(printClock_()), command, this);
}

void MainWindow::ChooseLanguage() {
    const std::string current = settings_.language == "en" ? "en" : "pl";
    // The new language applies from the next start.
    settings_.language =
        languageQuestion_ ? languageQuestion_(current) : AskLanguageWithDialog(current, this);
}

QUrl MainWindow::HelpUrl() const {
    const QString name = QString::fromLatin1(HelpPageName(settings_.language));
    QString path = FindDataFile(dataDirs_, name);
    // Not installed: the browser then says the page is missing.
    if (path.isEmpty()) path = dataDirs_.isEmpty() ? name : dataDirs_.constFirst() + QLatin1Char('/') + name;
    return QUrl::fromLocalFile(path);
}

void MainWindow::ShowHelp() {
    const QUrl url = HelpUrl();
    if (QFileInfo::exists(url.toLocalFile()) && OpenUrl(url)) return;
    // No page, or nothing on this desktop that shows one: say where the page is
    // meant to be, so the user can open it by other means.
    const QString text = StringTableText(msg::HelpCannotOpen) + QStringLiteral("\n\n") +
                         QDir::toNativeSeparators(url.toLocalFile());
    windowHost_->ShowWarning(msg::HelpCannotOpen, text.toStdString());
}

void MainWindow::SetQuestionSink(std::function<bool(int messageId, const std::string& text)> sink) {
    if (labHost_) labHost_->SetQuestionSink(std::move(sink));
}

void MainWindow::SetMessageSink(QtPageHost::MessageSink sink) {
    messageSink_ = sink;
    for (auto& host : hosts_) host->SetMessageSink(sink);
    windowHost_->SetMessageSink(sink);
    if (labHost_) labHost_->SetMessageSink(sink);
}

void MainWindow::OpenSettings() {
    SettingsSheetHooks hooks = sheetHooks_;
    if (!hooks.messages) hooks.messages = messageSink_;
    SettingsSheetDialog dialog(settings_, runState_, laboratory_, std::move(hooks), this);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplySettingsChange(dialog.Model().Before(), dialog.Model().Result());
}

void MainWindow::ApplySettingsChange(const SettingsState& before, const EditedSettings& after) {
    const SettingsChangePlan plan = PlanSettingsChange(before, after);
    settings_ = after.settings;
    runState_.handPressure = after.handPressure;
    // Kept in the store, so that the next start computes with it at once.
    StoreHandPressure(settings_, runState_.handPressure);

    // Each page takes its copies anew and, where its results no longer follow
    // from them, is marked out of date.
    const std::array<std::function<void()>, 4> applyTo = {
        [this] { rhModel_->ApplySettings(settings_, settings_.rhPrecInput, settings_.rhPrecCalcul); },
        [this] { moistureModel_->ApplySettings(settings_); },
        [this] { psychrometerModel_->ApplySettings(settings_); },
        [this] { pressureModel_->ApplySettings(settings_); },
    };
    for (std::size_t i = 0; i < applyTo.size(); ++i) {
        if (!plan.pages[i].stale) continue;
        applyTo[i]();
        if (i == kPressurePage) {
            pressureModel_->SetStale();
        } else {
            CalculatorPage* models[] = {rhModel_.get(), moistureModel_.get(), psychrometerModel_.get()};
            models[i]->SetStale();
        }
    }
    if (laboratory_ != nullptr) laboratory_->ApplySettingsChange(settings_, runState_.handPressure, plan.laboratory);
    if (labWidget_ != nullptr) labWidget_->RefreshChartQuantities();
    if (plan.laboratory.showFirstPage) ShowPage(kRelativeHumidityPage);
    // The visible page shows its marker and greys "Drukuj" at once; the others when shown.
    if (PageWidget* page = Page(ActivePageIndex())) {
        page->Activate();
        actions_[kCmdPrint]->setEnabled(page->PrintEnabled());
    }
}

}  // namespace wegator
