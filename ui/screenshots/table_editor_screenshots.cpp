#include "screenshots/table_editor_screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>

#include "dialogs/table_editor_dialog.h"

namespace wegator {

namespace {

bool Grab(QWidget& widget, const QDir& dir, const QString& name) {
    widget.show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const bool saved = widget.grab().save(dir.filePath(name + QStringLiteral(".png")));
    widget.close();
    return saved;
}

// The points of a dew-point hygrometer's certificate.
lab::CalibrationTable SampleCertificate() {
    lab::CalibrationTable table;
    for (const lab::CalibrationEntry& point : {lab::CalibrationEntry{-40, 0.12, 0.05},
                                               {-20, 0.08, 0.04},
                                               {0, 0.05, 0.03},
                                               {10, 0.04, 0.03},
                                               {20, 0.02, 0.03}}) {
        table.Insert(point);
    }
    return table;
}

}  // namespace

bool SaveTableEditorScreenshots(QWidget* parent, const QDir& dir) {
    bool saved = true;
    TableEditorHooks hooks;
    hooks.entry = [&](TableEntryDialog& entry) {
        saved &= Grab(entry, dir, QStringLiteral("dialog_table_entry"));
        return false;
    };
    TableEditorDialog editor(SampleCertificate(), "/home/laboratorium/tablice/dp30.cal", ",", hooks, parent);
    editor.RowList()->selectRow(2);
    saved &= Grab(editor, dir, QStringLiteral("dialog_table_editor"));
    editor.EditButton()->click();  // "Edytuj" on the selected row, pictured by the hook

    QtTableEditorHost host(parent, {}, {});
    Qx311ChannelDialog channel(host, parent);
    channel.ChannelList()->setCurrentIndex(1);
    saved &= Grab(channel, dir, QStringLiteral("dialog_qx311_channel"));
    return saved;
}

}  // namespace wegator
