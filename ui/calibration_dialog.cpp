#include "calibration_dialog.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include "lab/calibration_run.h"
#include "ui_calibration_dialog.h"

namespace wegator {

CalibrationDialog::CalibrationDialog(lab::CalibrationRun& run, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CalibrationDialog>()), run_(run) {
    ui_->setupUi(this);
    ui_->informationLine->setText(QString::fromStdString(run_.InformationLine()));
    ui_->folderEdit->setText(QString::fromStdString(run_.Folder()));
    ui_->dewPointCheck->setChecked(run_.UseDewPoint());
    // Wide enough for a folder path and a row of the log.
    ui_->folderEdit->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    ui_->logView->setMinimumHeight(fontMetrics().height() * 14);
    ui_->delayEdit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 14);
    // Whole seconds; a minus is let through so that the run can say it is refused.
    ui_->delayEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,10}")), ui_->delayEdit));
    ui_->browseButton->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    folderQuestion_ = [](QWidget* parentWidget, const QString& current) {
        return QFileDialog::getExistingDirectory(parentWidget, tr("Wybierz"), current);
    };
    connect(ui_->browseButton, &QPushButton::clicked, this, &CalibrationDialog::ChooseFolder);
    connect(ui_->startButton, &QPushButton::clicked, this, &CalibrationDialog::Start);
    connect(ui_->closeButton, &QPushButton::clicked, this, &CalibrationDialog::CloseKeepingFolder);
    connect(ui_->dewPointCheck, &QCheckBox::toggled, this, [this](bool on) { run_.SetUseDewPoint(on); });
    Refresh();
}

CalibrationDialog::~CalibrationDialog() {
    if (!closed_) run_.CloseDialog(false, {});
}

void CalibrationDialog::Refresh() {
    const QString log = QString::fromStdString(run_.Log());
    if (ui_->logView->toPlainText() != log) {
        ui_->logView->setPlainText(log);
        ui_->logView->verticalScrollBar()->setValue(ui_->logView->verticalScrollBar()->maximum());
    }
    ui_->startButton->setEnabled(run_.StartEnabled());
    ui_->dewPointCheck->setEnabled(run_.StartEnabled());
}

void CalibrationDialog::Start() {
    if (!run_.StartEnabled()) return;
    run_.Start(ui_->delayEdit->text().toStdString(), ui_->folderEdit->text().toStdString());
    Refresh();
}

void CalibrationDialog::ChooseFolder() {
    const QString chosen = folderQuestion_(this, ui_->folderEdit->text());
    if (!chosen.isEmpty()) ui_->folderEdit->setText(chosen);
}

void CalibrationDialog::CloseKeepingFolder() {
    run_.CloseDialog(true, ui_->folderEdit->text().toStdString());
    closed_ = true;
    accept();
}

void CalibrationDialog::reject() {
    // Escape and the close box: the files close, the folder is not kept.
    if (!closed_) run_.CloseDialog(false, {});
    closed_ = true;
    QDialog::reject();
}

void CalibrationDialog::keyPressEvent(QKeyEvent* event) {
    // "S" (and F4) start the run whenever no text field takes the key.
    if (event->key() == Qt::Key_S || event->key() == Qt::Key_F4) {
        Start();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace wegator
