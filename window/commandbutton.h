#pragma once

#include <QPushButton>

namespace tallyfen {

// A push button whose keyboard focus is plain to see on the window's blue: a ring in the
// captions' yellow along its edge while it has the focus (the toolkit's own mark is a faint
// one-pixel line). Without the focus it looks exactly as a push button does.
class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tallyfen
