#include "dialogs/settings_sheet_dialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>

#include "dialogs/adjustment_dialog.h"
#include "text/string_table.h"
#include "artwork.h"
#include "pages/humidity_page_view.h"
#include "numeric_edit.h"
#include "physics/units.h"
#include "serial/port_list.h"
#include "dialogs/table_editor_dialog.h"
#include "ui_settings_file.h"
#include "ui_settings_general.h"
#include "ui_settings_laboratory.h"
#include "ui_settings_ports.h"
#include "ui_settings_precision.h"
#include "widget_texts.h"

namespace wegator {

namespace {

// String-table texts of the data-file page.
constexpr int kFileFilter = 191;
constexpr int kFileDialogTitle = 192;
constexpr int kCsvFormat = 197;
constexpr int kTextFormat = 198;

void Show(QAbstractButton* button, bool checked) {
    if (button->isChecked() != checked) button->setChecked(checked);
}

// Fields that take whole numbers only.
void DigitsOnly(QLineEdit* edit) {
    static const QRegularExpression kDigits(QStringLiteral("[0-9]{0,10}"));
    edit->setValidator(new QRegularExpressionValidator(kDigits, edit));
}

// "Lista CSV (*.csv)|*.csv|Plik tekstowy (*.txt)|*.txt|…||" as the Qt file
// dialog wants it: the descriptions, separated by ";;".
QString QtFileFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty()) descriptions << parts[i];
    }
    return descriptions.join(QStringLiteral(";;"));
}

}  // namespace

// ---- Message boxes ----------------------------------------------------------

void QtSettingsSheetHost::ShowWarning(int messageId, const std::string& text) {
    if (hooks_.messages) return hooks_.messages(true, messageId, text);
    QMessageBox box(QMessageBox::Warning, StringTableText(msg::ProgramTitle), QString::fromStdString(text), QMessageBox::Ok, owner_);
    box.exec();
}

void QtSettingsSheetHost::ShowMessage(int messageId, const std::string& text) {
    if (hooks_.messages) return hooks_.messages(false, messageId, text);
    QMessageBox box(QMessageBox::NoIcon, StringTableText(msg::ProgramTitle), QString::fromStdString(text),
                    QMessageBox::Ok, owner_);
    box.exec();
}

