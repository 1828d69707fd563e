// The hidden "--screenshots DIR" mode: fills a sample calculation into each
// humidity page, saves one picture of the window per page and one
// per dialog into DIR, and returns. Used by `make screenshots` to look at the
// program without a desktop.
#pragma once

#include <QString>

namespace wegator {

class MainWindow;

// True when every picture was saved.
bool TakeScreenshots(MainWindow& window, const QString& dir);

}  // namespace wegator
