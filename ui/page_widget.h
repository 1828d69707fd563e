// What the main window needs of every page on its sheet.
#pragma once

#include <QWidget>

namespace wegator {

class PageWidget : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The page became the visible page of the main window.
    virtual void Activate() = 0;
    // Whether the page holds results that may be printed.
    virtual bool PrintEnabled() const = 0;
    // Shows again everything the page's model holds.
    virtual void Refresh() = 0;

signals:
    // The page's own "Drukuj" button was pressed.
    void printRequested();
};

}  // namespace wegator