bool QtSettingsSheetHost::AskYesNo(int messageId, const std::string& text) {
    if (hooks_.question) return hooks_.question(messageId);
    QMessageBox box(QMessageBox::Question, StringTableText(msg::ProgramTitle), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

// ---- The sheet --------------------------------------------------------------

SettingsSheetDialog::SettingsSheetDialog(Settings& settings, SettingsRunState& run,
                                         LaboratorySettingsTarget* laboratory, SettingsSheetHooks hooks,
                                         QWidget* parent)
    : QDialog(parent),
      hooks_(std::move(hooks)),
      host_(this, hooks_),
      model_(settings, run, host_, laboratory),
      general_(std::make_unique<Ui::SettingsGeneralPage>()),
      precision_(std::make_unique<Ui::SettingsPrecisionPage>()),
      ports_(std::make_unique<Ui::SettingsPortsPage>()),
      laboratory_(std::make_unique<Ui::SettingsLaboratoryPage>()),
      file_(std::make_unique<Ui::SettingsFilePage>()) {
    setWindowTitle(tr("Ustawienia"));
    setWindowIcon(ProgramIcon());

    sheet_ = new QTabWidget(this);
    sheet_->setObjectName(QStringLiteral("SPropertiesSheet"));
    static constexpr std::array<const char*, SettingsSheetModel::kPageCount> kClassNames = {
        "SPropertiesGlobal", "SPropertiesPrecisionPP", "SPropertiesLabPP", "SPropertiesLabSettingsPP",
        "SPropertiesLabFilePP"};
    for (int i = 0; i < SettingsSheetModel::kPageCount; ++i) pages_[i] = new QWidget;
    general_->setupUi(pages_[SettingsSheetModel::kGeneralPage]);
    precision_->setupUi(pages_[SettingsSheetModel::kPrecisionPage]);
    ports_->setupUi(pages_[SettingsSheetModel::kPortsPage]);
    laboratory_->setupUi(pages_[SettingsSheetModel::kLaboratoryPage]);
    file_->setupUi(pages_[SettingsSheetModel::kFilePage]);
    const QString titles[] = {tr("Ogólne"), tr("Znak dziesiętny"), tr("Porty"), tr("Laboratorium"), tr("Zapis")};
    for (int i = 0; i < SettingsSheetModel::kPageCount; ++i) {
        pages_[i]->setObjectName(QString::fromLatin1(kClassNames[i]));
        sheet_->addTab(pages_[i], titles[i]);
    }

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName(QStringLiteral("okButton"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Anuluj"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheet_);
    layout->addLayout(buttons);

    BindGeneral();
    BindPrecision();
    BindPorts();
    BindLaboratory();
    BindFile();
    connect(sheet_, &QTabWidget::currentChanged, this, &SettingsSheetDialog::TabChosen);
    connect(ok_, &QPushButton::clicked, this, &SettingsSheetDialog::Confirm);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    model_.SetTableEditorAvailable(true);
    AttachToolTips(this);
    RefreshGeneral();
}

SettingsSheetDialog::~SettingsSheetDialog() = default;

QWidget* SettingsSheetDialog::Page(int page) const {
    return page >= 0 && page < SettingsSheetModel::kPageCount ? pages_[page] : nullptr;
}

void SettingsSheetDialog::OnClick(QAbstractButton* button, std::function<void(bool)> action) {
    connect(button, &QAbstractButton::clicked, this, [this, action = std::move(action)](bool on) {
        action(on);
        Refresh(model_.CurrentPage());
    });
}

void SettingsSheetDialog::OnChoice(QComboBox* list, std::function<void(int)> action) {
    connect(list, &QComboBox::activated, this, [this, action = std::move(action)](int index) {
        action(index);
        Refresh(model_.CurrentPage());
    });
}

int SettingsSheetDialog::Run(QDialog& dialog) { return hooks_.runDialog ? hooks_.runDialog(dialog) : dialog.exec(); }

void SettingsSheetDialog::TabChosen(int index) {
    if (index == model_.CurrentPage()) return;
    // The page being left stays in view while its values are checked (and
    // behind a message that refuses them); the new page shows only when it
    // holds its values, never empty with its buttons in a wrong state.
    ShowTab(model_.CurrentPage());
    const bool listPorts = index == SettingsSheetModel::kPortsPage && !model_.Opened(index);
    if (!model_.GoToPage(index)) return;
    if (listPorts) ListPorts();
    Refresh(index);
    ShowTab(index);
    // A page filled only now (the port list) may need more room than the first one did.
    if (!size().expandedTo(sizeHint()).isEmpty() && size() != size().expandedTo(sizeHint())) {
        resize(size().expandedTo(sizeHint()));
    }
}

void SettingsSheetDialog::Confirm() {
    if (model_.Accept()) {
        accept();
        return;
    }
    Refresh(model_.CurrentPage());
    ShowTab(model_.CurrentPage());
}

void SettingsSheetDialog::ShowTab(int page) {
    const QSignalBlocker blocker(sheet_);
    sheet_->setCurrentIndex(page);
}

void SettingsSheetDialog::Refresh(int page) {
    if (!model_.Opened(page)) return;
    switch (page) {
        case SettingsSheetModel::kGeneralPage: return RefreshGeneral();
        case SettingsSheetModel::kPrecisionPage: return RefreshPrecision();
        case SettingsSheetModel::kPortsPage: return RefreshPorts();
        case SettingsSheetModel::kLaboratoryPage: return RefreshLaboratory();
        case SettingsSheetModel::kFilePage: return RefreshFile();
        default: return;
    }
}

// ---- "Ogólne" ---------------------------------------------------------------

namespace {
// The controls of one psychrometer constant, over water or over ice.
struct ConstantRow {
    Phase bulb;
    QRadioButton *defaultButton, *userButton;
    NumericEdit* edit;
    QPushButton* adjust;
};
std::array<ConstantRow, 2> ConstantRows(const Ui::SettingsGeneralPage& ui) {
    return {{{Phase::Water, ui.waterDefaultButton, ui.waterUserButton, ui.waterConstantEdit, ui.waterAdjustButton},
             {Phase::Ice, ui.iceDefaultButton, ui.iceUserButton, ui.iceConstantEdit, ui.iceAdjustButton}}};
}
}  // namespace

void SettingsSheetDialog::BindGeneral() {
    Ui::SettingsGeneralPage& ui = *general_;
    for (NumericEdit* edit : {ui.waterConstantEdit, ui.iceConstantEdit}) {
        edit->setMinimumWidth(NumberFieldWidth(edit, "0,0000000000"));
    }
    for (const ConstantRow& row : ConstantRows(ui)) {
        const Phase bulb = row.bulb;
        OnClick(row.defaultButton, [this, bulb](bool) { model_.General().ChooseUserConstant(bulb, false); });
        OnClick(row.userButton, [this, bulb](bool) { model_.General().ChooseUserConstant(bulb, true); });
        connect(row.userButton, &QRadioButton::clicked, row.edit, [edit = row.edit] { edit->setFocus(); });
        connect(row.edit, &QLineEdit::textEdited, this,
                [this, bulb](const QString& text) { model_.General().EditConstantText(bulb, text.toStdString()); });
        connect(row.adjust, &QPushButton::clicked, this, [this, bulb] { OpenAdjustment(bulb); });
    }
    connect(ui.its90Button, &QRadioButton::clicked, this, [this] { model_.General().ChooseFormulaSet(0); });
    connect(ui.guideButton, &QRadioButton::clicked, this, [this] { model_.General().ChooseFormulaSet(1); });
    connect(ui.formulaUncertaintyBox, &QCheckBox::clicked, this,
            [this](bool on) { model_.General().SetFormulaUncertainty(on); });
}

void SettingsSheetDialog::RefreshGeneral() {
    Ui::SettingsGeneralPage& ui = *general_;
    GeneralSettingsPage& page = model_.General();
    for (const ConstantRow& row : ConstantRows(ui)) {
        const bool user = page.UserConstant(row.bulb);
        Show(user ? row.userButton : row.defaultButton, true);
        Show(row.edit, page.ConstantText(row.bulb));
        row.edit->setEnabled(user);
        row.adjust->setEnabled(user);
    }
    Show(page.FormulaSet() == 0 ? ui.its90Button : ui.guideButton, true);
    Show(ui.formulaUncertaintyBox, page.FormulaUncertainty());
}

void SettingsSheetDialog::OpenAdjustment(Phase bulb) {
    PsychrometerAdjustment adjustment = model_.General().MakeAdjustment(bulb);
    AdjustmentDialog dialog(adjustment, this);
    const bool accepted = Run(dialog) == QDialog::Accepted;
    model_.General().FinishAdjustment(adjustment, accepted);
    RefreshGeneral();
}

// ---- "Znak dziesiętny" ------------------------------------------------------

namespace {
using PrecisionFields = std::array<std::pair<QLineEdit*, QLineEdit*>, PrecisionSettingsPage::kRows>;
PrecisionFields PrecisionEdits(const Ui::SettingsPrecisionPage& ui) {
    return {{{ui.rhInputEdit, ui.rhResultEdit},
             {ui.moistureInputEdit, ui.moistureResultEdit},
             {ui.psychrometerInputEdit, ui.psychrometerResultEdit},
             {ui.pressureInputEdit, ui.pressureResultEdit},
             {ui.laboratoryInputEdit, ui.laboratoryResultEdit}}};
}
}  // namespace

void SettingsSheetDialog::BindPrecision() {
    const PrecisionFields fields = PrecisionEdits(*precision_);
    for (int row = 0; row < PrecisionSettingsPage::kRows; ++row) {
        for (bool computed : {false, true}) {
            QLineEdit* edit = computed ? fields[row].second : fields[row].first;
            DigitsOnly(edit);
            edit->setMaximumWidth(NumberFieldWidth(edit, "0000"));
            connect(edit, &QLineEdit::textEdited, this, [this, row, computed](const QString& text) {
                model_.Precision().EditText(static_cast<PrecisionSettingsPage::Row>(row), computed, text.toStdString());
            });
        }
    }
    connect(precision_->pointButton, &QRadioButton::clicked, this, [this] { model_.Precision().ChoosePoint(true); });
    connect(precision_->commaButton, &QRadioButton::clicked, this, [this] { model_.Precision().ChoosePoint(false); });
}

void SettingsSheetDialog::RefreshPrecision() {
    PrecisionSettingsPage& page = model_.Precision();
    const PrecisionFields fields = PrecisionEdits(*precision_);
    for (int row = 0; row < PrecisionSettingsPage::kRows; ++row) {
        const auto r = static_cast<PrecisionSettingsPage::Row>(row);
        wegator::Show(fields[row].first, page.Text(r, false));
        wegator::Show(fields[row].second, page.Text(r, true));
    }
    Show(page.PointChosen() ? precision_->pointButton : precision_->commaButton, true);
}

// ---- "Porty" ----------------------------------------------------------------

namespace {
std::array<QComboBox*, PortsSettingsPage::kPorts> PortLists(const Ui::SettingsPortsPage& ui) {
    return {ui.dp30PortList, ui.qx310PortList, ui.qx311PortList,
            ui.f250PortList, ui.qx316PortList, ui.environmentPortList};
}
}  // namespace

void SettingsSheetDialog::BindPorts() {
    Ui::SettingsPortsPage& ui = *ports_;
    const auto lists = PortLists(ui);
    for (int p = 0; p < PortsSettingsPage::kPorts; ++p) {
        // Wide enough for "COM12 (USB-Serial Controller)"; a longer description
        // shows whole in the open list.
        lists[p]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        lists[p]->setMinimumContentsLength(26);
        OnChoice(lists[p],
                 [this, p](int entry) { model_.Ports().SelectEntry(static_cast<PortsSettingsPage::Port>(p), entry); });
    }
    for (int channel = 0; channel <= static_cast<int>(kQx311Channels); ++channel) {
        ui.qx311ChannelList->addItem(QString::number(channel));
    }
    ui.f250InputList->addItems({QStringLiteral("A"), QStringLiteral("B")});
    FillUnitList(ui.handUnitList, kPressureUnits);
    for (NumericEdit* edit : {ui.handPressureEdit, ui.handUncertaintyEdit}) {
        edit->setMinimumWidth(NumberFieldWidth(edit, kLongestEntry));
    }

    using Thermometer = PortsSettingsPage::Thermometer;
    const std::pair<QRadioButton*, Thermometer> thermometers[] = {
        {ui.qx310Button, Thermometer::Qx310}, {ui.qx311Button, Thermometer::Qx311}, {ui.f250Button, Thermometer::F250}};
    for (const auto& [button, thermometer] : thermometers) {
        OnClick(button, [this, t = thermometer](bool) { model_.Ports().ChooseThermometer(t); });
    }
    connect(ui.qx311ChannelList, &QComboBox::activated, this, [this](int i) { model_.Ports().ChooseQx311Channel(i); });
    connect(ui.f250InputList, &QComboBox::activated, this, [this](int i) { model_.Ports().ChooseF250Input(i); });
    OnClick(ui.gradientBox, [this](bool on) { model_.Ports().SetGradient(on); });
    OnClick(ui.qx316Button, [this](bool) { model_.Ports().SetPressureByHand(false); });
    OnClick(ui.handButton, [this](bool) { model_.Ports().SetPressureByHand(true); });
    OnClick(ui.environmentBox, [this](bool on) { model_.Ports().SetEnvironment(on); });
    OnClick(ui.devicesBox, [this](bool on) { model_.Ports().SetDevices(on); });
    connect(ui.handPressureEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.Ports().EditHandPressure(text.toStdString()); });
    connect(ui.handUncertaintyEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.Ports().EditHandUncertainty(text.toStdString()); });
    OnChoice(ui.handUnitList, [this](int index) { model_.Ports().ChangePressureUnit(index); });
}

void SettingsSheetDialog::ListPorts() {
    PortListDialog dialog(hooks_.portLister ? hooks_.portLister : PortLister([] { return ListSerialPorts(); }), this);
    Run(dialog);
    model_.Ports().SetPortList(dialog.Text().toStdString());
}

void SettingsSheetDialog::RefreshPorts() {
    Ui::SettingsPortsPage& ui = *ports_;
    PortsSettingsPage& page = model_.Ports();
    const auto lists = PortLists(ui);
    QStringList entries;
    for (const std::string& entry : page.PortEntries()) entries << QString::fromStdString(entry);
    for (int p = 0; p < PortsSettingsPage::kPorts; ++p) {
        QComboBox* list = lists[p];
        const QSignalBlocker blocker(list);
        if (list->count() != entries.size()) {
            list->clear();
            list->addItems(entries);
        }
        for (int i = 0; i < entries.size(); ++i) {
            if (list->itemText(i) != entries[i]) list->setItemText(i, entries[i]);
        }
        list->setCurrentIndex(page.SelectedEntry(static_cast<PortsSettingsPage::Port>(p)));
        list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 2 * list->view()->frameWidth());
    }

    using Thermometer = PortsSettingsPage::Thermometer;
    ui.thermometerGroup->setExclusive(page.ChosenThermometer() != Thermometer::None);
    Show(ui.qx310Button, page.ChosenThermometer() == Thermometer::Qx310);
    Show(ui.qx311Button, page.ChosenThermometer() == Thermometer::Qx311);
    Show(ui.f250Button, page.ChosenThermometer() == Thermometer::F250);
    ui.thermometerGroup->setExclusive(true);
    wegator::Show(ui.qx311ChannelList, page.Qx311Channel());
    wegator::Show(ui.f250InputList, page.F250Input());
    Show(ui.gradientBox, page.Gradient());
    Show(page.PressureByHand() ? ui.handButton : ui.qx316Button, true);
    Show(ui.environmentBox, page.Environment());
    Show(ui.devicesBox, page.Devices());
    wegator::Show(ui.handPressureEdit, page.HandPressureText());
    wegator::Show(ui.handUncertaintyEdit, page.HandUncertaintyText());
    wegator::Show(ui.handUnitList, page.PressureUnitIndex());

    const PortsSettingsPage::Enabling enabled = page.Enabled();
    for (int p = 0; p < PortsSettingsPage::kPorts; ++p) lists[p]->setEnabled(enabled.portList[p]);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.qx310Button, ui.qx311Button, ui.f250Button}) {
        w->setEnabled(enabled.thermometerButtons);
    }
    ui.gradientBox->setEnabled(enabled.gradientBox);
    ui.qx311ChannelList->setEnabled(enabled.qx311Channel);
    ui.f250InputList->setEnabled(enabled.f250Input);
    ui.qx316Button->setEnabled(enabled.pressureButtons);
    ui.handButton->setEnabled(enabled.pressureButtons);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.handPressureEdit, ui.handUncertaintyEdit, ui.handUnitList,
                                                      ui.handPressureLabel, ui.handUncertaintyLabel}) {
        w->setEnabled(enabled.handFields);
    }
    ui.environmentBox->setEnabled(enabled.environmentBox);
}

