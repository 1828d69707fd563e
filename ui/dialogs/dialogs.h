// The small dialogs of the program: language, literature and About.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class LanguageDialog;
class LiteratureDialog;
class AboutDialog;
}  // namespace Ui

namespace wegator {

class HyperlinkLabel;

// "English" or "Polski" with a picture above. Closing the dialog other than
// with OK keeps the preselection.
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    explicit LanguageDialog(bool englishPreselected, QWidget* parent = nullptr);
    ~LanguageDialog() override;
    // "en" or "pl".
    std::string ChosenLanguage() const;

private:
    std::unique_ptr<Ui::LanguageDialog> ui_;
    bool englishPreselected_;
};

// Asks for the language: given the preselected code, returns "en" or "pl".
using LanguageQuestion = std::function<std::string(const std::string& preselected)>;
// Shows the language dialog modally ("en" preselects English, anything else Polish).
std::string AskLanguageWithDialog(const std::string& preselected, QWidget* parent = nullptr);

class LiteratureDialog : public QDialog {
    Q_OBJECT
public:
    explicit LiteratureDialog(QWidget* parent = nullptr);
    ~LiteratureDialog() override;

private:
    std::unique_ptr<Ui::LiteratureDialog> ui_;
};

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    HyperlinkLabel* WebLink() const;
    HyperlinkLabel* EmailLink() const;
    HyperlinkLabel* HumidityLink() const;

private:
    std::unique_ptr<Ui::AboutDialog> ui_;
};

}  // namespace wegator
