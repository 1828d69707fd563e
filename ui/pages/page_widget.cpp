#include "pages/page_widget.h"

#include <QKeyEvent>
#include <QPushButton>

namespace wegator {

void PageWidget::SetButtons(QPushButton* defaultButton, std::initializer_list<QPushButton*> others) {
    defaultButton_ = defaultButton;
    // An auto-default button takes Enter itself while it has the focus.
    defaultButton->setAutoDefault(true);
    defaultButton->setDefault(true);
    for (QPushButton* button : others) button->setAutoDefault(true);
}

void PageWidget::EnterPressesFocusedButtons() {
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(true);
}

void PageWidget::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter && plain && defaultButton_ != nullptr) {
        if (defaultButton_->isEnabled()) defaultButton_->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace wegator
