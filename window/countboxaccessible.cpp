#include "countboxaccessible.h"

#include "countbox.h"

#include <QFontMetrics>
#include <QStyle>

namespace tallyfen {

CountBoxAccessible::CountBoxAccessible(CountBox* box)
    : QAccessibleWidget(box, QAccessible::EditableText)
{}

CountBox* CountBoxAccessible::box() const
{
    return static_cast<CountBox*>(widget());
}

void* CountBoxAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CountBoxAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return box()->text();
    return QAccessibleWidget::text(type);
}

QAccessible::State CountBoxAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.selectableText = true;
    return state;
}

// A count box has one font and one colour: its whole text is one run with no attributes.
QString CountBoxAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    if (offset < 0 || offset > *endOffset)
        *startOffset = *endOffset = -1;
    return {};
}

QString CountBoxAccessible::text(int startOffset, int endOffset) const
{
    if (startOffset > endOffset)
        return {};
    return box()->text().mid(startOffset, endOffset - startOffset);
}

int CountBoxAccessible::characterCount() const
{
    return static_cast<int>(box()->text().size());
}

// Where the box draws the character while its text fits, as a count's does: the box's frame and
// text margins, then the 2 pixels Qt's line edit keeps before its text.
QRect CountBoxAccessible::characterRect(int offset) const
{
    const QString character = text(offset, offset + 1);
    if (character.isEmpty())
        return {};
    constexpr int textIndent = 2;
    const int frame = box()->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box());
    const QRect area = box()->rect().adjusted(frame, frame, -frame, -frame) - box()->textMargins();
    const QFontMetrics metrics(box()->font());
    const QPoint topLeft(area.left() + textIndent +
                             metrics.horizontalAdvance(box()->text().left(offset)),
                         area.top() + (area.height() - metrics.height()) / 2);
    return {box()->mapToGlobal(topLeft),
            QSize(metrics.horizontalAdvance(character), metrics.height())};
}

int CountBoxAccessible::offsetAtPoint(const QPoint& point) const
{
    return box()->cursorPositionAt(box()->mapFromGlobal(point));
}

int CountBoxAccessible::cursorPosition() const
{
    return box()->cursorPosition();
}

void CountBoxAccessible::setCursorPosition(int position)
{
    box()->setCursorPosition(position);
}

void CountBoxAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !box()->hasSelectedText())
        return;
    *startOffset = box()->selectionStart();
    *endOffset = box()->selectionEnd();
}

int CountBoxAccessible::selectionCount() const
{
    return box()->hasSelectedText() ? 1 : 0;
}

void CountBoxAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void CountBoxAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        box()->deselect();
}

void CountBoxAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        box()->setSelection(startOffset, endOffset - startOffset);
}

void CountBoxAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    box()->setCursorPosition(endIndex);
    box()->setCursorPosition(startIndex);
}

} // namespace tallyfen
