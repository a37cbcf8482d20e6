#pragma once

#include <QLabel>

namespace tallyfen {

// A label that reports a click anywhere in its rectangle, as a caption the player can press.
class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tallyfen