// ---- "Laboratorium" ---------------------------------------------------------

namespace {
using Instrument = LaboratorySettingsPage::Instrument;
struct UncertaintyRow {
    Instrument instrument;
    NumericEdit* edit;
    QLabel* label;
    QLabel* unit;
};
std::array<UncertaintyRow, LaboratorySettingsPage::kInstruments> UncertaintyRows(const Ui::SettingsLaboratoryPage& ui) {
    return {{{Instrument::Dp30, ui.dp30UncertaintyEdit, ui.dp30UncertaintyLabel, ui.dp30UncertaintyUnit},
             {Instrument::F250, ui.f250UncertaintyEdit, ui.f250UncertaintyLabel, ui.f250UncertaintyUnit},
             {Instrument::Qx310, ui.qx310UncertaintyEdit, ui.qx310UncertaintyLabel, ui.qx310UncertaintyUnit},
             {Instrument::Qx311, ui.qx311UncertaintyEdit, ui.qx311UncertaintyLabel, ui.qx311UncertaintyUnit},
             {Instrument::Qx316, ui.qx316UncertaintyEdit, ui.qx316UncertaintyLabel, ui.qx316UncertaintyUnit}}};
}
struct TableRow {
    lab::TableFamily table;
    QCheckBox* box;
    QPushButton* button;
};
using Limit = LaboratorySettingsPage::Limit;
std::array<std::pair<NumericEdit*, Limit>, LaboratorySettingsPage::kLimits> LimitEdits(
    const Ui::SettingsLaboratoryPage& ui) {
    return {{{ui.dpDriftEdit, Limit::DewPointDrift},
             {ui.dpSdEdit, Limit::DewPointSd},
             {ui.tDriftEdit, Limit::TemperatureDrift},
             {ui.tSdEdit, Limit::TemperatureSd},
             {ui.pDriftEdit, Limit::PressureDrift},
             {ui.pSdEdit, Limit::PressureSd},
             {ui.rhDriftEdit, Limit::HumidityDrift},
             {ui.rhSdEdit, Limit::HumiditySd}}};
}
std::array<TableRow, 4> TableRows(const Ui::SettingsLaboratoryPage& ui) {
    return {{{lab::TableFamily::Dp30, ui.dp30TableBox, ui.dp30TableButton},
             {lab::TableFamily::Qx310, ui.qx310TableBox, ui.qx310TableButton},
             {lab::TableFamily::Qx311, ui.qx311TableBox, ui.qx311TableButton},
             {lab::TableFamily::F250, ui.f250TableBox, ui.f250TableButton}}};
}
}  // namespace

