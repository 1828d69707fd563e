#include "widget_texts.h"

#include <QVariant>
#include <QWidget>

#include "text/strings.h"

namespace wegator {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString StringTableText(int id) { return ToQString(LoadString(id)); }

void AttachToolTips(QWidget* root) {
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        const QVariant id = w->property(kToolTipIdProperty);
        if (id.isValid()) w->setToolTip(StringTableText(id.toInt()));
    }
}

}  // namespace wegator
