#include "numeric_edit.h"

#include <string>

#include <QSignalBlocker>

#include "pages/number_entry.h"

namespace wegator {

QValidator::State NumericFilter::validate(QString& input, int& pos) const {
    const std::string typed = input.toStdString();
    const std::string kept = FilterNumericText(typed);
    if (kept.size() != typed.size()) {
        // The cursor stays behind the last character that was kept before it.
        const QString before = input.left(pos);
        pos = QString::fromStdString(FilterNumericText(before.toStdString())).size();
        input = QString::fromStdString(kept);
    }
    return Acceptable;
}

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent), filter_(new NumericFilter(this)) {
    setValidator(filter_);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void NumericEdit::ShowText(const QString& text) {
    if (text == this->text()) return;  // keeps the cursor where the user has it
    const QSignalBlocker blocker(this);
    // The filter would also run over a text set by the program.
    setValidator(nullptr);
    setText(text);
    setValidator(filter_);
}

}  // namespace wegator