namespace {
std::array<std::pair<QLineEdit*, LaboratorySettingsPage::Identity>, LaboratorySettingsPage::kIdentities>
IdentityEdits(const Ui::SettingsLaboratoryPage& ui) {
    using Identity = LaboratorySettingsPage::Identity;
    return {{{ui.labNameEdit, Identity::Name},
             {ui.labAddressEdit, Identity::Address},
             {ui.labAccreditationEdit, Identity::Accreditation}}};
}
}  // namespace

void SettingsSheetDialog::BindLaboratory() {
    Ui::SettingsLaboratoryPage& ui = *laboratory_;
    using Integer = LaboratorySettingsPage::Integer;
    const std::pair<QLineEdit*, Integer> integers[] = {{ui.updateEdit, Integer::UpdatePeriod},
                                                       {ui.meanTimeEdit, Integer::CollectionTime},
                                                       {ui.observationsEdit, Integer::Observations},
                                                       {ui.stabilityWindowEdit, Integer::StabilityWindow}};
    for (const auto& [edit, field] : integers) {
        DigitsOnly(edit);
        edit->setMaximumWidth(NumberFieldWidth(edit, "0000000"));
        connect(edit, &QLineEdit::textEdited, this,
                [this, f = field](const QString& text) { model_.Laboratory().EditIntegerText(f, text.toStdString()); });
    }
    for (const UncertaintyRow& row : UncertaintyRows(ui)) {
        row.edit->setMinimumWidth(NumberFieldWidth(row.edit, kLongestEntry));
        ReserveInputUnitWidth(row.unit);
        connect(row.edit, &QLineEdit::textEdited, this, [this, i = row.instrument](const QString& text) {
            model_.Laboratory().EditUncertaintyText(i, text.toStdString());
        });
    }
    for (const auto& [edit, limit] : LimitEdits(ui)) {
        edit->setMinimumWidth(NumberFieldWidth(edit, "000,0000"));
        edit->setMaximumWidth(NumberFieldWidth(edit, "00000,0000"));
        connect(edit, &QLineEdit::textEdited, this, [this, l = limit](const QString& text) {
            model_.Laboratory().EditLimitText(l, text.toStdString());
        });
    }
    for (const auto& [edit, identity] : IdentityEdits(ui)) {
        connect(edit, &QLineEdit::textEdited, this, [this, i = identity](const QString& text) {
            model_.Laboratory().EditIdentityText(i, text.toStdString());
        });
    }
    FillUnitList(ui.temperatureUnitList, kTemperatureUnits);
    FillUnitList(ui.pressureUnitList, kPressureUnits);
    OnChoice(ui.temperatureUnitList, [this](int index) { model_.Laboratory().ChangeTemperatureUnit(index); });
    OnChoice(ui.pressureUnitList, [this](int index) { model_.Laboratory().ChangePressureUnit(index); });
    OnClick(ui.devicesErrorBox, [this](bool on) { model_.Laboratory().SetDevicesError(on); });
    for (const TableRow& row : TableRows(ui)) {
        // Ticking a box that was clear opens its table at once, as "Tablica" does.
        OnClick(row.box, [this, t = row.table](bool on) {
            if (model_.Laboratory().SetTableSwitch(t, on)) EditTable(t);
        });
        connect(row.button, &QPushButton::clicked, this, [this, t = row.table] { EditTable(t); });
    }
}

