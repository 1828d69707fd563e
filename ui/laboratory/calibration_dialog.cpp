#include "laboratory/calibration_dialog.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTextDocument>

#include "lab/station/calibration_run.h"
#include "lab/station/laboratory_page.h"
#include "ui_calibration_dialog.h"
#include "widget_texts.h"

namespace wegator {

namespace {
// The log's tabs stand at every 10th character of a fixed-width font: each
// heading of the run file then spans two of them, as its values do, with room
// between the columns; a whole row, its stability figures and its time
// included, fits.
constexpr int kTabColumns = 10;
constexpr int kLogColumns = 172;
constexpr int kLogLines = 14;
// The countdown shows whole seconds: worked out a few times a second is enough.
constexpr qint64 kProgressRefreshMs = 200;
}  // namespace

CalibrationDialog::CalibrationDialog(lab::LaboratoryPage& page, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CalibrationDialog>()), page_(page), run_(page.Run()) {
    ui_->setupUi(this);
    ui_->informationLine->setText(QString::fromStdString(run_.InformationLine()));
    ui_->folderEdit->setText(QString::fromStdString(run_.Folder()));
    ui_->dewPointCheck->setChecked(run_.UseDewPoint());
    ui_->stableCheck->setChecked(run_.Wait().on);
    ui_->longestWaitSpin->setMinimum(1);
    ui_->longestWaitSpin->setMaximum(lab::CalibrationRun::kLongestStabilityWait);
    ui_->longestWaitSpin->setValue(run_.Wait().longestMinutes);
    AttachToolTips(this);
    ui_->folderEdit->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    // Every column of a row (number, temperature, dew point, humidity) shows
    // without a horizontal scroll bar: the dialog is as wide as the log needs.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    ui_->logView->setFont(fixed);
    const QFontMetrics logMetrics(fixed);
    ui_->logView->setTabStopDistance(logMetrics.horizontalAdvance(QLatin1Char('0')) * kTabColumns);
    ui_->logView->setMinimumWidth(logMetrics.horizontalAdvance(QString(kLogColumns, QLatin1Char('0'))) +
                                  2 * ui_->logView->frameWidth() +
                                  ui_->logView->verticalScrollBar()->sizeHint().width() +
                                  2 * static_cast<int>(ui_->logView->document()->documentMargin()));
    ui_->logView->setMinimumHeight(logMetrics.lineSpacing() * kLogLines);
    ui_->delayEdit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 14);
    // Whole seconds; a minus is let through so that the run can say it is refused.
    ui_->delayEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,10}")), ui_->delayEdit));
    ui_->browseButton->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    folderQuestion_ = [](QWidget* parentWidget, const QString& current) {
        return QFileDialog::getExistingDirectory(parentWidget, tr("Wybierz katalog"), current);
    };
    connect(ui_->browseButton, &QPushButton::clicked, this, &CalibrationDialog::ChooseFolder);
    connect(ui_->startButton, &QPushButton::clicked, this, &CalibrationDialog::Start);
    connect(ui_->stopButton, &QPushButton::clicked, this, &CalibrationDialog::Stop);
    connect(ui_->closeButton, &QPushButton::clicked, this, &CalibrationDialog::CloseKeepingFolder);
    connect(ui_->dewPointCheck, &QCheckBox::toggled, this, [this](bool on) { run_.SetUseDewPoint(on); });
    auto takeWait = [this] {
        run_.SetStabilityWait({ui_->stableCheck->isChecked(), ui_->longestWaitSpin->value()});
        Refresh();
    };
    connect(ui_->stableCheck, &QCheckBox::toggled, this, takeWait);
    connect(ui_->longestWaitSpin, &QSpinBox::valueChanged, this, takeWait);
    Refresh();
}

CalibrationDialog::~CalibrationDialog() {
    if (closed_) return;
    page_.InterruptRun(lab::RunInterruption::DialogClosed);
    run_.CloseDialog(false, {});
}

void CalibrationDialog::Refresh() {
    if (run_.Log() != shownLog_) {
        shownLog_ = run_.Log();
        ui_->logView->setPlainText(QString::fromStdString(shownLog_));
        ui_->logView->verticalScrollBar()->setValue(ui_->logView->verticalScrollBar()->maximum());
    }
    const int state = static_cast<int>(run_.CurrentState());
    if (state != shownState_ || run_.Rows() != shownRows_ || !progressAge_.isValid() ||
        progressAge_.elapsed() >= kProgressRefreshMs) {
        shownState_ = state;
        shownRows_ = run_.Rows();
        progressAge_.start();
        const QString progress = QString::fromStdString(run_.ProgressLine());
        if (ui_->progressLine->text() != progress) ui_->progressLine->setText(progress);
    }
    ui_->startButton->setEnabled(run_.StartEnabled());
    ui_->stopButton->setEnabled(run_.StopEnabled());
    ui_->dewPointCheck->setEnabled(run_.StartEnabled());
    ui_->stableCheck->setEnabled(run_.StartEnabled());
    ui_->longestWaitSpin->setEnabled(run_.StartEnabled() && ui_->stableCheck->isChecked());
}

void CalibrationDialog::Start() {
    if (!run_.StartEnabled()) return;
    run_.Start(ui_->delayEdit->text().toStdString(), ui_->folderEdit->text().toStdString());
    Refresh();
}

void CalibrationDialog::Stop() {
    page_.InterruptRun(lab::RunInterruption::StoppedByUser);
    Refresh();
}

void CalibrationDialog::ChooseFolder() {
    const QString chosen = folderQuestion_(this, ui_->folderEdit->text());
    if (!chosen.isEmpty()) ui_->folderEdit->setText(chosen);
}

void CalibrationDialog::CloseKeepingFolder() {
    // A run waiting or going is ended only when the user says so.
    if (!page_.ConfirmRunDialogClose()) {
        Refresh();
        return;
    }
    run_.CloseDialog(true, ui_->folderEdit->text().toStdString());
    closed_ = true;
    accept();
}

void CalibrationDialog::reject() {
    // Escape and the close box: the folder is not kept; a run is ended only
    // when the user says so (else the dialog stays and the close is ignored).
    if (!closed_) {
        if (!page_.ConfirmRunDialogClose()) {
            Refresh();
            return;
        }
        run_.CloseDialog(false, {});
    }
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
