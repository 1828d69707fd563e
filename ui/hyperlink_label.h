// A text that behaves as a link (About box): underlined, coloured as a link,
// visited link or, under the pointer, in the highlight colour; a hand cursor
// and the target as tool-tip. A click opens the target through the desktop;
// when that fails the user is told so.
#pragma once

#include <QColor>
#include <QLabel>
#include <QString>

namespace wegator {

class HyperlinkLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString target READ Target WRITE SetTarget)
public:
    explicit HyperlinkLabel(QWidget* parent = nullptr);

    // The address opened on a click; the shown text when the label has none.
    // An empty target opens the shown text.
    QString Target() const;
    void SetTarget(const QString& target);
    bool Visited() const { return visited_; }
    bool Hovering() const { return hovering_; }
    // The colour the text is drawn in now.
    QColor CurrentColour() const;

    // Opens the target; on failure shows "Unable to open hyperlink" and returns false.
    bool Open();

    static inline const QColor kLinkColour{0, 0, 238};
    static inline const QColor kVisitedColour{85, 26, 139};

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyLook();

    QString target_;
    bool hovering_ = false;
    bool visited_ = false;
};

}  // namespace wegator
