// Pictures of the correction-table editor, its "Edytuj" dialog and the QX-311
// channel choice, for `make screenshots`.
#pragma once

#include <QDir>

class QWidget;

namespace wegator {

// Saves dialog_table_editor.png, dialog_table_entry.png and
// dialog_qx311_channel.png into `dir`; true when all were saved.
bool SaveTableEditorScreenshots(QWidget* parent, const QDir& dir);

}  // namespace wegator
