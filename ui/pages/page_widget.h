// What the main window needs of every page on its sheet.
#pragma once

#include <QWidget>
#include <initializer_list>
#include <vector>

#include "pages/print_layout.h"
#include "print/printout_painter.h"

class QPushButton;

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
    // The printout of what the page shows now, cell by cell, as printed at
    // `printedAt`; empty for a page that prints nothing.
    virtual std::vector<PrintCell> PrintCells(const PrintTime& /*printedAt*/) const { return {}; }
    // The printout as sheets: one sheet of PrintCells unless the page prints more.
    virtual std::vector<PrintSheet> PrintSheets(const PrintTime& printedAt) const {
        std::vector<PrintCell> cells = PrintCells(printedAt);
        if (cells.empty()) return {};
        return {PrintSheet{std::move(cells), std::nullopt}};
    }

    // The page's buttons: `defaultButton` ("Oblicz") is pressed by Enter
    // anywhere on the page; Enter on a focused button presses that button.
    void SetButtons(QPushButton* defaultButton, std::initializer_list<QPushButton*> others);
    // A page without a default button: Enter presses the focused button, as Space does.
    void EnterPressesFocusedButtons();

signals:
    // The page's own "Drukuj" button was pressed.
    void printRequested();

protected:
    // Enter or Return that no control of the page took (an entry field, a
    // list) presses the default button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* defaultButton_ = nullptr;
};

}  // namespace wegator
