#pragma once

#include <QAccessibleWidget>

namespace tallyfen {

class CountBox;

// A count box as assistive technology reads it: Qt's line edit interface, but with the text in
// one attribute run. Works around Qt 6.4's own interface, which answers every offset with an
// empty run: Orca 43 splits the line at those runs and drops its last character ("90" is read
// "9", "0" not at all). It can go once Qt's own interface reports the whole run.
class CountBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit CountBoxAccessible(CountBox* box);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;

    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    void scrollToSubstring(int startIndex, int endIndex) override;

private:
    CountBox* box() const;
};

} // namespace tallyfen
