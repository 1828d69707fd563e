// The settings sheet on screen ("Ustawienia"): the page set SPropertiesSheet
// with its five pages, one "OK" and one "Anuluj" under the tabs. Each page's
// widgets only forward what the user does to the SettingsSheetModel and show
// what it holds.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "sheet/settings_sheet.h"
#include "dialogs/port_list_dialog.h"

class QAbstractButton;
class QComboBox;
class QPushButton;
class QTabWidget;

namespace Ui {
class SettingsGeneralPage;
class SettingsPrecisionPage;
class SettingsPortsPage;
class SettingsLaboratoryPage;
class SettingsFilePage;
}  // namespace Ui

namespace wegator {

class LaboratorySettingsTarget;

// What the sheet shows in boxes and where its port list comes from; tests and
// the screenshots put their own in place.
struct SettingsSheetHooks {
    // Receives each message instead of a box (warning: the exclamation box).
    std::function<void(bool warning, int messageId, const std::string& text)> messages;
    // Answers a Yes/No question (196) instead of a box; true for Yes.
    std::function<bool(int messageId)> question;
    // Lists the serial ports behind the "Proszę czekać" dialog.
    PortLister portLister;
    // Runs a dialog the sheet opens ("Regulacja", "Proszę czekać") instead of
    // exec(); returns its result code.
    std::function<int(QDialog&)> runDialog;
};

// Message boxes of the sheet and its dialogs.
class QtSettingsSheetHost : public SettingsSheetHost {
public:
    QtSettingsSheetHost(QWidget* owner, const SettingsSheetHooks& hooks) : owner_(owner), hooks_(hooks) {}
    void ShowWarning(int messageId, const std::string& text) override;
    void ShowMessage(int messageId, const std::string& text) override;
    bool AskYesNo(int messageId, const std::string& text) override;

private:
    QWidget* owner_;
    const SettingsSheetHooks& hooks_;
};

class SettingsSheetDialog : public QDialog {
    Q_OBJECT
public:
    // `settings` is the record in force, `run` what the run keeps beside it;
    // `laboratory` may be null.
    SettingsSheetDialog(Settings& settings, SettingsRunState& run, LaboratorySettingsTarget* laboratory,
                        SettingsSheetHooks hooks, QWidget* parent = nullptr);
    ~SettingsSheetDialog() override;

    SettingsSheetModel& Model() { return model_; }
    QTabWidget* Sheet() const { return sheet_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The page's widget, for its named children.
    QWidget* Page(int page) const;

private:
    void TabChosen(int index);
    // Shows a page of the sheet without taking it for a choice of the user.
    void ShowTab(int page);
    void Confirm();
    void ListPorts();
    void OpenAdjustment(Phase bulb);
    void ChooseDataFile();
    // "Tablica": the correction-table editor (after the channel, for the QX-311).
    void EditTable(lab::TableFamily family);
    int Run(QDialog& dialog);
    // A click or a choice goes to the model, then the page shows what the model holds.
    void OnClick(QAbstractButton* button, std::function<void(bool)> action);
    void OnChoice(QComboBox* list, std::function<void(int)> action);

    void BindGeneral();
    void BindPrecision();
    void BindPorts();
    void BindLaboratory();
    void BindFile();
    void Refresh(int page);
    void RefreshGeneral();
    void RefreshPrecision();
    void RefreshPorts();
    void RefreshLaboratory();
    void RefreshFile();

    SettingsSheetHooks hooks_;
    QtSettingsSheetHost host_;
    SettingsSheetModel model_;
    QTabWidget* sheet_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QWidget* pages_[SettingsSheetModel::kPageCount] = {};
    std::unique_ptr<Ui::SettingsGeneralPage> general_;
    std::unique_ptr<Ui::SettingsPrecisionPage> precision_;
    std::unique_ptr<Ui::SettingsPortsPage> ports_;
    std::unique_ptr<Ui::SettingsLaboratoryPage> laboratory_;
    std::unique_ptr<Ui::SettingsFilePage> file_;
};

}  // namespace wegator
