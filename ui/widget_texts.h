// Texts of the string table on widgets.
#pragma once

#include <string>
#include <string_view>

#include <QString>

class QWidget;

namespace wegator {

// Name of the dynamic property that a layout (.ui) puts on a widget to give it
// the string-table text with that number as its tool-tip.
inline constexpr const char* kToolTipIdProperty = "toolTipId";

QString ToQString(std::string_view utf8);
// The text of a string-table number in the language in force.
QString StringTableText(int id);
// Gives every widget under `root` that carries kToolTipIdProperty its tool-tip.
void AttachToolTips(QWidget* root);

}  // namespace wegator
