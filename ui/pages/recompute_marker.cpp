#include "pages/recompute_marker.h"

#include <QPainter>
#include <QPalette>

namespace wegator {

namespace {
constexpr int kLineWidth = 1;
constexpr int kGap = 2;  // between the line and the button inside
}  // namespace

RecomputeMarker::RecomputeMarker(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::NoFrame);
    setContentsMargins(kLineWidth + kGap, kLineWidth + kGap, kLineWidth + kGap, kLineWidth + kGap);
}

void RecomputeMarker::SetShown(bool shown) {
    if (shown == shown_) return;
    shown_ = shown;
    update();
}

void RecomputeMarker::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!shown_) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), kLineWidth));
    painter.drawRect(rect().adjusted(0, 0, -kLineWidth, -kLineWidth));
}

}  // namespace wegator
