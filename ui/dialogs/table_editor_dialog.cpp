#include "dialogs/table_editor_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include "text/string_table.h"
#include "artwork.h"
#include "pages/humidity_page_view.h"
#include "lab/tables/cal_file.h"
#include "numeric_edit.h"
#include "ui_qx311_channel_dialog.h"
#include "ui_table_editor_dialog.h"
#include "ui_table_entry_dialog.h"
#include "widget_texts.h"

namespace wegator {

namespace {

// Widths of the list's columns: value, correction, standard uncertainty.
constexpr std::array<int, 3> kColumnWidths = {80, 160, 154};

// "Plik kalibracji (*.cal)|*.cal||" → "Plik kalibracji (*.cal)": the part a Qt file dialog shows.
QString CalFilter() {
    const QString text = StringTableText(msg::CalibrationFileFilter);
    return text.left(text.indexOf('|'));
}

// A button's text as a window title: without its shortcut mark.
QString TitleOf(const QPushButton* button) { return button->text().remove('&'); }

std::optional<std::string> RunFileDialog(QWidget* owner, const std::string& current, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner, StringTableText(msg::CalibrationFileDialogTitle),
                       current.empty() ? QString() : QFileInfo(QString::fromStdString(current)).absolutePath(),
                       CalFilter());
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(QStringLiteral("cal"));
    // "Otwórz plik" opens existing files only; saving asks before it overwrites.
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace

// ---- The window around the model ------------------------------------------

void QtTableEditorHost::ShowWarning(int messageId, const std::string& text) {
    if (hooks_.warning) return hooks_.warning(messageId, text);
    QMessageBox box(QMessageBox::Warning, StringTableText(msg::ProgramTitle), QString::fromStdString(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtTableEditorHost::AskYesNo(int messageId, const std::string& text) {
    if (hooks_.question) return hooks_.question(messageId, text);
    QMessageBox box(QMessageBox::Question, StringTableText(msg::ProgramTitle), QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No,
                    owner_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtTableEditorHost::ChooseFileToOpen() {
    if (hooks_.fileToOpen) return hooks_.fileToOpen();
    return RunFileDialog(owner_, fileName_, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtTableEditorHost::ChooseFileToSave() {
    if (hooks_.fileToSave) return hooks_.fileToSave();
    return RunFileDialog(owner_, fileName_, QFileDialog::AcceptSave);
}

// ---- The editor -------------------------------------------------------------

TableEditorDialog::TableEditorDialog(const lab::CalibrationTable& table, const std::string& fileName,
                                     std::string decimalSign, TableEditorHooks hooks, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TableEditorDialog>()),
      decimalSign_(std::move(decimalSign)),
      hooks_(std::move(hooks)),
      host_(this, hooks_, fileName),
      model_(host_, table, fileName) {
    ui_->setupUi(this);
    setWindowIcon(ProgramIcon());
    QTableWidget* list = ui_->rowList;
    list->setHorizontalHeaderLabels({StringTableText(msg::TableValueHeading),
                                     StringTableText(msg::TableCorrectionHeading),
                                     StringTableText(msg::TableUncertaintyHeading)});
    for (int column = 0; column < 3; ++column) list->setColumnWidth(column, kColumnWidths[column]);
    list->horizontalHeader()->setStretchLastSection(true);

    connect(ui_->addButton, &QPushButton::clicked, this, &TableEditorDialog::AddRow);
    connect(ui_->editButton, &QPushButton::clicked, this, &TableEditorDialog::EditRow);
    connect(list, &QTableWidget::cellDoubleClicked, this, &TableEditorDialog::EditRow);
    connect(ui_->removeButton, &QPushButton::clicked, this, &TableEditorDialog::RemoveRow);
    connect(ui_->openButton, &QPushButton::clicked, this, [this] {
        model_.OpenFile();
        Refresh();
    });
    connect(list, &QTableWidget::itemSelectionChanged, this, [this] {
        const bool selected = SelectedRow() >= 0;
        ui_->editButton->setEnabled(selected);
        ui_->removeButton->setEnabled(selected);
    });
    connect(ui_->okButton, &QPushButton::clicked, this, [this] {
        if (model_.Ok()) accept();
    });
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

TableEditorDialog::~TableEditorDialog() = default;

QTableWidget* TableEditorDialog::RowList() const { return ui_->rowList; }
QPushButton* TableEditorDialog::AddButton() const { return ui_->addButton; }
QPushButton* TableEditorDialog::EditButton() const { return ui_->editButton; }
QPushButton* TableEditorDialog::RemoveButton() const { return ui_->removeButton; }
QPushButton* TableEditorDialog::OpenButton() const { return ui_->openButton; }
QPushButton* TableEditorDialog::OkButton() const { return ui_->okButton; }
QPushButton* TableEditorDialog::CancelButton() const { return ui_->cancelButton; }

int TableEditorDialog::SelectedRow() const {
    const QList<QTableWidgetSelectionRange> ranges = ui_->rowList->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

bool TableEditorDialog::RunEntry(TableEntryDialog& dialog) {
    if (hooks_.entry) return hooks_.entry(dialog);
    return dialog.exec() == QDialog::Accepted;
}

void TableEditorDialog::AddRow() {
    TableEntryDialog dialog(TitleOf(ui_->addButton), {}, decimalSign_, host_, this);
    if (!RunEntry(dialog) || !model_.Add(dialog.Entry())) return;
    Refresh(lab::FormatCalNumber(dialog.Entry().value));
}

void TableEditorDialog::EditRow() {
    const int row = SelectedRow();
    if (row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    TableEntryDialog dialog(TitleOf(ui_->editButton), lab::EntryFieldTexts(model_.Entries()[index], decimalSign_),
                            decimalSign_, host_, this);
    if (!RunEntry(dialog)) return;
    // A duplicate value leaves the row as it was, and selected.
    const bool changed = model_.Edit(index, dialog.Entry());
    Refresh(changed ? lab::FormatCalNumber(dialog.Entry().value) : model_.RowTexts(index).value);
}

void TableEditorDialog::RemoveRow() {
    const int row = SelectedRow();
    if (row < 0 || !model_.Remove(static_cast<std::size_t>(row))) return;
    Refresh();
}

void TableEditorDialog::Refresh(const std::string& selectValue) {
    QTableWidget* list = ui_->rowList;
    list->clearSelection();
    list->setRowCount(static_cast<int>(model_.RowCount()));
    int selected = -1;
    for (std::size_t i = 0; i < model_.RowCount(); ++i) {
        const lab::TableEditor::Row row = model_.RowTexts(i);
        const std::array<const std::string*, 3> cells = {&row.value, &row.correction, &row.uncertainty};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(QString::fromStdString(*cells[static_cast<std::size_t>(column)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            list->setItem(static_cast<int>(i), column, item);
        }
        if (selected < 0 && !selectValue.empty() && row.value == selectValue) selected = static_cast<int>(i);
    }
    if (selected >= 0) {
        list->selectRow(selected);
        list->scrollToItem(list->item(selected, 0));
    }
    const bool anySelected = SelectedRow() >= 0;
    ui_->editButton->setEnabled(anySelected);
    ui_->removeButton->setEnabled(anySelected);
}

// ---- "Dodaj" / "Edytuj" -----------------------------------------------------

TableEntryDialog::TableEntryDialog(const QString& title, const std::array<std::string, 3>& texts,
                                   std::string decimalSign, lab::TableEditorHost& host, QWidget* parent)
    : QDialog(parent),
      ui_(std::make_unique<Ui::TableEntryDialog>()),
      decimalSign_(std::move(decimalSign)),
      host_(host) {
    ui_->setupUi(this);
    setWindowTitle(title);
    setWindowIcon(ProgramIcon());
    for (int i = 0; i < 3; ++i) {
        Field(i)->setMinimumWidth(NumberFieldWidth(Field(i), kLongestEntry));
        Field(i)->ShowText(QString::fromStdString(texts[static_cast<std::size_t>(i)]));
    }
    connect(ui_->okButton, &QPushButton::clicked, this, [this] {
        std::array<std::string, 3> fields;
        for (int i = 0; i < 3; ++i) fields[static_cast<std::size_t>(i)] = Field(i)->text().toStdString();
        const std::optional<lab::CalibrationEntry> entry = lab::ReadEntryFields(fields, decimalSign_, host_);
        if (!entry) return;
        for (int i = 0; i < 3; ++i) Field(i)->ShowText(QString::fromStdString(fields[static_cast<std::size_t>(i)]));
        entry_ = *entry;
        accept();
    });
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TableEntryDialog::~TableEntryDialog() = default;

NumericEdit* TableEntryDialog::Field(int index) const {
    const std::array<NumericEdit*, 3> fields = {ui_->valueEdit, ui_->correctionEdit, ui_->uncertaintyEdit};
    return fields[static_cast<std::size_t>(index)];
}

QPushButton* TableEntryDialog::OkButton() const { return ui_->okButton; }
QPushButton* TableEntryDialog::CancelButton() const { return ui_->cancelButton; }

// ---- The QX-311 channel -----------------------------------------------------

Qx311ChannelDialog::Qx311ChannelDialog(lab::TableEditorHost& host, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::Qx311ChannelDialog>()), host_(host) {
    ui_->setupUi(this);
    setWindowIcon(ProgramIcon());
    connect(ui_->okButton, &QPushButton::clicked, this, [this] {
        const std::optional<int> channel = lab::ReadQx311Channel(ui_->channelList->currentText().toStdString(), host_);
        if (!channel) return;
        channel_ = *channel;
        accept();
    });
    connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

Qx311ChannelDialog::~Qx311ChannelDialog() = default;

QComboBox* Qx311ChannelDialog::ChannelList() const { return ui_->channelList; }
QPushButton* Qx311ChannelDialog::OkButton() const { return ui_->okButton; }

// ---- Opening them -------------------------------------------------------------

std::optional<EditedTable> EditCorrectionTable(const lab::CalibrationTable& table, const std::string& fileName,
                                               const std::string& decimalSign, QWidget* parent) {
    TableEditorDialog dialog(table, fileName, decimalSign, {}, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return EditedTable{dialog.Table(), dialog.FileName()};
}

std::optional<int> AskQx311Channel(QWidget* parent) {
    QtTableEditorHost host(parent, {}, {});
    Qx311ChannelDialog dialog(host, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Channel();
}

}  // namespace wegator
