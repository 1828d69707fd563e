// Pictures of the settings sheet's five pages, the "Proszę czekać" dialog and
// both "Regulacja" dialogs, for `make screenshots`.
#pragma once

#include <QDir>

class QWidget;

namespace wegator {

// Saves dialog_settings_*.png and dialog_adjust_*.png into `dir`; true when all were saved.
bool SaveSettingsScreenshots(QWidget* parent, const QDir& dir);

}  // namespace wegator
