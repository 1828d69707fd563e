#include "pages/number_fields.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

#include "widget_texts.h"

namespace wegator {

namespace {
// Room a line edit keeps on each side of its text inside the frame, and the
// cursor's width: as Qt lays out the text of a QLineEdit.
constexpr int kLineEditTextMargin = 2;
constexpr int kCursorWidth = 1;
}  // namespace

namespace {
int WidthForText(const QLineEdit* field, int textWidth) {
    const QFontMetrics metrics(field->font());
    const QMargins margins = field->textMargins();
    const int inner = textWidth + kCursorWidth + std::max(0, -metrics.minLeftBearing()) +
                      std::max(0, -metrics.minRightBearing()) + 2 * kLineEditTextMargin + margins.left() +
                      margins.right();
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth =
        field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    return field->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(inner, metrics.height()), field)
        .width();
}
}  // namespace

int NumberFieldWidth(const QLineEdit* field, const char* text) {
    return WidthForText(field, QFontMetrics(field->font()).horizontalAdvance(QString::fromUtf8(text)));
}

void FitNumberField(QLineEdit* field, std::span<const std::string> texts) {
    const QFontMetrics metrics(field->font());
    int textWidth = 0;
    for (const std::string& text : texts) textWidth = std::max(textWidth, metrics.horizontalAdvance(ToQString(text)));
    const int width = WidthForText(field, textWidth);
    if (field->minimumWidth() != width) field->setMinimumWidth(width);
}

void FitNumberField(QLineEdit* field, const std::string& text) { FitNumberField(field, std::span(&text, 1)); }

void MakeResultField(QLineEdit* field) {
    field->setReadOnly(true);  // also shows the arrow instead of the text cursor
    field->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = field->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Window));
    }
    field->setPalette(palette);
}

void MakeResultFields(QWidget* parent) {
    for (QLineEdit* field : parent->findChildren<QLineEdit*>()) {
        if (field->isReadOnly()) MakeResultField(field);
    }
}

}  // namespace wegator
