#include "dialogs/dialogs.h"

#include "artwork.h"
#include "hyperlink_label.h"
#include "maker.h"
#include "ui_about_dialog.h"
#include "ui_language_dialog.h"
#include "ui_literature_dialog.h"

namespace wegator {

LanguageDialog::LanguageDialog(bool englishPreselected, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::LanguageDialog>()), englishPreselected_(englishPreselected) {
    ui_->setupUi(this);
    setWindowIcon(ProgramIcon());
    ui_->pictureLabel->setPixmap(BannerPicture(devicePixelRatioF()));
    (englishPreselected ? ui_->englishButton : ui_->polishButton)->setChecked(true);
}

LanguageDialog::~LanguageDialog() = default;

std::string LanguageDialog::ChosenLanguage() const {
    const bool english = result() == QDialog::Accepted ? ui_->englishButton->isChecked() : englishPreselected_;
    return english ? "en" : "pl";
}

std::string AskLanguageWithDialog(const std::string& preselected, QWidget* parent) {
    LanguageDialog dialog(preselected == "en", parent);
    dialog.exec();
    return dialog.ChosenLanguage();
}

LiteratureDialog::LiteratureDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::LiteratureDialog>()) {
    ui_->setupUi(this);
}

LiteratureDialog::~LiteratureDialog() = default;

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutDialog>()) {
    ui_->setupUi(this);
    const qreal ratio = devicePixelRatioF();
    ui_->iconLabel->setPixmap(ProgramPicture(64, ratio));
    ui_->pictureLabel->setPixmap(BannerPicture(ratio));
    QFont bold = ui_->versionLabel->font();
    bold.setBold(true);
    ui_->versionLabel->setFont(bold);

    ui_->webLink->SetTarget(QString::fromLatin1(maker::kWebSite));
    ui_->emailLink->setText(tr("email: %1").arg(QString::fromLatin1(maker::kEmail)));
    ui_->emailLink->SetTarget(QStringLiteral("mailto:") + QString::fromLatin1(maker::kEmail));
    ui_->humidityLink->SetTarget(QString::fromLatin1(maker::kHumiditySite));
}

AboutDialog::~AboutDialog() = default;

HyperlinkLabel* AboutDialog::WebLink() const { return ui_->webLink; }
HyperlinkLabel* AboutDialog::EmailLink() const { return ui_->emailLink; }
HyperlinkLabel* AboutDialog::HumidityLink() const { return ui_->humidityLink; }

}  // namespace wegator
