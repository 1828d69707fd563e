// The entry field of every number the user types: a line edit that lets only
// the characters of a number through, whether typed, pasted or dropped.
// Texts the program writes itself (ShowText) are shown as they are.
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace wegator {

// Drops every character that cannot be part of a number and keeps the cursor
// where the user left it. Never rejects: a filtered text is always acceptable,
// because reading the number (GetValue) is what reports a bad entry.
class NumericFilter : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumericEdit(QWidget* parent = nullptr);

    // Shows a text the program wrote: not filtered, and not a user edit.
    void ShowText(const QString& text);

private:
    NumericFilter* filter_;
};

}  // namespace wegator
