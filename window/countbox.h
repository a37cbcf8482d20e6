#pragma once

#include <QLineEdit>

namespace tallyfen {

// A count box: a line edit whose focus changes reach assistive technology as one event.
// Qt reports the select-all of a Tab, and the deselect on leaving, before the focus move itself,
// and Orca 43 speaks each as it comes: "0 selected, Perfect count, 0 selected". The focus
// event already carries the box with its selection, so the selection changes that a focus
// change makes are not reported on their own.
class CountBox : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // Takes the focus with the whole text selected, also while the window waits to be active
    // again (after a message box): one focus change, whose selection is not reported on its own.
    void takeFocusSelected();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace tallyfen
