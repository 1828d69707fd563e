// How the fields that show numbers look: wide enough for the widest text they
// may have to show, so no digit is ever cut off, and result fields that look
// read-only (no white entry background, no edit cursor).
#pragma once

#include <span>
#include <string>

class QLineEdit;

namespace wegator {

// Makes the field at least as wide as it must be to show each of `texts`
// whole, frame, margins and cursor included.
void FitNumberField(QLineEdit* field, std::span<const std::string> texts);
void FitNumberField(QLineEdit* field, const std::string& text);

// A field the program writes and the user only reads (and may select from):
// read-only, the window's background instead of an entry's, passed over by Tab.
void MakeResultField(QLineEdit* field);

}  // namespace wegator
