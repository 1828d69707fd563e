#include "hyperlink_label.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPalette>
#include <QUrl>

#include "text/string_table.h"
#include "url_opener.h"
#include "widget_texts.h"

namespace wegator {

HyperlinkLabel::HyperlinkLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    // As wide as its text, so that only the text itself reacts to the pointer.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    ApplyLook();
}

QString HyperlinkLabel::Target() const { return target_.isEmpty() ? text() : target_; }

void HyperlinkLabel::SetTarget(const QString& target) {
    target_ = target;
    // A link without a text (and without a picture) shows its target.
    if (text().isEmpty() && pixmap().isNull()) setText(target);
    setToolTip(Target());
}

QColor HyperlinkLabel::CurrentColour() const {
    if (hovering_) return palette().color(QPalette::Highlight);
    return visited_ ? kVisitedColour : kLinkColour;
}

void HyperlinkLabel::ApplyLook() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, CurrentColour());
    setPalette(p);
    if (toolTip().isEmpty() && !Target().isEmpty()) setToolTip(Target());
}

bool HyperlinkLabel::Open() {
    const QString target = Target();
    if (OpenUrl(QUrl::fromUserInput(target))) {
        visited_ = true;
        ApplyLook();
        return true;
    }
    QApplication::beep();
    QMessageBox box(QMessageBox::Warning, StringTableText(msg::ProgramTitle),
                    tr("Unable to open hyperlink:\n\n") +
                        tr("There is no application associated\nwith the given address."),
                    QMessageBox::Ok, window());
    box.exec();
    return false;
}

void HyperlinkLabel::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    ApplyLook();
    QLabel::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent* event) {
    hovering_ = false;
    ApplyLook();
    QLabel::leaveEvent(event);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Open();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void HyperlinkLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    // A new text (from a layout or a translation) keeps the tool-tip in step.
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::FontChange) ApplyLook();
}

}  // namespace wegator
