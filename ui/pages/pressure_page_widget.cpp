#include "pages/pressure_page_widget.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "pages/number_fields.h"
#include "ui_pressure_page.h"
#include "widget_texts.h"

namespace wegator {

PressurePageWidget::PressurePageWidget(PressurePage& model, QWidget* parent)
    : PageWidget(parent), ui_(std::make_unique<Ui::PressurePage>()), model_(model) {
    ui_->setupUi(this);
    AttachToolTips(this);

    for (std::size_t i = 0; i < results_.size(); ++i) {
        results_[i] = findChild<QLineEdit*>(QStringLiteral("pressureResult%1").arg(i));
        MakeResultField(results_[i]);
    }

    for (const PressurePageUnit& unit : kPressurePageUnits) ui_->inputUnitList->addItem(ToQString(unit.text));

    connect(ui_->inputEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.SetInputText(text.toStdString());
        Refresh();
    });
    connect(ui_->inputUnitList, &QComboBox::activated, this, [this](int index) {
        model_.ChangeInputUnit(index);
        Refresh();
    });
    connect(ui_->computeButton, &QPushButton::clicked, this, [this] {
        model_.Compute();
        Refresh();
    });
    connect(ui_->printButton, &QPushButton::clicked, this, &PageWidget::printRequested);
    SetButtons(ui_->computeButton, {ui_->printButton});

    Refresh();
}

PressurePageWidget::~PressurePageWidget() = default;

NumericEdit* PressurePageWidget::InputField() const { return ui_->inputEdit; }
QComboBox* PressurePageWidget::InputUnitList() const { return ui_->inputUnitList; }
QPushButton* PressurePageWidget::ComputeButton() const { return ui_->computeButton; }
QPushButton* PressurePageWidget::PrintButton() const { return ui_->printButton; }
RecomputeMarker* PressurePageWidget::Marker() const { return ui_->recomputeMarker; }

void PressurePageWidget::Activate() {
    model_.Activate();
    Refresh();
}

bool PressurePageWidget::PrintEnabled() const { return model_.PrintEnabled(); }

std::vector<PrintCell> PressurePageWidget::PrintCells(const PrintTime& printedAt) const {
    return LayOut(model_.Printout(printedAt));
}

void PressurePageWidget::Refresh() {
    ui_->inputEdit->ShowText(QString::fromStdString(model_.InputText()));
    if (ui_->inputUnitList->currentIndex() != model_.InputUnitIndex()) {
        const QSignalBlocker blocker(ui_->inputUnitList);
        ui_->inputUnitList->setCurrentIndex(model_.InputUnitIndex());
    }
    // Fixed-point results grow long (20000 MPa in micron): every field is as
    // wide as the widest result of the page's format, so no digit is cut off.
    FitNumberField(ui_->inputEdit, WidestEntryText(model_.Format()));
    const std::string widest = model_.WidestResultText();
    for (std::size_t i = 0; i < results_.size(); ++i) {
        FitNumberField(results_[i], widest);
        const QString text = QString::fromStdString(model_.ResultTexts()[i]);
        if (results_[i]->text() != text) results_[i]->setText(text);
    }
    ui_->printButton->setEnabled(model_.PrintEnabled());
    ui_->recomputeMarker->SetShown(model_.MarkerVisible());
}

}  // namespace wegator