void SettingsSheetDialog::RefreshLaboratory() {
    Ui::SettingsLaboratoryPage& ui = *laboratory_;
    LaboratorySettingsPage& page = model_.Laboratory();
    using Integer = LaboratorySettingsPage::Integer;
    wegator::Show(ui.updateEdit, page.IntegerText(Integer::UpdatePeriod));
    wegator::Show(ui.meanTimeEdit, page.IntegerText(Integer::CollectionTime));
    wegator::Show(ui.observationsEdit, page.IntegerText(Integer::Observations));
    wegator::Show(ui.stabilityWindowEdit, page.IntegerText(Integer::StabilityWindow));
    for (const auto& [edit, limit] : LimitEdits(ui)) wegator::Show(edit, page.LimitText(limit));
    wegator::Show(ui.temperatureUnitList, page.TemperatureUnitIndex());
    wegator::Show(ui.pressureUnitList, page.PressureUnitIndex());
    const std::string_view temperatureUnit = kTemperatureUnits[static_cast<std::size_t>(page.TemperatureUnitIndex())];
    const std::string_view pressureUnit = kPressureUnits[static_cast<std::size_t>(page.PressureUnitIndex())];
    for (const UncertaintyRow& row : UncertaintyRows(ui)) {
        wegator::Show(row.edit, page.UncertaintyText(row.instrument));
        // A temperature difference of one kelvin: "°C" and "°K" both mean K here.
        wegator::Show(row.unit, row.instrument == Instrument::Qx316 ? pressureUnit : temperatureUnit);
        for (QWidget* w : std::initializer_list<QWidget*>{row.edit, row.label, row.unit}) {
            w->setEnabled(page.DevicesError());
        }
    }
    for (const auto& [edit, identity] : IdentityEdits(ui)) wegator::Show(edit, page.IdentityText(identity));
    Show(ui.devicesErrorBox, page.DevicesError());
    for (const TableRow& row : TableRows(ui)) {
        Show(row.box, page.TableSwitch(row.table));
        row.button->setEnabled(page.TableButtonEnabled(row.table));
    }
}

