// The main window: the program menu and the page sheet SMainSheet, whose
// pages sit at fixed indexes (0 relative humidity, 1 moisture content,
// 2 psychrometer, 3 pressure, 4 laboratory, 5 eight-channel temperatures).
// The window owns the page models, copies the settings into them when it
// opens and routes the menu commands.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>
#include <QStringList>
#include <QUrl>

#include "app/settings.h"
#include "sheet/settings_change.h"
#include "sheet/settings_sheet.h"
#include "dialogs/dialogs.h"
#include "printing.h"
#include "pages/qt_page_host.h"
#include "dialogs/settings_sheet_dialog.h"

class QAction;
class QTabWidget;

namespace wegator {

class EightChannelPageWidget;
class LaboratoryPageWidget;
class LaboratorySettingsTarget;
class QtLabHost;
class QtStation;
namespace lab {
class LaboratorySettingsAdapter;
}

class MoistureContentPage;
class MoisturePageWidget;
class PageWidget;
class PressurePage;
class PressurePageWidget;
class PsychrometerPage;
class PsychrometerPageWidget;
class RelativeHumidityPage;
class RhPageWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum PageIndex {
        kRelativeHumidityPage = 0,
        kMoistureContentPage = 1,
        kPsychrometerPage = 2,
        kPressurePage = 3,
        kLaboratoryPage = 4,
        kEightChannelPage = 5,
    };
    static constexpr int kPageCount = 6;

    // Menu command numbers, kept as each menu action's data.
    enum Command {
        kCmdRelativeHumidity = 32774,
        kCmdMoistureContent = 32781,
        kCmdPsychrometer = 32782,
        kCmdPressure = 32775,
        kCmdLaboratory = 32784,
        kCmdPrint = 32779,
        kCmdExit = 32772,
        kCmdSettings = 32785,
        kCmdLanguage = 32786,
        kCmdHelp = 32778,
        kCmdLiterature = 32783,
        kCmdAbout = 32773,
    };

    // `settings` is the record of the run; the language command changes it.
    // `dataDirs` are searched for the help pages.
    MainWindow(Settings& settings, QStringList dataDirs, QWidget* parent = nullptr);
    ~MainWindow() override;

    QTabWidget* Sheet() const { return sheet_; }
    // The page at a sheet index, or nullptr when the program has no such page yet.
    PageWidget* Page(int index) const;
    // Sheet index of the visible page, -1 when the sheet is empty.
    int ActivePageIndex() const;
    void ShowPage(int index);
    RhPageWidget* RelativeHumidityPageWidget() const { return rhWidget_; }
    MoisturePageWidget* MoisturePageWidgetAt() const { return moistureWidget_; }
    PsychrometerPageWidget* PsychrometerPageWidgetAt() const { return psychrometerWidget_; }
    PressurePageWidget* PressurePageWidgetAt() const { return pressureWidget_; }
    LaboratoryPageWidget* LaboratoryPageWidgetAt() const { return labWidget_; }
    EightChannelPageWidget* EightChannelPageWidgetAt() const { return eightWidget_; }
    // The laboratory station (its page models, timers and ports).
    QtStation& Station() const { return *station_; }

    QAction* CommandAction(int command) const;
    void RunCommand(int command);
    // The help page of the language in force.
    QUrl HelpUrl() const;

    // Messages of the pages go here instead of into message boxes.
    void SetMessageSink(QtPageHost::MessageSink sink);
    // The laboratory's Yes/No questions are answered here instead of in a box (true for Yes).
    void SetQuestionSink(std::function<bool(int messageId, const std::string& text)> sink);
    // Replaces the language dialog of the "Język" command.
    void SetLanguageQuestion(LanguageQuestion question) { languageQuestion_ = std::move(question); }
    // Replaces the printers (the default one and the print dialog's).
    void SetPrintTarget(std::unique_ptr<PrintTarget> target) { printTarget_ = std::move(target); }
    // Replaces the clock that dates a printout (the local time by default).
    using PrintClock = std::function<PrintTime()>;
    void SetPrintClock(PrintClock clock) { printClock_ = std::move(clock); }

    // The laboratory as the settings see it; null (the default) when there is none.
    void SetLaboratoryTarget(LaboratorySettingsTarget* target) { laboratory_ = target; }
    // What the run keeps beside the settings: unit choices, the hand-entered pressure.
    SettingsRunState& RunState() { return runState_; }
    // Message boxes, questions and the port list of the settings sheet (tests, screenshots).
    void SetSettingsSheetHooks(SettingsSheetHooks hooks) { sheetHooks_ = std::move(hooks); }
    // Puts a confirmed settings sheet into force: the record, the pages'
    // copies, their out-of-date marks (the visible page at once), the laboratory.
    void ApplySettingsChange(const SettingsState& before, const EditedSettings& after);
    // Puts the window's place and size, its page and the laboratory's units
    // into the settings, to be found so at the next start (done on closing).
    void RememberWindow();
    // The desktop session ends (logout): the station closes its files now and
    // the window then closes without asking.
    void EndSession();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The place, size and page the user left the window with at the last exit.
    void RestoreWindow();
    void BuildMenu();
    void AddPage(int index, PageWidget* page, const QString& title);
    void ApplySettingsToPages();
    void AlignHumidityPages();
    void ActivateAllPages();
    void PageShown(int tabPosition);
    void PagePrintStateChanged(int index, bool enabled);
    void PrintActivePage();
    // Prints the page at a sheet index while it holds valid results.
    void PrintPageAt(int index, PrintCommand command);
    void BuildLaboratory();
    void ChooseLanguage();
    void ShowHelp();
    void OpenSettings();

    Settings& settings_;
    QStringList dataDirs_;
    LanguageQuestion languageQuestion_;

    std::array<std::unique_ptr<QtPageHost>, kPageCount> hosts_;
    // Messages of the window's own commands (help).
    std::unique_ptr<QtPageHost> windowHost_;
    std::unique_ptr<RelativeHumidityPage> rhModel_;
    std::unique_ptr<MoistureContentPage> moistureModel_;
    std::unique_ptr<PsychrometerPage> psychrometerModel_;
    std::unique_ptr<PressurePage> pressureModel_;
    std::unique_ptr<PrintTarget> printTarget_;
    LaboratorySettingsTarget* laboratory_ = nullptr;
    SettingsRunState runState_;
    SettingsSheetHooks sheetHooks_;
    QtPageHost::MessageSink messageSink_;
    PrintClock printClock_;
    // The laboratory: its window host, the station with its page models, and
    // the settings sheet's way in. Made after the calculator pages, gone after
    // the widgets that show them.
    std::unique_ptr<QtLabHost> labHost_;
    std::unique_ptr<QtStation> station_;
    std::unique_ptr<lab::LaboratorySettingsAdapter> labSettings_;

    QTabWidget* sheet_ = nullptr;
    std::map<int, PageWidget*> pages_;
    std::map<int, QAction*> actions_;
    RhPageWidget* rhWidget_ = nullptr;
    MoisturePageWidget* moistureWidget_ = nullptr;
    PsychrometerPageWidget* psychrometerWidget_ = nullptr;
    PressurePageWidget* pressureWidget_ = nullptr;
    LaboratoryPageWidget* labWidget_ = nullptr;
    EightChannelPageWidget* eightWidget_ = nullptr;
    // The page shown before the current one: a page that refuses to be shown sends the user back.
    int previousPage_ = kRelativeHumidityPage;
    int shownPage_ = kRelativeHumidityPage;
    bool ready_ = false;
    bool sessionEnding_ = false;
};

}  // namespace wegator
