// How the fields that show numbers look: wide enough for the widest text they
// may have to show, so no digit is ever cut off, and result fields that look
// read-only (no white entry background, no edit cursor).
#pragma once

#include <span>
#include <string>

class QLineEdit;
class QWidget;

namespace wegator {

// The longest text an entry field takes as typed: fifteen characters.
inline constexpr const char* kLongestEntry = "-8888888,888888";

// The width the field needs to show `text` whole, frame, margins and cursor included.
int NumberFieldWidth(const QLineEdit* field, const char* text);

// Makes the field at least as wide as it must be to show each of `texts` whole.
void FitNumberField(QLineEdit* field, std::span<const std::string> texts);
void FitNumberField(QLineEdit* field, const std::string& text);

// A field the program writes and the user only reads (and may select from):
// read-only, the window's background instead of an entry's, passed over by Tab.
void MakeResultField(QLineEdit* field);
// MakeResultField for every read-only line edit inside `parent`.
void MakeResultFields(QWidget* parent);

}  // namespace wegator