void SettingsSheetDialog::EditTable(lab::TableFamily family) {
    // The QX-311 has a table per channel: the channel comes first.
    lab::TableId table = lab::TableId::Dp30;
    switch (family) {
        case lab::TableFamily::Dp30: table = lab::TableId::Dp30; break;
        case lab::TableFamily::F250: table = lab::TableId::F250; break;
        case lab::TableFamily::Qx310: table = lab::TableId::Qx310; break;
        case lab::TableFamily::Qx311: {
            const std::optional<int> chosen = AskQx311Channel(this);
            if (!chosen) return;
            table = lab::Qx311Table(*chosen);
            break;
        }
    }
    LaboratorySettingsPage& page = model_.Laboratory();
    const std::optional<EditedTable> edited =
        EditCorrectionTable(page.TableToEdit(table), page.TableFile(table), model_.DecimalSign(), this);
    if (edited) page.TableEdited(table, edited->fileName);
    RefreshLaboratory();
}

// ---- "Zapis" ----------------------------------------------------------------

namespace {
struct ColumnBox {
    bool SaveFileContents::*member;
    QCheckBox* box;
};
std::array<ColumnBox, 14> ColumnBoxes(const Ui::SettingsFilePage& ui) {
    return {{{&SaveFileContents::dewPointInput, ui.dpInputBox},
             {&SaveFileContents::temperatureInput, ui.tInputBox},
             {&SaveFileContents::pressureInput, ui.pbInputBox},
             {&SaveFileContents::temperatureComputed, ui.tComputedBox},
             {&SaveFileContents::dewPointComputed, ui.dpComputedBox},
             {&SaveFileContents::ppmv, ui.ppmvBox},
             {&SaveFileContents::relativeHumidity, ui.rhBox},
             {&SaveFileContents::mixingRatio, ui.xBox},
             {&SaveFileContents::ppmw, ui.ppmwBox},
             {&SaveFileContents::vapourPressure, ui.wvpBox},
             {&SaveFileContents::saturationVapourPressure, ui.swvpBox},
             {&SaveFileContents::enthalpy, ui.enthalpyBox},
             {&SaveFileContents::wetBulb, ui.bulbBox},
             {&SaveFileContents::savingOn, ui.savingBox}}};
}
}  // namespace

