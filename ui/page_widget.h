// What the main window needs of every page on its sheet.
#pragma once

#include <vector>

#include <QWidget>

#include "pages/print_layout.h"

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
    // The printout of what the page shows now, cell by cell; empty for a page
    // that prints nothing.
    virtual std::vector<PrintCell> PrintCells() const { return {}; }

signals:
    // The page's own "Drukuj" button was pressed.
    void printRequested();
};

}  // namespace wegator
