#include "countbox.h"

#include <QAccessible>

namespace tallyfen {

namespace {

void dropEvent(QAccessibleEvent*) {}

// Runs a focus change of the box with its accessibility events held back.
template <typename Handler> void withoutAccessibilityEvents(Handler handle)
{
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(dropEvent);
    handle();
    QAccessible::installUpdateHandler(previous);
}

} // namespace

void CountBox::takeFocusSelected()
{
    withoutAccessibilityEvents([&] {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    });
}

void CountBox::focusInEvent(QFocusEvent* event)
{
    withoutAccessibilityEvents([&] { QLineEdit::focusInEvent(event); });
}

void CountBox::focusOutEvent(QFocusEvent* event)
{
    withoutAccessibilityEvents([&] { QLineEdit::focusOutEvent(event); });
}

} // namespace tallyfen