void SettingsSheetDialog::BindFile() {
    Ui::SettingsFilePage& ui = *file_;
    ui.fileLayout->setColumnStretch(1, 1);
    ui.browseButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    MakeResultField(ui.fileNameEdit);  // chosen through "...", never typed
    ui.formatList->addItems({StringTableText(kCsvFormat), StringTableText(kTextFormat)});
    DigitsOnly(ui.intervalEdit);
    ui.intervalEdit->setMaximumWidth(NumberFieldWidth(ui.intervalEdit, "0000000"));
    ui.fileNameEdit->setMinimumWidth(NumberFieldWidth(ui.fileNameEdit, "/home/uzytkownik/pomiary.csv"));
    for (const ColumnBox& column : ColumnBoxes(ui)) {
        connect(column.box, &QCheckBox::clicked, this,
                [this, member = column.member](bool on) { model_.File().Contents().*member = on; });
    }
    connect(ui.formatList, &QComboBox::activated, this,
            [this](int index) { model_.File().Contents().csvFormat = index == 0; });
    connect(ui.uncertaintiesBox, &QCheckBox::clicked, this, [this](bool on) { model_.File().SetUncertainties(on); });
    connect(ui.bomBox, &QCheckBox::clicked, this, [this](bool on) { model_.File().SetByteOrderMark(on); });
    connect(ui.intervalEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.File().EditIntervalText(text.toStdString()); });
    connect(ui.browseButton, &QPushButton::clicked, this, &SettingsSheetDialog::ChooseDataFile);
}

