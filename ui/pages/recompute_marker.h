// The thin frame round a page's "Oblicz" button that shows while the results
// on the page do not match its inputs. The frame keeps its place when hidden,
// so nothing on the page moves as it comes and goes.
#pragma once

#include <QFrame>

namespace wegator {

class RecomputeMarker : public QFrame {
    Q_OBJECT
public:
    explicit RecomputeMarker(QWidget* parent = nullptr);
    void SetShown(bool shown);
    bool IsShown() const { return shown_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool shown_ = true;
};

}  // namespace wegator