void SettingsSheetDialog::ChooseDataFile() {
    FileSettingsPage& page = model_.File();
    QFileDialog dialog(this, StringTableText(kFileDialogTitle), QString::fromStdString(page.FileName()),
                       QtFileFilter(StringTableText(kFileFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Message 196 asks what to do with an existing file (empty it or append);
    // Qt's own question to replace it would come first and count for nothing.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = dialog.nameFilters();
    const bool csv = page.Contents().csvFormat;
    if (filters.size() > 1) dialog.selectNameFilter(filters[csv ? 0 : 1]);
    if (Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const int filter = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    page.ChooseFileName(DataFileNameWithExtension(dialog.selectedFiles().constFirst().toStdString(), filter));
    RefreshFile();
}

void SettingsSheetDialog::RefreshFile() {
    Ui::SettingsFilePage& ui = *file_;
    const FileSettingsPage& page = model_.File();
    wegator::Show(ui.fileNameEdit, page.FileName());
    wegator::Show(ui.formatList, page.Contents().csvFormat ? 0 : 1);
    wegator::Show(ui.intervalEdit, page.IntervalText());
    for (const ColumnBox& column : ColumnBoxes(ui)) Show(column.box, page.Contents().*column.member);
    Show(ui.uncertaintiesBox, page.Uncertainties());
    Show(ui.bomBox, page.ByteOrderMark());
}

}  // namespace wegator
